#include "chncal/CnCalendar.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

using namespace CnCalendar;

namespace {

struct Ymd {
    int y, m, d;
};

// The next day in the engine's calendar (the ten days of October 1582 do not exist).
Ymd nextDay(Ymd date) {
    if (date.y == 1582 && date.m == 10 && date.d == 4) {
        return {1582, 10, 15};
    }
    if (++date.d > DaysInMonthOf(date.y, date.m)) {
        date.d = 1;
        if (++date.m > 12) {
            date.m = 1;
            date.y = date.y == -1 ? 1 : date.y + 1;
        }
    }
    return date;
}

LunarDate lunar(int y, int m, int d) {
    LunarDate r;
    EXPECT_TRUE(SolarToLunar(y, m, d, r)) << y << "-" << m << "-" << d;
    return r;
}

} // namespace

TEST(DayArithmetic, CalendarKindAndLeapYearsAroundTheSwitch) {
    struct Case {
        int y, m, d, kind;
    };
    for (const Case& c : std::vector<Case>{{1582, 10, 4, 1},
                                           {1582, 10, 5, 0},
                                           {1582, 10, 14, 0},
                                           {1582, 10, 15, 2},
                                           {1582, 9, 30, 1},
                                           {1582, 11, 1, 2},
                                           {1000, 12, 31, 1},
                                           {2024, 2, 29, 2},
                                           {2023, 2, 29, 0}}) {
        EXPECT_EQ(CalendarKind(c.y, c.m, c.d), c.kind) << c.y << "-" << c.m << "-" << c.d;
    }
    struct Leap {
        int year;
        bool leap;
    };
    for (const Leap& c : std::vector<Leap>{{1582, false},
                                           {1500, true},
                                           {1700, false},
                                           {1600, true},
                                           {2000, true},
                                           {2024, true},
                                           {2100, false},
                                           {-1, true},
                                           {-5, true},
                                           {-4, false}}) {
        EXPECT_EQ(IsLeapYearOf(c.year), c.leap) << c.year;
    }
    EXPECT_EQ(DaysInMonthOf(1500, 2), 29);
    EXPECT_EQ(DaysInMonthOf(1700, 2), 28);
    EXPECT_EQ(DaysInMonthOf(1582, 10), 31);
    EXPECT_EQ(DayOfYearOf(2024, 12, 31), 366);
    EXPECT_EQ(DayOfYearOf(2023, 3, 1), 60);
}

TEST(DayArithmetic, DayCountsOfTheExamplesAndAcrossTheSwitch) {
    EXPECT_EQ(DaySerial(2000, 1, 1), 730122);
    EXPECT_EQ(DaySerial(1, 1, 1), 1);
    EXPECT_EQ(DaySerial(-1, 12, 31), 0);
    EXPECT_EQ(DaySerial(1582, 10, 15), DaySerial(1582, 10, 4) + 1);
    EXPECT_EQ(FixedDay(1582, 10, 4), 577735);
    EXPECT_EQ(FixedDay(1582, 10, 15), 577736);
    EXPECT_EQ(FixedDay(2000, 1, 1), 730120);
    EXPECT_EQ(FixedDay(2024, 1, 0), FixedDay(2023, 12, 31));
    EXPECT_EQ(FixedDay(1582, 10, 10), 0);
    EXPECT_EQ(DaySerial(1582, 10, 10), 0);
}

TEST(DayArithmetic, FixedDayRoundTripsEveryGregorianDate) {
    int previous = FixedDay(1582, 10, 4);
    for (Ymd d{1582, 10, 15}; d.y <= 2500; d = nextDay(d)) {
        const int n = FixedDay(d.y, d.m, d.d);
        ASSERT_EQ(n, previous + 1) << d.y << "-" << d.m << "-" << d.d;
        previous = n;
        int y = 0, m = 0, day = 0;
        ASSERT_TRUE(DateFromFixedDay(n, y, m, day));
        ASSERT_EQ(y * 10000 + m * 100 + day, d.y * 10000 + d.m * 100 + d.d) << n;
    }
    for (const Ymd& d : {Ymd{9999, 12, 31}, Ymd{100000, 2, 29}, Ymd{400000, 3, 1}}) {
        int y = 0, m = 0, day = 0;
        ASSERT_TRUE(DateFromFixedDay(FixedDay(d.y, d.m, d.d), y, m, day));
        EXPECT_EQ(std::make_tuple(y, m, day), std::make_tuple(d.y, d.m, d.d));
    }
}

