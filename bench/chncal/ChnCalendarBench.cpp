#include "chncal/ChnCalendarUse.h"
#include "chncal/CnCalendar.h"

#include <benchmark/benchmark.h>

namespace {

using CnCalendar::DaysInMonthOf;
using CnCalendar::LunarDate;

// Every day of a year through SolarToLunar: 2024 from the new-moon series, 1368 from the
// published months, -100 from the lunations before the year 1.
void BM_SolarToLunarWholeYear(benchmark::State& state) {
    const int year = static_cast<int>(state.range(0));
    int days = 0;
    for (auto _ : state) {
        days = 0;
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= DaysInMonthOf(year, month); ++day, ++days) {
                LunarDate r;
                benchmark::DoNotOptimize(CnCalendar::SolarToLunar(year, month, day, r));
                benchmark::DoNotOptimize(r);
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * days);
}
BENCHMARK(BM_SolarToLunarWholeYear)->Arg(2024)->Arg(1368)->Arg(-100)->Unit(benchmark::kMillisecond);

// A published lunar date back to its solar date (no search: the table gives it).
void BM_LunarToSolarPublished(benchmark::State& state) {
    for (auto _ : state) {
        int y = 0, m = 0, d = 0;
        benchmark::DoNotOptimize(CnCalendar::LunarToSolar(1368, 7, 15, true, y, m, d));
    }
}
BENCHMARK(BM_LunarToSolarPublished)->Unit(benchmark::kMicrosecond);

// The conversions one month view needs: every day of January 2024 plus the selected date, and
// for each day of a twelfth lunar month the day after it (the 除夕 test).
void BM_MonthViewConversions(benchmark::State& state) {
    for (auto _ : state) {
        LunarDate selected;
        benchmark::DoNotOptimize(CnCalendar::SolarToLunar(2024, 1, 15, selected));
        for (int day = 1; day <= 31; ++day) {
            LunarDate r;
            benchmark::DoNotOptimize(CnCalendar::SolarToLunar(2024, 1, day, r));
            if (r.Month == 12) {
                LunarDate next;
                const int nextMonth = day == 31 ? 2 : 1;
                const int nextDay = day == 31 ? 1 : day + 1;
                benchmark::DoNotOptimize(CnCalendar::SolarToLunar(2024, nextMonth, nextDay, next));
            }
        }
    }
}
BENCHMARK(BM_MonthViewConversions)->Unit(benchmark::kMicrosecond);

// What the month view really calls: ChineseDateTexts::Calculate for the selected date and every day
// of January of the year, with all the texts.
void BM_MonthViewTexts(benchmark::State& state) {
    const int year = static_cast<int>(state.range(0));
    ChnCalendarUse::ChineseDateTexts cal;
    for (auto _ : state) {
        cal.Calculate(year, 1, 15);
        for (int day = 1; day <= 31; ++day) {
            cal.Calculate(year, 1, day);
            benchmark::DoNotOptimize(cal.LunarDayText());
        }
    }
}
BENCHMARK(BM_MonthViewTexts)->Arg(2024)->Arg(1368)->Unit(benchmark::kMicrosecond);

// One New Year search, the work the first conversion of each lunar year pays once.
void BM_NewYearSearch(benchmark::State& state) {
    int year = 1900;
    for (auto _ : state) {
        int y = 0, m = 0, d = 0;
        benchmark::DoNotOptimize(CnCalendar::LunarToSolar(year, 1, 1, false, y, m, d));
        year = year == 2100 ? 1900 : year + 1;
    }
}
BENCHMARK(BM_NewYearSearch)->Unit(benchmark::kMicrosecond);

// The era lookup scans the table from its start; years of the Qing are near its end.
void BM_EraTextOf(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ChnCalendarUse::EraTextOf(1900));
    }
}
BENCHMARK(BM_EraTextOf)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
