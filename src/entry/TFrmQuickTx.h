#pragma once

#include "entry/TFrmEntry.h"

// Quick publish: an ordinary reminder that starts now, to every user at once. Its recipient
// list is never seen; every row of it is ticked. Opened modally by "快速发布":
//
//   TFrmQuickTx dialog(session, [this] { ReloadLists(); }, this);
//   ModalRunner::run(dialog);
class TFrmQuickTx : public TFrmEntry {
    Q_OBJECT
public:
    TFrmQuickTx(Session& session, std::function<void()> reloadLists, QWidget* parent = nullptr);

    static EntryDesign MakeDesign();
};
