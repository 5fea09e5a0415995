#pragma once

#include "entry/DatedReminderDialog.h"

// The appointment reminder dialog, opened modally by "约会提醒":
//
//   AppointmentReminderDialog dialog(session, [this] { reloadLists(); }, this);
//   ModalRunner::run(dialog);
class AppointmentReminderDialog : public DatedReminderDialog {
    Q_OBJECT
public:
    AppointmentReminderDialog(Session& session, std::function<void()> reload,
                              QWidget* parent = nullptr)
        : DatedReminderDialog(session, std::move(reload), DatedKind::Appointment, parent) {}
};
