#include "schedule/ReminderCalendar.h"

#include "schedule/YearlyReminders.h"

#include <algorithm>

namespace {
constexpr int kTooltipContentLength = 40;

QString firstLineOf(const QString& content) {
    QString line = content.simplified();
    if (line.size() > kTooltipContentLength)
        line = line.left(kTooltipContentLength) + QStringLiteral("…");
    return line;
}
} // namespace

void ReminderCalendar::setReminders(std::vector<Reminder> reminders) {
    reminders_ = std::move(reminders);
    years_.clear();
    months_.clear();
}

const std::vector<ReminderCalendar::Occurrence>& ReminderCalendar::occurrencesOfYear(int year) {
    const auto kept = years_.find(year);
    if (kept != years_.end())
        return kept->second;
    ++yearsComputed_;
    std::vector<Occurrence> occurrences;
    const QDate first(year, 1, 1);
    const QDate last(year, 12, 31);
    for (std::size_t i = 0; i < reminders_.size(); ++i) {
        const Reminder& reminder = reminders_[i];
        if (!reminder.start.isValid())
            continue;
        if (reminder.start.date().year() == year)
            occurrences.push_back({i, reminder.start});
        if (!reminder.repeat || last <= reminder.start.date())
            continue;
        // The pending row is this year's occurrence, perhaps postponed; the ones after it are
        // the series' coming years.
        const QDateTime own = YearlyRepeat::latestOccurrence(*reminder.repeat, reminder.start)
                                  .value_or(reminder.start);
        for (const QDateTime& at :
             YearlyRepeat::occurrencesBetween(*reminder.repeat, std::max(first, own.date()), last))
            if (at > own && at > reminder.start)
                occurrences.push_back({i, at});
    }
    std::stable_sort(occurrences.begin(), occurrences.end(),
                     [](const Occurrence& a, const Occurrence& b) { return a.at < b.at; });
    return years_.emplace(year, std::move(occurrences)).first->second;
}

const std::map<int, QString>& ReminderCalendar::monthMarks(int year, int month) {
    const int monthKey = year * 12 + month - 1;
    const auto kept = months_.find(monthKey);
    if (kept != months_.end())
        return kept->second;
    std::map<int, QString>& marks = months_[monthKey];
    for (const Occurrence& occurrence : occurrencesOfYear(year)) {
        const QDate date = occurrence.at.date();
        if (date.month() != month)
            continue;
        const Reminder& reminder = reminders_[occurrence.reminder];
        QString& text = marks[date.day()];
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += QString::fromUtf8(describe(reminder.kind).popup.caption) + QLatin1Char(' ') +
                occurrence.at.toString(QStringLiteral("HH:mm")) + QLatin1Char(' ') +
                firstLineOf(reminder.content);
    }
    return marks;
}

std::vector<ReminderCalendar::Coming> ReminderCalendar::coming(const QDateTime& now, int days) {
    std::vector<Coming> found;
    const QDate today = now.date();
    const QDate end = today.addDays(days);
    for (int year = today.year(); year <= end.year(); ++year) {
        for (const Occurrence& occurrence : occurrencesOfYear(year)) {
            const QDate date = occurrence.at.date();
            if (date < today || date > end)
                continue;
            const Reminder& reminder = reminders_[occurrence.reminder];
            found.push_back({&reminder, occurrence.at, static_cast<int>(today.daysTo(date)),
                             reminder.repeat ? YearlyReminders::yearsText(
                                                   reminder.kind, *reminder.repeat, occurrence.at)
                                             : QString()});
        }
    }
    return found;
}
