#pragma once

// The Chinese calendar engine: day arithmetic over the Julian and Gregorian calendars (with the
// switch of October 1582), the sexagenary cycle, the 24 solar terms, star signs and the lunar
// calendar. Pure functions of their arguments; texts are UTF-8.
//
// Bad input never raises: it is answered with an empty text, -1, 0 or a false flag, as each
// function says. Functions that report success through a flag write their outputs only when
// they succeed (CycleToStemBranch is the one exception: it writes -1, -1 on failure).
//
// Years have no year zero in the date functions (year -1 is the year before year 1). Integer
// division truncates toward zero, as in the formulas the engine is built on.

#include <array>
#include <string>
#include <string_view>

namespace CnCalendar {

// Years beyond this magnitude are refused by every date function, so that no day count can
// overflow.
inline constexpr int MaxAbsYear = 1'000'000;

// The span of the lunar calendar: every day of these solar years converts, and back. The months
// of 1900-2100 come from a new-moon series and a month count run on a leap-month table; those of
// the years 1-1899 are the published ones (src/chncal/data, encoded in LunarHistoryTable.h);
// before the year 1 the series' lunations are kept whole and numbered from the count. The first
// days of the span belong to the lunar year -850.
inline constexpr int MinLunarYear = -849;
inline constexpr int MaxLunarYear = 2100;

inline constexpr std::array<std::string_view, 10> StemTable = {"甲", "乙", "丙", "丁", "戊",
                                                               "己", "庚", "辛", "壬", "癸"};
inline constexpr std::array<std::string_view, 12> BranchTable = {
    "子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥"};
inline constexpr std::array<std::string_view, 12> AnimalTable = {
    "鼠", "牛", "虎", "兔", "龙", "蛇", "马", "羊", "猴", "鸡", "狗", "猪"};
inline constexpr std::array<std::string_view, 12> StarSignTable = {
    "白羊", "金牛", "双子", "巨蟹", "狮子", "处女", "天秤", "天蝎", "射手", "摩羯", "宝瓶", "双鱼"};
// Index 0 is the beginning of spring (立春). Not the same numbering as the term numbers of
// SolarTermDayOfYear, which start at 小寒 = 1.
inline constexpr std::array<std::string_view, 24> SolarTermTable = {
    "立春", "雨水", "惊蛰", "春分", "清明", "谷雨", "立夏", "小满", "芒种", "夏至", "小暑", "大暑",
    "立秋", "处暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至", "小寒", "大寒"};
inline constexpr std::array<std::string_view, 6> DayPrefixTable = {"初", "十", "廿",
                                                                   "卅", "二", "三"};
// Indexes 1..10; entry 0 is unused.
inline constexpr std::array<std::string_view, 11> DigitTable = {"",   "一", "二", "三", "四", "五",
                                                                "六", "七", "八", "九", "十"};

// The 60 sexagenary names: entry i is StemTable[i % 10] followed by BranchTable[i % 12].
const std::array<std::string, 60>& CycleTable();

// One character per year from -849 to 2100 ("0" no leap month, "1".."9", "a".."c" the month
// that is repeated); the character of year y is at y + 849. The month count runs on it; the leap
// months the calendar has are LeapMonthOf's.
extern const std::string_view LeapMonthTable;

struct LunarDate {
    int Year = 0;
    int Month = 0; // 1..12
    int Day = 0;   // 1..30
    bool Leap = false;

