#include "entry/DatedReminderDialog.h"

EntryDesign DatedReminderDialog::makeDesign(ReminderKind kind) {
    const KindDescription::Entry& entry = describe(kind).entry;
    EntryDesign design;
    design.objectName = QString::fromLatin1(entry.objectName);
    design.title = QString::fromUtf8(entry.title);
    design.heading = QString::fromUtf8(entry.heading);
    design.bannerPicture = QString::fromLatin1(entry.bannerPicture);
    design.start = StartChoice::PickedOnly;
    design.clearAllCaption.clear();
    design.recipientsLabelText = QStringLiteral("注：未选择人员表示给自己提醒");
    design.recipientsLabelPlace = RecipientsLabelPlace::ButtonRow;
    design.placeholder = QString::fromUtf8(entry.placeholder);
    design.focusMemoOnShow = entry.focusMemoOnShow;
    design.repeatChoice = entry.offersYearlyRepeat;
    design.repeatByDefault = entry.repeatsYearlyByDefault;
    design.save.question = QStringLiteral("确定要对选中人员进行信息提醒操作吗？");
    design.save.kind = kind;
    design.save.successText = QString::fromUtf8(entry.successText);
    design.save.selfSuccessText = QStringLiteral("成功添加提醒信息！");
    return design;
}

DatedReminderDialog::DatedReminderDialog(Session& session, std::function<void()> reload,
                                         ReminderKind kind, QWidget* parent)
    : ReminderEntryDialog(session, std::move(reload), makeDesign(kind), parent) {}
