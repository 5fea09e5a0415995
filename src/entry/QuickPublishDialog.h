#pragma once

#include "entry/ReminderEntryDialog.h"

// Quick publish: an ordinary reminder that starts now, to every user at once. Its recipient
// list is never seen; every row of it is ticked. Opened modally by "快速发布":
//
//   QuickPublishDialog dialog(session, [this] { reloadLists(); }, this);
//   ModalRunner::run(dialog);
//
// Public is what that opener calls.
class QuickPublishDialog : public ReminderEntryDialog {
    Q_OBJECT
public:
    QuickPublishDialog(Session& session, std::function<void()> reload, QWidget* parent = nullptr);

private:
    static EntryDesign makeDesign();
};