    friend bool operator==(const LunarDate&, const LunarDate&) = default;
};

// ---- Day arithmetic ------------------------------------------------------------------------

// 1 for a Julian date (up to 1582-10-04), 0 inside the gap 1582-10-05 .. 1582-10-14, 2 for a
// Gregorian date (from 1582-10-15). Also 0 for anything that is not a date at all.
int CalendarKind(int year, int month, int day);
bool IsLeapYearOf(int year);
// 28..31; 0 for a month outside 1..12. October 1582 counts 31 days.
int DaysInMonthOf(int year, int month);
// 1..366; 0 for anything that is not a date.
int DayOfYearOf(int year, int month, int day);
// Continuous day count, 1 = 1 January of year 1; 0 for a non-date or a day of the gap.
int DaySerial(int year, int month, int day);
// Fixed day number (1582-10-15 is 577736). Day 0 of a month is the day before its first, so
// FixedDay(y, 1, 0) is the last day of the previous year. 0 for a non-date or a day of the gap.
int FixedDay(int year, int month, int day);
// The inverse of FixedDay for Gregorian dates. Before the switch it only approximates the
// Julian date (it is monotonic, which is all the lunar search needs). Fails for n < 0.
bool DateFromFixedDay(int fixedDay, int& year, int& month, int& day);
// 1 when date 1 is later, -1 when earlier, 0 when equal.
int CompareDates(int year1, int month1, int day1, int year2, int month2, int day2);

// ---- Sexagenary cycle and names ------------------------------------------------------------

// 0..59, or -1 for a stem or branch out of range or of different parity.
int CycleFromStemBranch(int stem, int branch);
bool CycleToStemBranch(int cycle, int& stem, int& branch);
// The table texts; empty for an index outside the table.
std::string CycleName(int index);
std::string AnimalName(int index);
std::string SolarTermName(int index);
std::string StarSignName(int index);
// 初一 .. 三十; empty outside 1..30.
std::string LunarDayName(int day);

// Cycle (0..59) and branch (0..11) of a year number; -1 for a year beyond MaxAbsYear.
int YearCycleOfNumber(int year);
int YearBranchOfNumber(int year);
// Cycle of the year of a date, the year changing at 立春; -1 for a non-date.
int YearCycleOfDate(int year, int month, int day);
// Cycle of the day; -1 for a non-date or a day of the gap.
int DayCycle(int year, int month, int day);
// The cycle year and the solar month (1..12, month 1 beginning at 立春, month 12 at 小寒) of a
// date. Fails for a non-date.
bool SolarMonthOf(int year, int month, int day, int& cycleYear, int& solarMonth);
// Cycle of the solar month; -1 for a non-date.
int MonthCycle(int year, int month, int day);

// ---- Solar terms and star signs ------------------------------------------------------------

// Moment of solar term number `term` (1 = 小寒 .. 24 = 冬至; 25..48 continue into the next
// year) as day of the year plus fraction of the day, local time UTC+8. 0.0 for a term number
// outside 1..48 or a year beyond MaxAbsYear.
double SolarTermDayOfYear(int year, int term);
// Date and time of the term in month slot `slot` (0..23: 2*(month-1) is the first term of a
// Gregorian month, 2*(month-1)+1 the second). Fails for a slot outside 0..23 and when the term
// does not fall in the year (early-January terms of some years before 1583).
bool SolarTermDate(int year, int slot, int& month, int& day, int& hour, int& minute);
// Star sign index 0..11 (0 = 白羊); -1 for a month or day out of range.
int StarSignOf(int month, int day);

// ---- Lunar calendar (years MinLunarYear .. MaxLunarYear) -----------------------------------

// 0 (no leap month) or the month 1..12 that the lunar year repeats; -1 outside the span.
int LeapMonthOf(int year);
// Number of leap months from -849 through the year, as the month count needs it; -1 outside
// the span.
int LeapCountThrough(int year);
// 2*pi*frac(rate*k) + phase - c2*T^2 - c3*T^3; phase, c2 and c3 in radians.
double MeanArgument(double k, double t, double rate, double phase, double c2, double c3);
// Lunar day 1..30; -1 for a non-date, a day of the gap or a year outside the span.
int LunarDayOf(int year, int month, int day);
// Lunar month 1..12, negative for a leap month; 0 for a date that cannot be converted.
int LunarMonthOf(int year, int month, int day);
// Lunar month, day and leap flag of a date, without the lunar year.
bool LunarMonthDay(int year, int month, int day, int& lunarMonth, int& lunarDay, bool& leap);
bool SolarToLunar(int year, int month, int day, LunarDate& result);
// The solar date of a lunar date. Fails for a leap request that the year has no such leap month
// for, for a month the year leaves out, for a lunar day the month does not have, and outside the
// span.
bool LunarToSolar(int lunarYear, int lunarMonth, int lunarDay, bool leap, int& year, int& month,
                  int& day);
// 1 when the first is later, -1 when earlier, 0 when equal; a leap month follows the common
// month of the same number.
int CompareLunarDates(const LunarDate& first, const LunarDate& second);

} // namespace CnCalendar
