#include "entry/DatedReminderDialog.h"

namespace {

const DatedMember kMembers[] = {
    {DatedKind::Birthday, "birthdayReminderDialog", "生日提醒", "请输入生日提醒内容...",
     "成功添加生日提醒信息！", "bannerBirthday", false},
    {DatedKind::Appointment, "appointmentReminderDialog", "约会提醒", "请输入约会提醒内容...",
     "成功添加约会提醒信息！", "bannerAppointment", false},
    {DatedKind::Anniversary, "anniversaryReminderDialog", "纪念日提醒", "请输入纪念日提醒内容...",
     "成功添加纪念日提醒信息！", "bannerAnniversary", true},
};

} // namespace

const DatedMember& DatedReminderDialog::memberFor(DatedKind kind) {
    for (const DatedMember& member : kMembers)
        if (member.kind == kind)
            return member;
    return kMembers[0];
}

EntryDesign DatedReminderDialog::makeDesign(DatedKind kind) {
    const DatedMember& member = memberFor(kind);
    EntryDesign design;
    design.objectName = QString::fromUtf8(member.objectName);
    design.title = QString::fromUtf8(member.title);
    design.bannerPicture = QString::fromUtf8(member.bannerPicture);
    design.start = StartChoice::PickedOnly;
    design.clearAllCaption.clear();
    design.recipientsLabelText = QStringLiteral("注：未选择人员表示给自己提醒");
    design.recipientsLabelPlace = RecipientsLabelPlace::ButtonRow;
    design.placeholder = QString::fromUtf8(member.placeholder);
    design.focusMemoOnShow = member.focusMemoOnShow;
    design.save.question = QStringLiteral("确定要对选中人员进行信息提醒操作吗？");
    design.save.kind = QString::number(static_cast<int>(member.kind));
    design.save.successText = QString::fromUtf8(member.successText);
    design.save.selfSuccessText = QStringLiteral("成功添加提醒信息！");
    return design;
}

DatedReminderDialog::DatedReminderDialog(Session& session, std::function<void()> reload,
                                         DatedKind kind, QWidget* parent)
    : ReminderEntryDialog(session, std::move(reload), makeDesign(kind), parent), kind_(kind) {}