TEST(DayArithmetic, JulianDecodingIsMonotonicAndYieldsRealDates) {
    int py = 0, pm = 0, pd = 0;
    for (int n = 0; n <= 577735; n += 97) {
        int y = 0, m = 0, d = 0;
        ASSERT_TRUE(DateFromFixedDay(n, y, m, d)) << n;
        ASSERT_NE(CalendarKind(y, m, d), 0) << n;
        ASSERT_GE(CompareDates(y, m, d, py, pm, pd), 0) << n;
        py = y;
        pm = m;
        pd = d;
    }
}

TEST(Sexagenary, StemsBranchesAndNames) {
    EXPECT_EQ(CycleFromStemBranch(0, 1), -1);
    EXPECT_EQ(CycleFromStemBranch(0, 0), 0);
    EXPECT_EQ(CycleFromStemBranch(9, 11), 59);
    for (int n = 0; n < 60; ++n) {
        int stem = 0, branch = 0;
        ASSERT_TRUE(CycleToStemBranch(n, stem, branch));
        EXPECT_EQ(CycleFromStemBranch(stem, branch), n);
        EXPECT_EQ(CycleName(n), std::string(StemTable[stem]) + std::string(BranchTable[branch]));
    }
    EXPECT_EQ(CycleName(0), "甲子");
    EXPECT_EQ(CycleName(40), "甲辰");
    EXPECT_EQ(CycleName(59), "癸亥");
    EXPECT_EQ(YearCycleOfNumber(4), 0);
    EXPECT_EQ(YearCycleOfNumber(1984), 0);
    EXPECT_EQ(YearCycleOfNumber(2044), 0);
    EXPECT_EQ(YearCycleOfNumber(2024), 40);
    EXPECT_EQ(YearCycleOfNumber(1), 57);  // 辛酉
    EXPECT_EQ(YearCycleOfNumber(-1), 56); // 庚申, no year zero between them
    EXPECT_EQ(YearBranchOfNumber(2024), 4);
    EXPECT_EQ(AnimalName(4), "龙");
    EXPECT_EQ(DayCycle(2000, 1, 1), 54);
    EXPECT_EQ(DayCycle(1582, 10, 15), DayCycle(1582, 10, 4) + 1);
}

TEST(names, LunarDayNamesAndStarSigns) {
    struct Day {
        int day;
        const char* name;
    };
    for (const Day& c : std::vector<Day>{{0, ""},
                                         {1, "初一"},
                                         {9, "初九"},
                                         {10, "初十"},
                                         {11, "十一"},
                                         {20, "二十"},
                                         {21, "廿一"},
                                         {29, "廿九"},
                                         {30, "三十"},
                                         {31, ""}}) {
        EXPECT_EQ(LunarDayName(c.day), c.name) << c.day;
    }
    struct Sign {
        int m, d, sign;
    };
    for (const Sign& c : std::vector<Sign>{{1, 19, 9},
                                           {1, 20, 10},
                                           {2, 18, 10},
                                           {2, 19, 11},
                                           {3, 21, 0},
                                           {12, 21, 8},
                                           {12, 22, 9},
                                           {12, 31, 9}}) {
        EXPECT_EQ(StarSignOf(c.m, c.d), c.sign) << c.m << "-" << c.d;
    }
}

TEST(names, StarSignsChangeOnTheirFirstDaysThroughALeapYear) {
    // First day of each sign; the days before 20 January belong to 摩羯 (9).
    const int firsts[12][3] = {{1, 20, 10}, {2, 19, 11}, {3, 21, 0},  {4, 21, 1},
                               {5, 21, 2},  {6, 22, 3},  {7, 23, 4},  {8, 23, 5},
                               {9, 23, 6},  {10, 23, 7}, {11, 23, 8}, {12, 22, 9}};
    int expected = 9;
    std::size_t next = 0;
    for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= DaysInMonthOf(2024, m); ++d) {
            if (next < 12 && firsts[next][0] == m && firsts[next][1] == d) {
                expected = firsts[next++][2];
            }
            ASSERT_EQ(StarSignOf(m, d), expected) << m << "-" << d;
        }
    }
    EXPECT_EQ(next, 12u);
}

