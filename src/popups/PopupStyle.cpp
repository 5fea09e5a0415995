#include "popups/PopupStyle.h"

#include "store/Statements.h"

namespace {

const QColor kBlue(0, 0, 255);

PopupStyle dated(ReminderKind kind, const char* caption, const char* notice, const char* picture,
                 const char* pictureText) {
    return PopupStyle{kind,
                      QString::fromUtf8(caption),
                      Statements::kPopupListByKind[kindIndex(kind)],
                      // A key column of 50 pixels hides the key behind the tick box and the icon;
                      // the ordinary popup's widths keep the same total and show it.
                      {{QStringLiteral("编号"), 60},
                       {QStringLiteral("内容"), 430},
                       {QStringLiteral("提醒人"), 100}},
                      Qt::black,
                      false,
                      30,
                      QString::fromUtf8(notice),
                      false,
                      QString::fromLatin1(picture),
                      QStringLiteral("pictureLabel"),
                      QString::fromUtf8(pictureText),
                      QStringLiteral("customPostponeRow")};
}

const PopupStyle kStyles[4] = {
    PopupStyle{ReminderKind::Ordinary,
               QStringLiteral("定时提醒"),
               Statements::kPopupListOrdinary,
               {{QStringLiteral("编号"), 60},
                {QStringLiteral("内容"), 430},
                {QStringLiteral("提醒人"), 100}},
               kBlue,
               true,
               10,
               QStringLiteral("请选择一条提醒记录进行操作！"),
               true,
               QStringLiteral("popupStrip"),
               QStringLiteral("pictureLabel"),
               QString(),
               QStringLiteral("customPostponeRow")},
    dated(ReminderKind::Birthday, "生日提醒", "请选择一条生日提醒记录进行操作！", "popupBirthday",
          "生日快乐！！！"),
    dated(ReminderKind::Appointment, "约会提醒", "请选择一条约会提醒记录进行操作！",
          "popupAppointment", ""),
    dated(ReminderKind::Anniversary, "纪念日提醒", "请选择一条纪念日提醒记录进行操作！",
          "popupAnniversary", ""),
};

} // namespace

const PopupStyle& popupStyleOf(ReminderKind kind) {
    return kStyles[kindIndex(kind)];
}

QString kindIconName(ReminderKind kind) {
    static const char* const names[4] = {"kindOrdinary", "kindBirthday", "kindAppointment",
                                         "kindAnniversary"};
    return QString::fromLatin1(names[kindIndex(kind)]);
}
