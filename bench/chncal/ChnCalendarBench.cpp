#include "chncal/ChnCalendarUse.h"
#include "chncal/CnCalendar.h"

#include <benchmark/benchmark.h>

namespace {

using CnCalendar::DaysInMonthOf;
using CnCalendar::LunarDate;

// Every day of 2024 through SolarToLunar.
void BM_SolarToLunarWholeYear(benchmark::State& state) {
    for (auto _ : state) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= DaysInMonthOf(2024, month); ++day) {
                LunarDate r;
                benchmark::DoNotOptimize(CnCalendar::SolarToLunar(2024, month, day, r));
                benchmark::DoNotOptimize(r);
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * 366);
}
BENCHMARK(BM_SolarToLunarWholeYear)->Unit(benchmark::kMillisecond);

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

// What the month view really calls: TChnCal::Calculate for the selected date and every day of
// the month, with all the texts.
void BM_MonthViewTexts(benchmark::State& state) {
    ChnCalendarUse::TChnCal cal;
    for (auto _ : state) {
        cal.Calculate(2024, 1, 15);
        for (int day = 1; day <= 31; ++day) {
            cal.Calculate(2024, 1, day);
            benchmark::DoNotOptimize(cal.LunarDayText());
        }
    }
}
BENCHMARK(BM_MonthViewTexts)->Unit(benchmark::kMicrosecond);

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
