#pragma once

#include "entry/TFrmDatedTx.h"

// The anniversary reminder dialog, opened modally by "  纪念日提醒":
//
//   TFrmJnrTx dialog(session, [this] { ReloadLists(); }, this);
//   ModalRunner::run(dialog);
class TFrmJnrTx : public TFrmDatedTx {
    Q_OBJECT
public:
    TFrmJnrTx(Session& session, std::function<void()> reloadLists, QWidget* parent = nullptr)
        : TFrmDatedTx(session, std::move(reloadLists), DatedKind::Anniversary, parent) {}
};
