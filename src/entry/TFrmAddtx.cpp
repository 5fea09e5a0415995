#include "entry/TFrmAddtx.h"

EntryDesign TFrmAddtx::MakeDesign() {
    EntryDesign design;
    design.objectName = QStringLiteral("FrmAddtx");
    design.title = QStringLiteral("添加提醒");
    design.heading = QStringLiteral("添加提醒信息");
    design.bannerPicture = QStringLiteral("bannerEntry");
    design.start = StartChoice::NowOrPicked;
    design.save.noRecipientMessage = QStringLiteral("请选择要信息提醒的人员！");
    design.save.question = QStringLiteral("确定要对选中人员进行信息提醒操作吗？");
    design.save.successText = QStringLiteral("成功添加提醒信息！");
    return design;
}

TFrmAddtx::TFrmAddtx(Session& session, std::function<void()> reloadLists, QWidget* parent)
    : TFrmEntry(session, std::move(reloadLists), MakeDesign(), parent) {}

void TFrmAddtx::PresetStartDay(const QDate& day) {
    DateTimePicker1->setDate(day);
    RadioButton3->setChecked(true);
}
