#pragma once

#include "popups/ReminderPopup.h"

// The popup of the ordinary reminders (kind 0): a picture strip above the controls, the
// content in blue and the publisher's name in the third column.
class TFrmMessage final : public ReminderPopup {
    Q_OBJECT
public:
    explicit TFrmMessage(const PopupContext& context, QWidget* parent = nullptr);

    QLabel* Image2 = nullptr;
    QWidget* Panel2 = nullptr; // the custom postponement row
};