TEST(SolarTerms, TheTermsOf2024FallOnThePublishedDays) {
    // Month and day of 小寒, 大寒, 立春 ... 冬至 in 2024.
    const int published[24][2] = {{1, 6},  {1, 20},  {2, 4},  {2, 19},  {3, 5},  {3, 20},
                                  {4, 4},  {4, 19},  {5, 5},  {5, 20},  {6, 5},  {6, 21},
                                  {7, 6},  {7, 22},  {8, 7},  {8, 22},  {9, 7},  {9, 22},
                                  {10, 8}, {10, 23}, {11, 7}, {11, 22}, {12, 6}, {12, 21}};
    for (int slot = 0; slot < 24; ++slot) {
        int m = 0, d = 0, h = 0, mi = 0;
        ASSERT_TRUE(SolarTermDate(2024, slot, m, d, h, mi));
        EXPECT_EQ(m * 100 + d, published[slot][0] * 100 + published[slot][1])
            << SolarTermName((slot + 22) % 24);
    }
    int m = 0, d = 0, h = 0, mi = 0;
    ASSERT_TRUE(SolarTermDate(2024, 0, m, d, h, mi));
    EXPECT_LE(std::abs(h * 60 + mi - (4 * 60 + 47)), 1) << h << ":" << mi;
}

TEST(SolarTerms, TermsNearMidnightAreMovedToTheRightDay) {
    struct Shift {
        int year, term, shift;
    };
    for (const Shift& s : std::vector<Shift>{{1979, 2, -1},
                                             {2016, 13, +1},
                                             {2020, 23, +1},
                                             {2037, 18, +1},
                                             {2040, 19, +1},
                                             {2042, 14, +1},
                                             {2051, 6, -1},
                                             {2059, 4, +1},
                                             {2083, 3, -1},
                                             {2084, 6, -1},
                                             {2085, 1, -1},
                                             {2097, 9, +1}}) {
        int m = 0, d = 0, h = 0, mi = 0;
        ASSERT_TRUE(SolarTermDate(s.year, s.term - 1, m, d, h, mi));
        EXPECT_EQ(h * 60 + mi, s.shift > 0 ? 0 : 23 * 60 + 59) << s.year << " " << s.term;
    }
    struct Example {
        int year, slot, month, day;
    };
    for (const Example& e :
         std::vector<Example>{{2016, 12, 7, 7}, {2020, 22, 12, 7}, {2083, 2, 2, 3}}) {
        int m = 0, d = 0, h = 0, mi = 0;
        ASSERT_TRUE(SolarTermDate(e.year, e.slot, m, d, h, mi));
        EXPECT_EQ(m * 100 + d, e.month * 100 + e.day) << e.year;
    }
}

TEST(SolarTerms, SlotOutOfRangeFailsWithoutWriting) {
    for (int slot : {-1, 24, 60}) {
        int m = 77, d = 77, h = 77, mi = 77;
        EXPECT_FALSE(SolarTermDate(2024, slot, m, d, h, mi));
        EXPECT_EQ(m + d + h + mi, 4 * 77);
    }
}

TEST(SolarMonths, MonthAndYearCyclesChangeAtTheTerms) {
    // The day before 2024's 小寒 still belongs to solar month 11 (甲子), whatever 小寒 of
    // the previous year says; 小寒 begins 乙丑, 立春 begins 丙寅 and the year 甲辰.
    EXPECT_EQ(CycleName(MonthCycle(2024, 1, 5)), "甲子");
    EXPECT_EQ(CycleName(MonthCycle(2024, 1, 6)), "乙丑");
    EXPECT_EQ(CycleName(MonthCycle(2024, 2, 3)), "乙丑");
    EXPECT_EQ(CycleName(MonthCycle(2024, 2, 4)), "丙寅");
    EXPECT_EQ(CycleName(YearCycleOfDate(2024, 2, 3)), "癸卯");
    EXPECT_EQ(CycleName(YearCycleOfDate(2024, 2, 4)), "甲辰");
    int cycleYear = 0, solarMonth = 0;
    ASSERT_TRUE(SolarMonthOf(2024, 1, 5, cycleYear, solarMonth));
    EXPECT_EQ(cycleYear * 100 + solarMonth, 2023 * 100 + 11);

    // Every day of 1929-2100: the day cycle steps by one, the month cycle steps by one exactly
    // on the first term of each Gregorian month, the year cycle exactly on 立春.
    Ymd prev{1928, 12, 31};
    for (Ymd d{1929, 1, 1}; d.y <= 2100; prev = d, d = nextDay(d)) {
        int tm = 0, td = 0, h = 0, mi = 0;
        ASSERT_TRUE(SolarTermDate(d.y, 2 * (d.m - 1), tm, td, h, mi));
        const bool monthBegins = tm == d.m && td == d.d;
        const int month = MonthCycle(d.y, d.m, d.d);
        const int prevMonth = MonthCycle(prev.y, prev.m, prev.d);
        ASSERT_EQ(month, monthBegins ? (prevMonth + 1) % 60 : prevMonth)
            << d.y << "-" << d.m << "-" << d.d;
        ASSERT_EQ(DayCycle(d.y, d.m, d.d), (DayCycle(prev.y, prev.m, prev.d) + 1) % 60);
        const int year = YearCycleOfDate(d.y, d.m, d.d);
        const int prevYear = YearCycleOfDate(prev.y, prev.m, prev.d);
        ASSERT_EQ(year, d.m == 2 && monthBegins ? (prevYear + 1) % 60 : prevYear)
            << d.y << "-" << d.m << "-" << d.d;
    }
}

