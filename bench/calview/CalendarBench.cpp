// What a change of month costs the calendar page: assigning a date of another month fills the
// month from the engine, rebuilds the background with its watermark and asks for a repaint.
#include "calview/CalendarView.h"
#include "schedule/ReminderCalendar.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <random>

namespace {

// Alternates between two dates of different months, so that every assignment refills.
void BM_AssignDateOfAnotherMonth(benchmark::State& state) {
    CalendarView calendar;
    calendar.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const QDateTime dates[] = {QDateTime(QDate(2024, 2, 10), QTime(9, 30)),
                               QDateTime(QDate(2024, 1, 31), QTime(9, 30))};
    int i = 0;
    for (auto _ : state) {
        calendar.setDateTime(dates[i]);
        i ^= 1;
    }
}
// The main window's page, and the control's own size.
BENCHMARK(BM_AssignDateOfAnotherMonth)
    ->Args({735, 316})
    ->Args({313, 253})
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The same on the main window's page for a month of another year: 1368 takes its lunar months
// from the published table, 2024 from the new-moon series; both should cost about the same.
void BM_MonthChangeOfYear(benchmark::State& state) {
    CalendarView calendar;
    calendar.resize(735, 316);
    const int year = static_cast<int>(state.range(0));
    const QDateTime dates[] = {QDateTime(QDate(year, 2, 10), QTime(9, 30)),
                               QDateTime(QDate(year, 1, 31), QTime(9, 30))};
    int i = 0;
    for (auto _ : state) {
        calendar.setDateTime(dates[i]);
        i ^= 1;
    }
}
BENCHMARK(BM_MonthChangeOfYear)
    ->Arg(2024)
    ->Arg(1368)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The same with a background picture blended at 50 %, every pixel of the control.
void BM_AssignDateWithPicture(benchmark::State& state) {
    CalendarView calendar;
    calendar.resize(735, 316);
    QImage picture(735, 316, QImage::Format_RGB32);
    picture.fill(QColor(250, 250, 250));
    picture.setPixelColor(0, 0, Qt::white);
    calendar.setBackgroundPicture(picture);
    const QDateTime dates[] = {QDateTime(QDate(2024, 2, 10), QTime(9, 30)),
                               QDateTime(QDate(2024, 1, 31), QTime(9, 30))};
    int i = 0;
    for (auto _ : state) {
        calendar.setDateTime(dates[i]);
        i ^= 1;
    }
}
BENCHMARK(BM_AssignDateWithPicture)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The user's pending reminders, as the main window gives them to its calendar: one-time ones
// over the year, and (every other one) birthdays and anniversaries by the solar or lunar date.
std::vector<ReminderCalendar::Reminder> pendingReminders(int count) {
    std::mt19937 random(29);
    std::uniform_int_distribution<int> day(0, 365);
    std::uniform_int_distribution<int> originYear(1940, 2020);
    std::vector<ReminderCalendar::Reminder> reminders;
    for (int i = 0; i < count; ++i) {
        const QDateTime start(QDate(2024, 1, 1).addDays(day(random)), QTime(9, 0));
        ReminderCalendar::Reminder reminder{
            i + 1, ReminderKind::Ordinary, QStringLiteral("提醒 %1").arg(i), start, {}};
        if (i % 2 == 1) {
            reminder.kind = i % 4 == 1 ? ReminderKind::Birthday : ReminderKind::Anniversary;
            const QDateTime origin(start.date().addYears(originYear(random) - 2024), start.time());
            reminder.repeat =
                YearlyRepeat::anchorOf(i % 3 == 0 ? YearlyRepeat::RepeatCalendar::Lunar
                                                  : YearlyRepeat::RepeatCalendar::Solar,
                                       origin);
        }
        reminders.push_back(reminder);
    }
    return reminders;
}

// A month switch on the main window's page with 0 and 1,000 pending reminders of the user:
// the marks come from the occurrences kept per year, so the two should cost about the same.
void BM_MonthSwitchWithReminders(benchmark::State& state) {
    ReminderCalendar reminders;
    reminders.setReminders(pendingReminders(static_cast<int>(state.range(0))));
    CalendarView calendar;
    calendar.resize(735, 316);
    calendar.setMonthMarks([&](int year, int month) { return reminders.monthMarks(year, month); });
    const QDateTime dates[] = {QDateTime(QDate(2024, 2, 10), QTime(9, 30)),
                               QDateTime(QDate(2024, 1, 31), QTime(9, 30))};
    // The years the page shows were computed once, when the reminders were read.
    calendar.setDateTime(dates[0]);
    calendar.setDateTime(dates[1]);
    int i = 0;
    for (auto _ : state) {
        calendar.setDateTime(dates[i]);
        i ^= 1;
    }
    state.counters["yearsComputed"] = reminders.yearsComputed();
}
BENCHMARK(BM_MonthSwitchWithReminders)
    ->Arg(0)
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Painting the whole page once (every cell composed off-screen), for comparison.
void BM_PaintPage(benchmark::State& state) {
    CalendarView calendar;
    calendar.resize(735, 316);
    calendar.setDateTime(QDateTime(QDate(2024, 2, 10), QTime(9, 30)));
    QImage target(735, 316, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        calendar.render(&target);
}
BENCHMARK(BM_PaintPage)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
