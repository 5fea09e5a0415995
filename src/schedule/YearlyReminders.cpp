#include "schedule/YearlyReminders.h"

#include "schedule/TimingRules.h"

#include <QCoreApplication>

namespace YearlyReminders {

std::optional<YearlyRepeat::YearlyAnchor> repetitionOf(int kind, const QString& stored) {
    if (kind == kindIndex(ReminderKind::Ordinary) || kind < 0 ||
        kind >= static_cast<int>(kAllReminderKinds.size()) || stored.isEmpty())
        return std::nullopt;
    return YearlyRepeat::parse(stored);
}

ReminderRollOver::NextOccurrence nextOccurrenceAt(const QDateTime& now) {
    return [now](const ReminderRollOver::AcknowledgedRow& row)
               -> std::optional<ReminderRollOver::NextRow> {
        const std::optional<YearlyRepeat::YearlyAnchor> anchor = repetitionOf(row.kind, row.repeat);
        if (!anchor)
            return std::nullopt;
        QDateTime after = now;
        const QDateTime start =
            QDateTime::fromString(row.beginTime.trimmed(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (start.isValid() && start > after)
            after = start;
        const std::optional<QDateTime> next = YearlyRepeat::nextOccurrence(*anchor, after);
        if (!next)
            return std::nullopt;
        bool isNumber = false;
        const qint64 number = row.intervalNumber.trimmed().toLongLong(&isNumber);
        return ReminderRollOver::NextRow{
            TimingRules::pickedMomentText(next->date(), next->time()),
            isNumber ? TimingRules::entryTotalTime(number, row.intervalUnit) : std::nullopt};
    };
}

QString repeatText(const YearlyRepeat::YearlyAnchor& anchor) {
    return anchor.calendar == YearlyRepeat::RepeatCalendar::Lunar ? QStringLiteral("按农历每年")
                                                                  : QStringLiteral("按公历每年");
}

QString yearsText(ReminderKind kind, const YearlyRepeat::YearlyAnchor& anchor,
                  const QDateTime& occurrence) {
    const int years = YearlyRepeat::yearsAfterOrigin(anchor, occurrence);
    if (years <= 0)
        return {};
    switch (kind) {
    case ReminderKind::Birthday:
        return QCoreApplication::translate("YearlyReminders", "%n 岁生日", nullptr, years);
    case ReminderKind::Anniversary:
        return QCoreApplication::translate("YearlyReminders", "第 %n 个纪念日", nullptr, years);
    default:
        return QCoreApplication::translate("YearlyReminders", "第 %n 年", nullptr, years);
    }
}

QString detailsText(ReminderKind kind, const YearlyRepeat::YearlyAnchor& anchor,
                    const QDateTime& start) {
    const std::optional<QDateTime> occurrence = YearlyRepeat::latestOccurrence(anchor, start);
    QString text = QStringLiteral("【每年重复】") + repeatText(anchor);
    if (anchor.calendar == YearlyRepeat::RepeatCalendar::Lunar)
        text +=
            QStringLiteral("（") + YearlyRepeat::lunarDateText(start.date()) + QStringLiteral("）");
    if (occurrence) {
        const QString years = yearsText(kind, anchor, *occurrence);
        if (!years.isEmpty())
            text += QStringLiteral("，") + years;
        if (anchor.calendar == YearlyRepeat::RepeatCalendar::Lunar &&
            !YearlyRepeat::nextOccurrence(anchor, *occurrence))
            text += QStringLiteral("\r农历只推算到 2100 年：这是最后一次提醒。");
    }
    return text;
}

} // namespace YearlyReminders
