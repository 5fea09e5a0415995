#include "entry/AddReminderDialog.h"

EntryDesign AddReminderDialog::makeDesign() {
    EntryDesign design;
    design.objectName = QStringLiteral("addReminderDialog");
    design.title = QStringLiteral("添加提醒");
    design.heading = QStringLiteral("添加提醒信息");
    design.bannerPicture = QStringLiteral("bannerEntry");
    design.start = StartChoice::NowOrPicked;
    design.save.noRecipientMessage = QStringLiteral("请选择要信息提醒的人员！");
    design.save.question = QStringLiteral("确定要对选中人员进行信息提醒操作吗？");
    design.save.successText = QStringLiteral("成功添加提醒信息！");
    return design;
}

AddReminderDialog::AddReminderDialog(Session& session, std::function<void()> reload,
                                     QWidget* parent)
    : ReminderEntryDialog(session, std::move(reload), makeDesign(), parent) {}

void AddReminderDialog::presetStartDay(const QDate& day) {
    startDateEdit->setDate(day);
    startPickedButton->setChecked(true);
}
