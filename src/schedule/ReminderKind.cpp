#include "schedule/ReminderKind.h"

#include "store/Statements.h"

#include <cstddef>

namespace {

constexpr unsigned kBlack = 0x000000;
constexpr unsigned kBlue = 0x0000ff;

constexpr KindDescription kKinds[] = {
    {ReminderKind::Ordinary,
     "ordinary",
     {4000, 5000, Statements::kPollOrdinary, "p", "reminder.wav"},
     {"定时提醒", Statements::kPopupListOrdinary, "请选择一条提醒记录进行操作！", "kindOrdinary",
      "popupStrip", true, "", kBlue, true, 10},
     {"addReminderDialog", "添加提醒", "添加提醒信息", "bannerEntry", "请输入提醒内容...",
      "成功添加提醒信息！", true, false, false},
     {"addReminderButton", "添加提醒", "tbAdd", 2}},
    {ReminderKind::Birthday,
     "birthday",
     {25000, 8000, Statements::kPollBirthday, "p", "reminder.wav"},
     {"生日提醒", Statements::kPopupListBirthday, "请选择一条生日提醒记录进行操作！",
      "kindBirthday", "popupBirthday", false, "生日快乐！！！", kBlack, false, 30},
     {"birthdayReminderDialog", "生日提醒", "", "bannerBirthday", "请输入生日提醒内容...",
      "成功添加生日提醒信息！", false, true, true},
     {"birthdayButton", "生日提醒", "tbBirthday", 6}},
    {ReminderKind::Appointment,
     "appointment",
     {7000, 5000, Statements::kPollAppointment, "p", "SOUND560.WAV"},
     {"约会提醒", Statements::kPopupListAppointment, "请选择一条约会提醒记录进行操作！",
      "kindAppointment", "popupAppointment", false, "", kBlack, false, 30},
     {"appointmentReminderDialog", "约会提醒", "", "bannerAppointment", "请输入约会提醒内容...",
      "成功添加约会提醒信息！", false, true, false},
     {"appointmentButton", "约会提醒", "tbAppointment", 7}},
    {ReminderKind::Anniversary,
     "anniversary",
     {6000, 5000, Statements::kPollAnniversary, "p1", "Trumpet1.wav"},
     {"纪念日提醒", Statements::kPopupListAnniversary, "请选择一条纪念日提醒记录进行操作！",
      "kindAnniversary", "popupAnniversary", false, "", kBlack, false, 30},
     {"anniversaryReminderDialog", "纪念日提醒", "", "bannerAnniversary", "请输入纪念日提醒内容...",
      "成功添加纪念日提醒信息！", true, true, true},
     {"anniversaryButton", "  纪念日提醒", "tbAnniversary", 8}},
};

// Every kind has its row, at its own index.
constexpr bool tableHoldsEveryKind() {
    if (std::size(kKinds) != kAllReminderKinds.size())
        return false;
    for (std::size_t i = 0; i < kAllReminderKinds.size(); ++i)
        if (kKinds[i].kind != kAllReminderKinds[i] || kindIndex(kKinds[i].kind) != int(i))
            return false;
    return true;
}
static_assert(tableHoldsEveryKind(), "one row per reminder kind, in the order of the kinds");

} // namespace

const KindDescription& describe(ReminderKind kind) {
    return kKinds[kindIndex(kind)];
}
