#pragma once

#include "schedule/ReminderKind.h"
#include "schedule/YearlyRepeat.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <map>
#include <optional>
#include <unordered_map>
#include <vector>

// The user's pending reminders as the calendar shows them: the days on which one starts,
// including the coming occurrences of the yearly ones (computed, never stored), and the
// reminders of the coming days. It is given the reminders once per change of the store; the
// occurrences of a year are computed once and kept, so that switching months reads nothing
// and converts no lunar date.
class ReminderCalendar {
public:
    struct Reminder {
        qint64 key = 0;
        ReminderKind kind = ReminderKind::Ordinary;
        QString content;
        QDateTime start;
        std::optional<YearlyRepeat::YearlyAnchor> repeat; // none for an ordinary reminder
    };
    struct Occurrence {
        std::size_t reminder = 0; // index into reminders()
        QDateTime at;
    };
    struct Coming {
        const Reminder* reminder = nullptr;
        QDateTime at;
        int daysToGo = 0;
        QString yearsText; // "60 岁生日", empty where the first year is unknown
    };

    void setReminders(std::vector<Reminder> reminders);
    const std::vector<Reminder>& reminders() const { return reminders_; }

    // Every occurrence whose date lies in the year, in date order; kept once computed.
    const std::vector<Occurrence>& occurrencesOfYear(int year);
    // The marked days of a month with what the tooltip of each lists: kind, time and the
    // first 40 characters of the content, one reminder a line. Kept once made, as the years.
    const std::map<int, QString>& monthMarks(int year, int month);
    // The occurrences from `now`'s day through the `days` following, in date order.
    std::vector<Coming> coming(const QDateTime& now, int days);

    // How often the occurrences of a year were computed (and not taken from those kept).
    int yearsComputed() const { return yearsComputed_; }

private:
    std::vector<Reminder> reminders_;
    std::unordered_map<int, std::vector<Occurrence>> years_;
    std::unordered_map<int, std::map<int, QString>> months_; // by year * 12 + month - 1
    int yearsComputed_ = 0;
};
