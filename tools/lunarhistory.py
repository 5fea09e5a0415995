#!/usr/bin/env python3
"""Encodes the published lunar months of the years 1 to 1899 for the calendar engine.

Reads the list of lunar month starts (src/chncal/data/lunar-month-starts-1-1899.txt: solar date of
each month's first day, month number, leap flag) and writes src/chncal/LunarHistoryTable.h, one
32-bit word per lunar year. Run from the repository root after changing the list:

    python3 tools/lunarhistory.py

Before the list's first entry (the twelfth month of the year -1, beginning on 1-01-14) come the
months of PRELUDE_STARTS, so that every day of the year 1 has its published month.

It checks the list as it goes (months of 29 or 30 days, except that a year's last month may be
shorter, as the twelfth month of 236 is; every lunar year a run of the numbers 1..12 with at most
one leap month and at most one number left out) and stops with a message otherwise.
"""

import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCE = ROOT / "src/chncal/data/lunar-month-starts-1-1899.txt"
TARGET = ROOT / "src/chncal/LunarHistoryTable.h"

# Where the list ends the engine's own months take over: 1900-01-01 begins the twelfth month of the
# lunar year 1899 and 1900-01-31 the lunar year 1900 (the engine's tests hold it to both).
FOLLOWING_STARTS = [((1900, 1, 1), 12, False), ((1900, 1, 31), 1, False)]

# The published months of the year -1 before the list's first one: the eleventh month began on 15
# December of 1 BC (Julian), so that 1 January of the year 1 is its eighteenth day. Only dates of
# that December are taken here.
PRELUDE_STARTS = [((-1, 12, 15), 11, False)]

# A lunar year's first day is stored as days after 1 January of its number, plus this.
NEW_YEAR_BIAS = 32

MONTH_DAYS = [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]


def is_leap(year):
    if year > 1582:
        return year % 4 == 0 and (year % 100 != 0 or year % 400 == 0)
    return year % 4 == 0


def day_of_year(year, month, day):
    days = MONTH_DAYS[:]
    days[1] = 29 if is_leap(year) else 28
    return sum(days[: month - 1]) + day


def fixed_day(year, month, day):
    """The engine's day number: Julian dates before 1582-10-15, Gregorian from then on."""
    if year == -1 and month == 12:
        return fixed_day(1, 1, 1) - (32 - day)
    if year < 1:
        fail(f"no day number for {(year, month, day)}")
    e = year - 1
    base = day_of_year(year, month, day) + 365 * e + e // 4
    if (year, month, day) < (1582, 10, 15):
        return base - 2
    return base + e // 400 - e // 100


def fail(message):
    sys.exit(f"{SOURCE.name}: {message}")


