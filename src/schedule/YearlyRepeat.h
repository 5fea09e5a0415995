#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <optional>
#include <vector>

// Reminders that come back every year on the same solar date or the same lunar date, counted
// from their origin (a birth, a wedding). The repetition is kept as its anchor, not as this
// year's start, so that 29 February, a lunar 三十 and a leap month come back right after a
// postponement has moved one year's start.
//
// Stored text: "S:YYYY-MM-DD@HH:MM" for a solar anchor, "L:YYYY-M-D@HH:MM" for a lunar one,
// with "L" after the month for a leap month ("L:1985-4L-30@09:00"); a lunar anchor's year is
// the lunar year of its origin.
namespace YearlyRepeat {

enum class RepeatCalendar { Solar, Lunar };

struct YearlyAnchor {
    RepeatCalendar calendar = RepeatCalendar::Solar;
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // solar: a day of the month; lunar: 1..30
    bool leapMonth = false;
    QTime timeOfDay; // whole minutes

    friend bool operator==(const YearlyAnchor&, const YearlyAnchor&) = default;
};

// Only the exact text format() writes is read: anything else has no anchor.
std::optional<YearlyAnchor> parse(const QString& text);
QString format(const YearlyAnchor& anchor);

// The anchor of a picked moment (seconds dropped): the solar date itself, or its lunar date.
// None for a lunar date outside the calendar's span or before the year 1.
std::optional<YearlyAnchor> anchorOf(RepeatCalendar calendar, const QDateTime& picked);

// The occurrence in one year: the solar year for a solar anchor, the lunar year for a lunar
// one. None before the origin's year, and for a lunar anchor outside the calendar's span (it
// ends with 2100) or in a year that left the month out.
//
// Solar: the same month and day; 29 February falls on 28 February in common years. Lunar: the
// same month and day; day 30 falls on the 29th in a month of 29 days; a leap month comes back
// in the leap month when the year has one of that number, otherwise in the common month.
std::optional<QDateTime> occurrenceInYear(const YearlyAnchor& anchor, int year);

// The first occurrence strictly later than `after`, however far `after` lies beyond the
// origin. None once the series has left the calendar's span.
std::optional<QDateTime> nextOccurrence(const YearlyAnchor& anchor, const QDateTime& after);

// The last occurrence not later than `notAfter`: the one a (possibly postponed) start belongs
// to. None before the origin.
std::optional<QDateTime> latestOccurrence(const YearlyAnchor& anchor, const QDateTime& notAfter);

// Every occurrence whose date lies in [from, to], in date order.
std::vector<QDateTime> occurrencesBetween(const YearlyAnchor& anchor, const QDate& from,
                                          const QDate& to);

// How many years an occurrence lies after the origin, 0 for the origin itself; lunar anchors
// count lunar years, so a twelfth-month birthday in the next January still counts the year
// before.
int yearsAfterOrigin(const YearlyAnchor& anchor, const QDateTime& occurrence);

// "农历 八月十五", "农历 闰四月初三": the lunar date of a day; empty outside the calendar's span.
QString lunarDateText(const QDate& solarDate);

} // namespace YearlyRepeat
