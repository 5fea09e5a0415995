#pragma once

#include "popups/ReminderPopup.h"

// The popup of the birthday reminders (kind 1), with "生日快乐！！！" on the picture below the
// list.
class TFrmMessageSr final : public ReminderPopup {
    Q_OBJECT
public:
    explicit TFrmMessageSr(const PopupContext& context, QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QWidget* Panel3 = nullptr; // the custom postponement row
    QLabel* Label2 = nullptr;  // "生日快乐！！！"
};