TEST(LunarData, LeapTablesMatchTheirPublishedValues) {
    EXPECT_EQ(LeapMonthTable.size(), 2950u);
    struct count {
        int year, count;
    };
    for (const count& c : std::vector<count>{{-849, 0},
                                             {-848, 1},
                                             {1, 311},
                                             {1499, 864},
                                             {1500, 863},
                                             {1900, 1011},
                                             {2000, 1047},
                                             {2100, 1084}}) {
        EXPECT_EQ(LeapCountThrough(c.year), c.count) << c.year;
    }
    EXPECT_EQ(LeapCountThrough(0), LeapCountThrough(-1));
    // From 1200 the count runs one ahead of the plain count of leap years.
    EXPECT_EQ(LeapCountThrough(1200) - LeapCountThrough(1199), 1 + (LeapMonthOf(1200) != 0));
    EXPECT_EQ(LeapMonthOf(2023), 2);
    EXPECT_EQ(LeapMonthOf(2033), 11);
    EXPECT_EQ(LeapMonthOf(2024), 0);
    EXPECT_EQ(LeapMonthTable[static_cast<std::size_t>(-848 + 849)], 'c');
}

TEST(LunarConversion, ExamplesIncludingTheCorrectedLunations) {
    struct Case {
        int y, m, d;
        LunarDate expected;
    };
    for (const Case& c : std::vector<Case>{{2024, 2, 9, {2023, 12, 30, false}},
                                           {2024, 2, 10, {2024, 1, 1, false}},
                                           {2023, 3, 22, {2023, 2, 1, true}},
                                           {2023, 4, 19, {2023, 2, 29, true}},
                                           {2023, 4, 20, {2023, 3, 1, false}},
                                           {2020, 5, 23, {2020, 4, 1, true}},
                                           {2020, 6, 21, {2020, 5, 1, false}},
                                           {2033, 12, 22, {2033, 11, 1, true}},
                                           {2034, 1, 20, {2033, 12, 1, false}},
                                           {1900, 1, 31, {1900, 1, 1, false}},
                                           {1900, 1, 30, {1899, 12, 30, false}},
                                           {1924, 3, 5, {1924, 2, 1, false}},
                                           {2018, 11, 7, {2018, 9, 30, false}},
                                           {2025, 4, 27, {2025, 3, 30, false}},
                                           {2025, 4, 28, {2025, 4, 1, false}},
                                           {2025, 5, 26, {2025, 4, 29, false}},
                                           {1916, 2, 3, {1916, 1, 1, false}},
                                           {2100, 2, 9, {2100, 1, 1, false}}}) {
        const LunarDate r = lunar(c.y, c.m, c.d);
        EXPECT_EQ(r, c.expected) << c.y << "-" << c.m << "-" << c.d << ": " << r.Year << "/"
                                 << r.Month << "/" << r.Day << (r.Leap ? " leap" : "");
    }
}

