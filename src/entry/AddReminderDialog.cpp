#include "entry/AddReminderDialog.h"

EntryDesign AddReminderDialog::makeDesign() {
    const KindDescription::Entry& entry = describe(ReminderKind::Ordinary).entry;
    EntryDesign design;
    design.objectName = QString::fromLatin1(entry.objectName);
    design.title = QString::fromUtf8(entry.title);
    design.heading = QString::fromUtf8(entry.heading);
    design.bannerPicture = QString::fromLatin1(entry.bannerPicture);
    design.placeholder = QString::fromUtf8(entry.placeholder);
    design.focusMemoOnShow = entry.focusMemoOnShow;
    design.start = StartChoice::NowOrPicked;
    design.save.noRecipientMessage = QStringLiteral("请选择要信息提醒的人员！");
    design.save.question = QStringLiteral("确定要对选中人员进行信息提醒操作吗？");
    design.save.successText = QString::fromUtf8(entry.successText);
    return design;
}

AddReminderDialog::AddReminderDialog(Session& session, std::function<void()> reload,
                                     QWidget* parent)
    : ReminderEntryDialog(session, std::move(reload), makeDesign(), parent) {}

void AddReminderDialog::presetStartDay(const QDate& day) {
    startDateEdit->setDate(day);
    startPickedButton->setChecked(true);
}

void AddReminderDialog::presetStart(const QDate& day, const QTime& time) {
    presetStartDay(day);
    startTimeEdit->setTime(time);
}