def read_starts():
    starts = []
    for number, line in enumerate(SOURCE.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        date, month, leap = line.split()
        y, m, d = (int(part) for part in date.split("-"))
        if not 1 <= int(month) <= 12 or leap not in ("0", "1"):
            fail(f"line {number}: bad month {month} or leap flag {leap}")
        starts.append(((y, m, d), int(month), leap == "1"))
    return starts


def encode():
    listed = read_starts()
    # The list opens with the twelfth month of the year -1; every lunar year after it begins
    # with a common first month.
    if not listed or listed[0][1:] != (12, False):
        fail("the list must open with the twelfth month of the year -1")
    prelude = PRELUDE_STARTS + listed[:1]
    if [month for _, month, _ in prelude] != list(range(13 - len(prelude), 13)):
        fail("the months before the first lunar year must be the last ones of the year -1")
    starts = PRELUDE_STARTS + listed + FOLLOWING_STARTS
    days = [fixed_day(*date) for date, _, _ in starts]
    for (date, _, _), (_, month, leap), a, b in zip(starts, starts[1:], days, days[1:]):
        # A last month is measured by the next New Year and may be shorter (reforms).
        last = month == 1 and not leap
        if b - a not in (29, 30) and not (last and 28 <= b - a <= 30):
            fail(f"the month of {date} has {b - a} days")

    first_year_index = len(prelude)
    prelude_offsets = [days[i] - fixed_day(1, 1, 1) for i in range(first_year_index)]
    years = []
    for index, (date, month, leap) in enumerate(
        starts[first_year_index:-1], first_year_index
    ):
        if month == 1 and not leap:
            years.append({"start": index, "months": []})
        years[-1]["months"].append((month, leap, days[index + 1] - days[index]))
    if len(years) != 1899:
        fail(f"{len(years)} lunar years instead of 1899")

    words = []
    for lunar_year, entry in enumerate(years, 1):
        # Under the reformed calendars of 9-23 a year could begin in late December.
        new_year = days[entry["start"]] - fixed_day(lunar_year, 1, 1) + NEW_YEAR_BIAS
        if not 0 <= new_year < 128:
            fail(f"the lunar year {lunar_year} begins on {starts[entry['start']][0]}")
        months = entry["months"]
        numbers = [m for m, leap, _ in months if not leap]
        leaps = [m for m, leap, _ in months if leap]
        skipped = sorted(set(range(1, 13)) - set(numbers))
        if numbers != sorted(set(numbers)) or len(leaps) > 1 or len(skipped) > 1:
            fail(f"the lunar year {lunar_year} has the months {months}")
        leap_month = leaps[0] if leaps else 0
        expected = []
        for number in range(1, 13):
            if number not in skipped:
                expected.append((number, False))
            if number == leap_month:
                expected.append((number, True))
        if [(m, leap) for m, leap, _ in months] != expected:
            fail(f"the leap month of the lunar year {lunar_year} is out of place")
        # The last month runs to the next New Year: only the others need their length.
        long_months = sum(1 << i for i, (_, _, length) in enumerate(months[:-1]) if length == 30)
        words.append(
            new_year | long_months << 7 | leap_month << 19 | (skipped[0] if skipped else 0) << 23
        )
    return prelude_offsets, words


def main():
    prelude_offsets, words = encode()
    rows = []
    for i in range(0, len(words), 8):
        rows.append("    " + ", ".join(f"0x{w:07x}" for w in words[i : i + 8]) + ",")
    TARGET.write_text(
        f"""#pragma once

// Generated by tools/lunarhistory.py from data/{SOURCE.name}: do not edit.
//
// The lunar months of the years 1 to 1899 as the published calendars give them, one word per lunar
// year: bits 0-6 the day on which its first month begins, counted from 1 January of the solar year
// of the same number plus kNewYearBias, bits 7-18 one bit per month in their order but the last
// (set: 30 days, clear: 29; the last month runs to the next New Year), bits 19-22 the month that
// has a leap month after it (0: none), bits 23-26 a month number the year leaves out (0: none).

#include <array>
#include <cstdint>

namespace CnCalendar::LunarHistory {{

inline constexpr int kFirstYear = 1;
inline constexpr int kLastYear = {len(words)};
inline constexpr int kNewYearBias = {NEW_YEAR_BIAS};

// Before the first lunar year come the last months of the year -1, from kPreludeFirstMonth to
// the twelfth; each begins this many days after 1 January of the year 1 (negative: before it).
inline constexpr int kPreludeFirstMonth = {13 - len(prelude_offsets)};
inline constexpr std::array<int, {len(prelude_offsets)}> kPreludeStarts = {{{", ".join(str(o) for o in prelude_offsets)}}};
// After the last lunar year the next one begins on this day of the year {FOLLOWING_STARTS[1][0][0]}.
inline constexpr int kFollowingNewYearDayOfYear = {day_of_year(*FOLLOWING_STARTS[1][0])};

inline constexpr std::array<std::uint32_t, {len(words)}> kYears = {{
{chr(10).join(rows)}
}};

}} // namespace CnCalendar::LunarHistory
""",
        encoding="utf-8",
    )


if __name__ == "__main__":
    main()