TEST(LunarConversion, CorrectedLunationsBeginAndEndOnThePublishedDays) {
    // Each range is one lunation the new-moon series places a day late (+1) or early (-1):
    // after the correction a +1 range starts a month, a -1 range starts on the last day of the
    // previous month, and the day after each range starts the next month.
    struct Range {
        Ymd from, to;
        int shift;
    };
    for (const Range& r : std::vector<Range>{{{1914, 11, 17}, {1914, 12, 16}, +1},
                                             {{1916, 2, 3}, {1916, 3, 3}, +1},
                                             {{1920, 11, 10}, {1920, 12, 9}, +1},
                                             {{1924, 3, 5}, {1924, 4, 3}, +1},
                                             {{2018, 11, 7}, {2018, 12, 6}, -1},
                                             {{2057, 9, 28}, {2057, 10, 27}, -1}}) {
        SCOPED_TRACE(std::to_string(r.from.y) + "-" + std::to_string(r.from.m));
        EXPECT_EQ(lunar(r.from.y, r.from.m, r.from.d).Day, r.shift > 0 ? 1 : 30);
        const Ymd after = nextDay(r.to);
        EXPECT_EQ(lunar(after.y, after.m, after.d).Day, 1);
        if (r.shift < 0) {
            const Ymd second = nextDay(r.from);
            EXPECT_EQ(lunar(second.y, second.m, second.d).Day, 1);
        }
    }
}

TEST(LunarConversion, LunarYears2023And2033MonthByMonth) {
    struct Month {
        int month;
        bool leap;
        Ymd first;
        int days;
    };
    const std::vector<std::pair<int, std::vector<Month>>> years = {
        {2023,
         {{1, false, {2023, 1, 22}, 29},
          {2, false, {2023, 2, 20}, 30},
          {2, true, {2023, 3, 22}, 29},
          {3, false, {2023, 4, 20}, 29},
          {4, false, {2023, 5, 19}, 30},
          {5, false, {2023, 6, 18}, 30},
          {6, false, {2023, 7, 18}, 29},
          {7, false, {2023, 8, 16}, 30},
          {8, false, {2023, 9, 15}, 30},
          {9, false, {2023, 10, 15}, 29},
          {10, false, {2023, 11, 13}, 30},
          {11, false, {2023, 12, 13}, 29},
          {12, false, {2024, 1, 11}, 30}}},
        {2033,
         {{1, false, {2033, 1, 31}, 29},
          {2, false, {2033, 3, 1}, 30},
          {3, false, {2033, 3, 31}, 29},
          {4, false, {2033, 4, 29}, 29},
          {5, false, {2033, 5, 28}, 30},
          {6, false, {2033, 6, 27}, 29},
          {7, false, {2033, 7, 26}, 30},
          {8, false, {2033, 8, 25}, 29},
          {9, false, {2033, 9, 23}, 30},
          {10, false, {2033, 10, 23}, 30},
          {11, false, {2033, 11, 22}, 30},
          {11, true, {2033, 12, 22}, 29},
          {12, false, {2034, 1, 20}, 30}}},
    };
    for (const auto& [lunarYear, months] : years) {
        for (const Month& month : months) {
            // Every day of the month converts to it, in order, and back again.
            Ymd d = month.first;
            for (int day = 1; day <= month.days; ++day, d = nextDay(d)) {
                const LunarDate expected{lunarYear, month.month, day, month.leap};
                ASSERT_EQ(lunar(d.y, d.m, d.d), expected) << d.y << "-" << d.m << "-" << d.d;
                int y = 0, m = 0, dd = 0;
                ASSERT_TRUE(LunarToSolar(lunarYear, month.month, day, month.leap, y, m, dd));
                ASSERT_EQ(y * 10000 + m * 100 + dd, d.y * 10000 + d.m * 100 + d.d);
            }
            EXPECT_EQ(lunar(d.y, d.m, d.d).Day, 1) << lunarYear << " month " << month.month;
            int y = 0, m = 0, dd = 0;
            EXPECT_FALSE(
                LunarToSolar(lunarYear, month.month, month.days + 1, month.leap, y, m, dd));
        }
    }
}

TEST(LunarConversion, EveryDayFromTheSwitchTo2100FollowsTheMonths) {
    // Each day is the next day of the same month, or day 1 of the month that follows a month
    // of 29 or 30 days: the leap month where the table puts one, else the next number, with
    // the year turning at month 1. This catches a lunation shifted by one day, a leap month
    // out of place and a New Year on the wrong side.
    LunarDate prev = lunar(1582, 10, 1);
    for (Ymd d{1582, 10, 2}; d.y <= 2100; d = nextDay(d)) {
        LunarDate r;
        ASSERT_TRUE(SolarToLunar(d.y, d.m, d.d, r)) << d.y << "-" << d.m << "-" << d.d;
        LunarDate expected = prev;
        if (r.Day == 1) {
            ASSERT_TRUE(prev.Day == 29 || prev.Day == 30) << d.y << "-" << d.m << "-" << d.d;
            expected.Day = 1;
            if (!prev.Leap && LeapMonthOf(prev.Year) == prev.Month) {
                expected.Leap = true;
            } else {
                expected.Leap = false;
                expected.Month = prev.Month % 12 + 1;
                expected.Year += prev.Month == 12 ? 1 : 0;
            }
        } else {
            expected.Day += 1;
        }
        ASSERT_EQ(r, expected) << d.y << "-" << d.m << "-" << d.d << ": " << r.Year << "/"
                               << r.Month << "/" << r.Day << (r.Leap ? " leap" : "");
        prev = r;
    }
}

