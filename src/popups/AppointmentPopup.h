#pragma once

#include "popups/ReminderPopup.h"

// The popup of the appointment reminders (kind 2).
class AppointmentPopup final : public ReminderPopup {
    Q_OBJECT
public:
    explicit AppointmentPopup(const PopupContext& context, QWidget* parent = nullptr);

    QLabel* pictureLabel = nullptr;
    QWidget* customPostponeRow = nullptr;
};
