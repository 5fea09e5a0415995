#pragma once

#include "entry/ReminderEntryDialog.h"
#include "schedule/ReminderKind.h"

// The dialog of a dated kind of reminder (birthday, appointment, anniversary), opened modally
// by the kind's tool button:
//
//   DatedReminderDialog dialog(session, [this] { reloadLists(); }, ReminderKind::Birthday, this);
//   ModalRunner::run(dialog);
//
// Public is what that opener calls. Each starts at the moment picked in the dialog, carries its
// kind in Retype, and goes to the current user alone when nobody is ticked. What one kind's dialog
// has of its own (its name, title, banner, placeholder and success text) is the kind's description.
class DatedReminderDialog : public ReminderEntryDialog {
    Q_OBJECT
public:
    DatedReminderDialog(Session& session, std::function<void()> reload, ReminderKind kind,
                        QWidget* parent = nullptr);

private:
    static EntryDesign makeDesign(ReminderKind kind);
};
