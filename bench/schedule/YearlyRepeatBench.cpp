#include "chncal/CnCalendar.h"
#include "schedule/YearlyRepeat.h"

#include <benchmark/benchmark.h>
#include <random>
#include <vector>

namespace {

using YearlyRepeat::RepeatCalendar;
using YearlyRepeat::YearlyAnchor;

// Birthdays and anniversaries as a team would have them: origins from 1930 to 2023, every
// month and day, half by the solar date (some on 29 February), half by the lunar date (some in
// leap months, some on 三十).
std::vector<YearlyAnchor> repeatingReminders(int count) {
    std::mt19937 random(29);
    std::uniform_int_distribution<int> year(1930, 2023);
    std::uniform_int_distribution<int> month(1, 12);
    std::uniform_int_distribution<int> solarDay(1, 28);
    std::uniform_int_distribution<int> lunarDay(1, 30);
    std::uniform_int_distribution<int> minute(0, 24 * 60 - 1);
    std::vector<YearlyAnchor> anchors;
    for (int i = 0; i < count; ++i) {
        const int m = minute(random);
        YearlyAnchor anchor{RepeatCalendar::Solar, year(random), month(random), 0, false,
                            QTime(m / 60, m % 60)};
        if (i % 2 == 0) {
            anchor.day = solarDay(random);
            if (i % 50 == 0) {
                anchor.year = 1932 + 4 * (i % 23); // leap years
                anchor.month = 2;
                anchor.day = 29;
            }
        } else {
            anchor.calendar = RepeatCalendar::Lunar;
            anchor.day = lunarDay(random);
            if (const int leap = CnCalendar::LeapMonthOf(anchor.year); leap > 0 && i % 7 == 1) {
                anchor.month = leap;
                anchor.leapMonth = true;
            }
        }
        anchors.push_back(anchor);
    }
    return anchors;
}

// The next occurrence of every repeating reminder after one moment: what the roll-over, the
// calendar's marks and the coming-days list ask for.
void BM_NextOccurrence(benchmark::State& state) {
    const std::vector<YearlyAnchor> anchors = repeatingReminders(static_cast<int>(state.range(0)));
    const QDateTime now(QDate(2024, 6, 1), QTime(12, 0));
    int found = 0;
    for (auto _ : state) {
        found = 0;
        for (const YearlyAnchor& anchor : anchors) {
            const std::optional<QDateTime> next = YearlyRepeat::nextOccurrence(anchor, now);
            found += next.has_value() ? 1 : 0;
            benchmark::DoNotOptimize(next);
        }
    }
    state.counters["found"] = found;
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(anchors.size()));
}
BENCHMARK(BM_NextOccurrence)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