TEST(LunarConversion, NewYearSearchFindsEveryNewYearOf1900To2100) {
    for (int year = 1900; year <= 2100; ++year) {
        int y = 0, m = 0, d = 0;
        ASSERT_TRUE(LunarToSolar(year, 1, 1, false, y, m, d)) << year;
        EXPECT_EQ(lunar(y, m, d), (LunarDate{year, 1, 1, false})) << year;
        const Ymd eve = [&] {
            Ymd e{y, m, d - 1};
            if (e.d == 0) {
                e = {y, m - 1, 31};
            }
            return e;
        }();
        EXPECT_EQ(lunar(eve.y, eve.m, eve.d).Year, year - 1) << year;
    }
}

TEST(LunarConversion, LeapRequestsAndMissingDaysFail) {
    int y = 0, m = 0, d = 0;
    EXPECT_FALSE(LunarToSolar(2024, 2, 1, true, y, m, d));
    EXPECT_FALSE(LunarToSolar(2023, 3, 1, true, y, m, d));
    ASSERT_TRUE(LunarToSolar(2023, 2, 1, true, y, m, d));
    EXPECT_EQ(y * 10000 + m * 100 + d, 20230322);
    EXPECT_FALSE(LunarToSolar(2023, 1, 30, false, y, m, d)); // month 1 of 2023 has 29 days
    // Lunar 2100 month 12 begins on 2100-12-31; its other days lie in 2101, beyond the data.
    ASSERT_TRUE(LunarToSolar(2100, 12, 1, false, y, m, d));
    EXPECT_EQ(y * 10000 + m * 100 + d, 21001231);
    EXPECT_FALSE(LunarToSolar(2100, 12, 2, false, y, m, d));
    EXPECT_EQ(CompareLunarDates({2023, 2, 1, true}, {2023, 2, 29, false}), 1);
    EXPECT_EQ(CompareLunarDates({2023, 2, 1, true}, {2023, 3, 1, false}), -1);
    EXPECT_EQ(CompareLunarDates({2023, 2, 1, true}, {2023, 2, 1, true}), 0);
}

