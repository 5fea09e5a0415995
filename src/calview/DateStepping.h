#pragma once

// Where the month and year spin buttons lead. The month spin runs 0..13 so that one step past
// December or before January changes the year; the day is pulled back to the last day the
// target month has. Dates outside the years 1..2100 are never produced, and no search for a
// valid day runs for such a year.

#include <QDate>
#include <optional>

namespace DateStepping {

inline constexpr int kFirstYear = 1;
inline constexpr int kLastYear = 2100;

bool yearInRange(int year);

// The date (year, month, day) or, when the month is shorter, its last day; nothing for a year
// outside 1..2100, a month outside 1..12 or a day below 1.
std::optional<QDate> dayOrLastOfMonth(int year, int month, int day);

struct Step {
    // The spin positions after the step.
    int yearSpin = 0;
    int monthSpin = 0;
    // The date to show; nothing when the step leaves the years 1..2100, in which case the
    // spins are back at the year and month of `current`.
    std::optional<QDate> target;
};

// One step of the month spin, which now stands at `monthSpin` (0..13), from the shown date.
Step monthStep(QDate current, int monthSpin);

// The year spin now stands at `yearSpin`: the shown month and day in that year (the day pulled
// back when needed); nothing when there is no such date.
std::optional<QDate> yearStep(QDate current, int yearSpin);

} // namespace DateStepping
