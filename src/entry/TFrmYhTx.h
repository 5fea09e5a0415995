#pragma once

#include "entry/TFrmDatedTx.h"

// The appointment reminder dialog, opened modally by "约会提醒":
//
//   TFrmYhTx dialog(session, [this] { ReloadLists(); }, this);
//   ModalRunner::run(dialog);
class TFrmYhTx : public TFrmDatedTx {
    Q_OBJECT
public:
    TFrmYhTx(Session& session, std::function<void()> reloadLists, QWidget* parent = nullptr)
        : TFrmDatedTx(session, std::move(reloadLists), DatedKind::Appointment, parent) {}
};
