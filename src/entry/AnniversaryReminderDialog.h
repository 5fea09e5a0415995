#pragma once

#include "entry/DatedReminderDialog.h"

// The anniversary reminder dialog, opened modally by "  纪念日提醒":
//
//   AnniversaryReminderDialog dialog(session, [this] { reloadLists(); }, this);
//   ModalRunner::run(dialog);
class AnniversaryReminderDialog : public DatedReminderDialog {
    Q_OBJECT
public:
    AnniversaryReminderDialog(Session& session, std::function<void()> reload,
                              QWidget* parent = nullptr)
        : DatedReminderDialog(session, std::move(reload), DatedKind::Anniversary, parent) {}
};