TEST(BadInput, EveryOperationAnswersWithItsFailureValue) {
    const std::vector<Ymd> nonDates = {{2024, 0, 1},    {2024, 13, 1},   {2024, -1, 1},
                                       {2024, 1, 0},    {2024, 1, 32},   {2023, 2, 29},
                                       {INT_MAX, 1, 1}, {INT_MIN, 1, 1}, {-2000000, 6, 1}};
    for (const Ymd& d : nonDates) {
        SCOPED_TRACE(std::to_string(d.y) + "-" + std::to_string(d.m) + "-" + std::to_string(d.d));
        EXPECT_EQ(CalendarKind(d.y, d.m, d.d), 0);
        EXPECT_EQ(DayOfYearOf(d.y, d.m, d.d), 0);
        EXPECT_EQ(DaySerial(d.y, d.m, d.d), 0);
        EXPECT_EQ(YearCycleOfDate(d.y, d.m, d.d), -1);
        EXPECT_EQ(DayCycle(d.y, d.m, d.d), -1);
        EXPECT_EQ(MonthCycle(d.y, d.m, d.d), -1);
        EXPECT_EQ(LunarDayOf(d.y, d.m, d.d), -1);
        EXPECT_EQ(LunarMonthOf(d.y, d.m, d.d), 0);
        int a = 7, b = 7;
        bool leap = true;
        EXPECT_FALSE(SolarMonthOf(d.y, d.m, d.d, a, b));
        EXPECT_FALSE(LunarMonthDay(d.y, d.m, d.d, a, b, leap));
        EXPECT_EQ(a + b, 14);
        LunarDate r{1, 2, 3, true};
        EXPECT_FALSE(SolarToLunar(d.y, d.m, d.d, r));
        EXPECT_EQ(r, (LunarDate{1, 2, 3, true}));
    }
    EXPECT_EQ(FixedDay(2024, 1, -1), 0);
    EXPECT_EQ(FixedDay(2024, 13, 1), 0);
    for (int month : {0, 13, -1}) {
        EXPECT_EQ(DaysInMonthOf(2024, month), 0);
    }
    for (int index : {-1, 60}) {
        EXPECT_EQ(CycleName(index), "");
        EXPECT_EQ(AnimalName(index), "");
        EXPECT_EQ(SolarTermName(index), "");
        EXPECT_EQ(StarSignName(index), "");
        int stem = 0, branch = 0;
        EXPECT_FALSE(CycleToStemBranch(index, stem, branch));
        EXPECT_EQ(stem + branch, -2);
        EXPECT_EQ(CycleFromStemBranch(index, 0), -1);
        EXPECT_EQ(CycleFromStemBranch(0, index), -1);
    }
    EXPECT_EQ(StarSignOf(13, 1), -1);
    EXPECT_EQ(StarSignOf(2, 30), -1);
    EXPECT_EQ(StarSignOf(1, 0), -1);
    EXPECT_EQ(SolarTermDayOfYear(2024, 0), 0.0);
    EXPECT_EQ(SolarTermDayOfYear(2024, 49), 0.0);
    EXPECT_EQ(SolarTermDayOfYear(INT_MAX, 1), 0.0);
    EXPECT_EQ(YearCycleOfNumber(INT_MIN), -1);
    EXPECT_EQ(YearBranchOfNumber(INT_MAX), -1);
    EXPECT_FALSE(IsLeapYearOf(INT_MIN));

    int y = 0, m = 0, d = 0;
    EXPECT_FALSE(DateFromFixedDay(-1, y, m, d));
    EXPECT_FALSE(DateFromFixedDay(INT_MAX, y, m, d)); // beyond the years the engine takes

    // Years far outside the lunar span: day arithmetic still works, the lunar calendar fails.
    for (int year : {-100000, 100000}) {
        EXPECT_EQ(DaysInMonthOf(year, 2), IsLeapYearOf(year) ? 29 : 28);
        EXPECT_NE(DayCycle(year, 6, 1), -1);
        EXPECT_EQ(LeapMonthOf(year), -1);
        EXPECT_EQ(LeapCountThrough(year), -1);
        EXPECT_EQ(LunarDayOf(year, 6, 1), -1);
        LunarDate r;
        EXPECT_FALSE(SolarToLunar(year, 6, 1, r));
        EXPECT_FALSE(LunarToSolar(year, 1, 1, false, y, m, d));
    }
    for (const Ymd& d2 : {Ymd{2101, 1, 1}, Ymd{-850, 12, 31}}) {
        LunarDate r;
        EXPECT_FALSE(SolarToLunar(d2.y, d2.m, d2.d, r)) << d2.y;
    }
    for (int month : {0, 13, -1}) {
        EXPECT_FALSE(LunarToSolar(2024, month, 1, false, y, m, d));
    }
    for (int day : {0, 31, -1}) {
        EXPECT_FALSE(LunarToSolar(2024, 1, day, false, y, m, d));
    }
    // The ten skipped days of 1582 have no lunar date.
    LunarDate r;
    EXPECT_FALSE(SolarToLunar(1582, 10, 10, r));
}

