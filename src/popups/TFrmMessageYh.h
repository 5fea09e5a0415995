#pragma once

#include "popups/ReminderPopup.h"

// The popup of the appointment reminders (kind 2).
class TFrmMessageYh final : public ReminderPopup {
    Q_OBJECT
public:
    explicit TFrmMessageYh(const PopupContext& context, QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QWidget* Panel3 = nullptr; // the custom postponement row
};
