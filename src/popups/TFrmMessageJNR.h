#pragma once

#include "popups/ReminderPopup.h"

// The popup of the anniversary reminders (kind 3).
class TFrmMessageJNR final : public ReminderPopup {
    Q_OBJECT
public:
    explicit TFrmMessageJNR(const PopupContext& context, QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QWidget* Panel3 = nullptr; // the custom postponement row
};