TEST(LunarHistory, EveryPublishedMonthStartConvertsBothWays) {
    std::ifstream list(QX_LUNAR_MONTH_LIST);
    ASSERT_TRUE(list) << QX_LUNAR_MONTH_LIST;
    // The list opens with the twelfth month of the year -1; each common first month begins a
    // lunar year.
    int lunarYear = -1;
    int months = 0;
    for (std::string line; std::getline(list, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        Ymd d{};
        int month = 0;
        int leap = 0;
        char dash = 0;
        std::istringstream(line) >> d.y >> dash >> d.m >> dash >> d.d >> month >> leap;
        if (month == 1 && leap == 0 && months > 0) {
            lunarYear = lunarYear == -1 ? 1 : lunarYear + 1;
        }
        ++months;
        const LunarDate expected{lunarYear, month, 1, leap == 1};
        LunarDate r;
        ASSERT_TRUE(SolarToLunar(d.y, d.m, d.d, r)) << line;
        ASSERT_EQ(r, expected) << line << ": " << r.Year << "/" << r.Month << "/" << r.Day;
        int y = 0, m = 0, day = 0;
        ASSERT_TRUE(LunarToSolar(lunarYear, month, 1, leap == 1, y, m, day)) << line;
        ASSERT_EQ(std::make_tuple(y, m, day), std::make_tuple(d.y, d.m, d.d)) << line;
    }
    EXPECT_EQ(months, 23487);
    EXPECT_EQ(lunarYear, 1899);
}

TEST(LunarHistory, WellKnownDatesAndTheSeams) {
    struct Case {
        Ymd solar;
        LunarDate lunar;
    };
    for (const Case& c :
         std::vector<Case>{{{1368, 1, 23}, {1368, 1, 4, false}}, // 洪武元年正月初四
                           {{1368, 8, 14}, {1368, 7, 1, true}},  // 1368 had a leap seventh month
                           {{1368, 9, 13}, {1368, 8, 1, false}},
                           {{1648, 5, 22}, {1648, 4, 1, true}}, // and 1648 a leap fourth
                           {{1582, 10, 4}, {1582, 9, 18, false}},
                           {{1582, 10, 15}, {1582, 9, 19, false}}, // the next day after the switch
                           {{16, 1, 1}, {16, 1, 3, false}},        // a year that began in December
                           {{237, 2, 11}, {236, 12, 28, false}},   // a month of 28 days
                           {{237, 4, 12}, {237, 4, 1, false}},     // 237 left out its third month
                           {{-1, 12, 15}, {-1, 11, 1, false}},     // the month before the list's
                           {{1, 1, 1}, {-1, 11, 18, false}},       // first, 30 days
                           {{1, 1, 13}, {-1, 11, 30, false}},
                           {{1, 1, 14}, {-1, 12, 1, false}}, // the list's first month
                           {{1899, 12, 31}, {1899, 11, 29, false}},
                           {{1900, 1, 1}, {1899, 12, 1, false}}, // the series takes over again
                           {{-100, 1, 10}, {-101, 11, 21, false}}}) {
        const Ymd d = c.solar;
        EXPECT_EQ(lunar(d.y, d.m, d.d), c.lunar) << d.y << "-" << d.m << "-" << d.d;
    }
    EXPECT_EQ(LeapMonthOf(1368), 7);
    EXPECT_EQ(LeapMonthOf(1648), 4);
    EXPECT_EQ(LeapMonthOf(1367), 0);
    int y = 0, m = 0, d = 0;
    EXPECT_FALSE(LunarToSolar(237, 3, 1, false, y, m, d));
    EXPECT_FALSE(LunarToSolar(1368, 6, 1, true, y, m, d));
    EXPECT_FALSE(LunarToSolar(236, 12, 29, false, y, m, d));
    ASSERT_TRUE(LunarToSolar(1899, 12, 30, false, y, m, d));
    EXPECT_EQ(std::make_tuple(y, m, d), std::make_tuple(1900, 1, 30));
    EXPECT_FALSE(LunarToSolar(-1, 11, 1, true, y, m, d)); // no leap month before the list's
}

TEST(LunarConversion, EveryDayOfTheSpanRoundTrips) {
    // From the first day of the span to its last: each day converts, the lunar dates only grow
    // (every month named once), and the lunar date converts back to the same day.
    LunarDate prev{INT_MIN, 0, 0, false};
    int days = 0;
    for (Ymd d{MinLunarYear, 1, 1}; d.y <= MaxLunarYear; d = nextDay(d), ++days) {
        LunarDate r;
        ASSERT_TRUE(SolarToLunar(d.y, d.m, d.d, r)) << d.y << "-" << d.m << "-" << d.d;
        ASSERT_TRUE(r.Day >= 1 && r.Day <= 30) << d.y << "-" << d.m << "-" << d.d;
        ASSERT_EQ(CompareLunarDates(r, prev), 1) << d.y << "-" << d.m << "-" << d.d;
        int y = 0, m = 0, day = 0;
        ASSERT_TRUE(LunarToSolar(r.Year, r.Month, r.Day, r.Leap, y, m, day))
            << r.Year << "/" << r.Month << "/" << r.Day << (r.Leap ? " leap" : "");
        ASSERT_EQ(std::make_tuple(y, m, day), std::make_tuple(d.y, d.m, d.d));
        prev = r;
    }
    EXPECT_EQ(days, 1077109);
}
