#pragma once

#include "entry/DatedReminderDialog.h"

// The birthday reminder dialog, opened modally by "生日提醒":
//
//   BirthdayReminderDialog dialog(session, [this] { reloadLists(); }, this);
//   ModalRunner::run(dialog);
class BirthdayReminderDialog : public DatedReminderDialog {
    Q_OBJECT
public:
    BirthdayReminderDialog(Session& session, std::function<void()> reload,
                           QWidget* parent = nullptr)
        : DatedReminderDialog(session, std::move(reload), DatedKind::Birthday, parent) {}
};
