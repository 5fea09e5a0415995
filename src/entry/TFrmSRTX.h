#pragma once

#include "entry/TFrmDatedTx.h"

// The birthday reminder dialog, opened modally by "生日提醒":
//
//   TFrmSRTX dialog(session, [this] { ReloadLists(); }, this);
//   ModalRunner::run(dialog);
class TFrmSRTX : public TFrmDatedTx {
    Q_OBJECT
public:
    TFrmSRTX(Session& session, std::function<void()> reloadLists, QWidget* parent = nullptr)
        : TFrmDatedTx(session, std::move(reloadLists), DatedKind::Birthday, parent) {}
};
