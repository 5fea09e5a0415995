#include "entry/QuickPublishDialog.h"

EntryDesign QuickPublishDialog::makeDesign() {
    EntryDesign design;
    design.objectName = QStringLiteral("quickPublishDialog");
    design.title = QStringLiteral("快速提醒");
    design.heading = QStringLiteral("添加快速提醒信息");
    design.bannerPicture = QStringLiteral("bannerEntry");
    design.start = StartChoice::NowOnly;
    design.intervalCaption = QStringLiteral("   间隔");
    design.listVisible = false;
    design.rowIcons = false;
    design.clearAllCaption.clear();
    design.recipientsLabelText = QStringLiteral("提醒所有人");
    design.recipientsLabelPlace = RecipientsLabelPlace::SettingsRow;
    design.noteText = QStringLiteral("注：快速提醒将提醒所有人");
    design.save.noRecipientMessage = QStringLiteral("请选择要进行信息提醒的人员！");
    design.save.question = QStringLiteral("确定要对所有人员进行信息提醒操作吗？");
    design.save.successText = QStringLiteral("成功添加提醒信息！");
    return design;
}

QuickPublishDialog::QuickPublishDialog(Session& session, std::function<void()> reload,
                                       QWidget* parent)
    : ReminderEntryDialog(session, std::move(reload), makeDesign(), parent) {}
