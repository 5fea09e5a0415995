#include "app/TFrmMainT.h"

#include "platform/AppInfo.h"

TFrmMainT::TFrmMainT(Session& session, QWidget* parent) : QWidget(parent), session_(session) {
    setObjectName(QStringLiteral("FrmMainT"));
    FormCreate();
}

void TFrmMainT::FormCreate() {
    setWindowTitle(AppInfo::kApplicationTitle);
    resize(1000, 600);
}
