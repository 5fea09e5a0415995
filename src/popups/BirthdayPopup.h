#pragma once

#include "popups/ReminderPopup.h"

// The popup of the birthday reminders (kind 1), with "生日快乐！！！" on the picture below the
// list.
class BirthdayPopup final : public ReminderPopup {
    Q_OBJECT
public:
    explicit BirthdayPopup(const PopupContext& context, QWidget* parent = nullptr);

    QLabel* pictureLabel = nullptr;
    QWidget* customPostponeRow = nullptr;
    QLabel* greetingLabel = nullptr; // "生日快乐！！！"
};
