#pragma once

// The texts a calendar shows about one date: lunar month and day names, the sexagenary names of
// year, month and day, zodiac animal, star sign, solar term, festivals and the reign era. Built
// on CnCalendar; pure C++, UTF-8.

#include "chncal/CnCalendar.h"

#include <array>
#include <string>
#include <string_view>

namespace ChnCalendarUse {

// Index = lunar month - 1. A common month is shown as the entry and "月" (正月), a leap month
// as "闰" and the entry alone (闰二).
inline constexpr std::array<std::string_view, 12> MonthNameTable = {
    "正", "二", "三", "四", "五", "六", "七", "八", "九", "十", "冬", "腊"};

// One row per reign era, seven comma-separated fields: first year (negative before the common
// era, no year zero), number of years, offset (years the era name had already run when the row
// begins), dynasty, ruler's temple or posthumous title, ruler's personal name, era name. Rows
// run from the first ruler of 夏 to the Republic, each parallel dynasty keeping its own run,
// and end with a closing row that only ends the Republic's.
inline constexpr std::size_t EraRowCount = 529;
extern const std::array<std::string_view, EraRowCount> EraTable;

// The n-th field (from 1) of `text` split at `separator`, empty pieces included, trimmed of
// surrounding blanks; empty when there are fewer fields (or n < 1). An empty separator leaves
// the whole text as the only field.
std::string ListField(std::string_view text, std::string_view separator, int n);

// Gregorian festival of a date, empty if none. The weekday rules (second Sunday of May ...)
// use the proleptic Gregorian weekday, as a calendar grid shows it.
std::string SolarFestivalName(int year, int month, int day);
// Lunar festival of the date whose lunar month and day are given (the leap flag does not
// matter); the date itself is needed for 除夕, the day before the lunar New Year.
std::string LunarFestivalName(int lunarMonth, int lunarDay, int year, int month, int day);
// Name of the solar term that falls on the date, empty if none.
std::string SolarTermOfDate(int year, int month, int day);
// "[dynasty]title name era<n>年" for the reign era of a Gregorian year (元年 for the first
// year); empty from 1949 on and before -2069.
std::string EraTextOf(int year);

struct SolarDate {
    int Year = 0;
    int Month = 0;
    int Day = 0;
};

// Turns one date into every text the calendar shows about it.
//
// Years outside the lunar span (-849..2100) and non-dates leave every text as it was (the date
// still changes). The ten days 1582-10-05 .. 1582-10-14, which the engine's calendar skips, lie
// in the lunar month of the days around them (1582-10-04 and -15): they get its year, animal and
// month texts, and an empty lunar day text, lunar festival and day cycle (they have no day of
// their own); the other texts are filled as for any date.
class ChineseDateTexts {
public:
    void Calculate(int year, int month, int day);

    // The date last passed to Calculate.
    const SolarDate& Date() const { return date_; }
    // Lunar date of the last date converted (all 0 before the first).
    int LunarYear() const { return lunarYear_; }
    int LunarMonth() const { return lunarMonth_; }
    int LunarDay() const { return lunarDay_; }
    bool LunarLeap() const { return lunarLeap_; }

    const std::string& SolarTermText() const { return solarTermText_; }
    const std::string& SolarFestivalText() const { return solarFestivalText_; }
    const std::string& LunarMonthText() const { return lunarMonthText_; }
    const std::string& DayCycleText() const { return dayCycleText_; }
    // The year's sexagenary name changing at 立春 (the year pillar).
    const std::string& YearCycleText() const { return yearCycleText_; }
    // The sexagenary name of the lunar year, which goes with the animal: between 立春 and the
    // lunar New Year it is still the old year's.
    const std::string& LunarYearCycleText() const { return lunarYearCycleText_; }
    const std::string& MonthCycleText() const { return monthCycleText_; }
    const std::string& LunarFestivalText() const { return lunarFestivalText_; }
    const std::string& LunarYearText() const { return lunarYearText_; }
    const std::string& LunarDayText() const { return lunarDayText_; }
    const std::string& AnimalText() const { return animalText_; }
    const std::string& StarSignText() const { return starSignText_; }
    const std::string& EraText() const { return eraText_; }

private:
    void fillLunarTexts(const CnCalendar::LunarDate& lunar);
    void fillSolarTexts(int year, int month, int day);

    int lunarYear_ = 0;
    int lunarMonth_ = 0;
    int lunarDay_ = 0;
    bool lunarLeap_ = false;
    SolarDate date_;
    std::string solarTermText_;
    std::string solarFestivalText_;
    std::string lunarMonthText_;
    std::string dayCycleText_;
    std::string yearCycleText_;
    std::string lunarYearCycleText_;
    std::string monthCycleText_;
    std::string lunarFestivalText_;
    std::string lunarYearText_;
    std::string lunarDayText_;
    std::string animalText_;
    std::string starSignText_;
    std::string eraText_;
};

} // namespace ChnCalendarUse
