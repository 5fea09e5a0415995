// What a stored yearly reminder becomes: the next occurrence written when it is acknowledged,
// and the calendar's marks and coming days. Expected dates are the published calendar's.
#include "schedule/YearlyReminders.h"
#include "schedule/ReminderCalendar.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QDateTime at(const char* isoMoment) {
    return QDateTime::fromString(QString::fromLatin1(isoMoment), Qt::ISODate);
}

struct RollOverCase {
    int kind;
    const char* repeat;
    const char* begin;
    const char* now;
    const char* unit;
    const char* expectedBegin; // nullptr: no next occurrence
    qint64 expectedTotalTime;
};

TEST(YearlyRemindersTest, TheNextOccurrenceWrittenWhenAYearlyReminderIsAcknowledged) {
    const RollOverCase cases[] = {
        // 中秋 acknowledged on the evening itself, and years late: never in the past.
        {1, "L:2020-8-15@20:00", "2024-09-17 20:00:00 ", "2024-09-17T20:05:00", "分",
         "2025-10-06 20:00:00 ", 5 * 3600},
        {1, "L:2020-8-15@20:00", "2024-09-17 20:00:00 ", "2027-01-01T00:00:00", "天",
         "2027-09-15 20:00:00 ", 5 * 5184000},
        // A start postponed past now: the next year after it; 29 February in a common year.
        {3, "S:2000-02-29@08:00", "2025-03-05 10:00:00 ", "2025-03-01T00:00:00", "分",
         "2026-02-28 08:00:00 ", 5 * 3600},
        // The lunar calendar ends with 2100: the Spring Festival of 2100 is the last.
        {2, "L:2020-1-1@00:00", "2100-02-09 00:00:00 ", "2100-02-09T01:00:00", "分", nullptr, 0},
        // An ordinary reminder, and a text that is no anchor, do not repeat.
        {0, "S:2000-01-01@09:00", "2024-01-01 09:00:00 ", "2024-01-01T10:00:00", "分", nullptr, 0},
        {1, "S:2023-02-29@09:00", "2024-01-01 09:00:00 ", "2024-01-01T10:00:00", "分", nullptr, 0},
    };
    for (const RollOverCase& c : cases) {
        SCOPED_TRACE(std::string(c.repeat) + " at " + c.now);
        const auto next = YearlyReminders::nextOccurrenceAt(at(c.now))(
            {c.kind, QString::fromLatin1(c.repeat), QString::fromLatin1(c.begin),
             QStringLiteral("5"), QString::fromUtf8(c.unit)});
        if (c.expectedBegin == nullptr) {
            EXPECT_FALSE(next.has_value());
            continue;
        }
        ASSERT_TRUE(next.has_value());
        EXPECT_EQ(next->beginTime, QString::fromLatin1(c.expectedBegin));
        EXPECT_EQ(next->totalTime, c.expectedTotalTime);
    }
}

TEST(YearlyRemindersTest, TheCalendarMarksComingOccurrencesAndComputesEachYearOnce) {
    ReminderCalendar calendar;
    ReminderCalendar::Reminder lunarBirthday{
        7, ReminderKind::Birthday, QStringLiteral("妈妈的农历生日"), at("2024-01-21T09:00:00"),
        YearlyRepeat::parse(QStringLiteral("L:1985-12-11@09:00"))};
    ReminderCalendar::Reminder once{8, ReminderKind::Ordinary, QString(50, QLatin1Char('x')),
                                    at("2024-01-30T14:30:00"), std::nullopt};
    calendar.setReminders({lunarBirthday, once});

    const std::map<int, QString> january = calendar.monthMarks(2024, 1);
    ASSERT_EQ(january.size(), 2u);
    EXPECT_EQ(january.at(21), QStringLiteral("生日提醒 09:00 妈妈的农历生日"));
    EXPECT_EQ(january.at(30), QStringLiteral("定时提醒 14:30 ") + QString(40, QLatin1Char('x')) +
                                  QStringLiteral("…"));
    // The coming years' occurrences are computed, not stored.
    EXPECT_EQ(calendar.monthMarks(2025, 1).count(10), 1u);
    EXPECT_EQ(calendar.monthMarks(2026, 1).count(29), 1u);
    EXPECT_TRUE(calendar.monthMarks(2023, 12).empty());
    // Months switched back and forth take the years kept.
    for (int month = 1; month <= 12; ++month) {
        calendar.monthMarks(2024, month);
        calendar.monthMarks(2025, month);
    }
    EXPECT_EQ(calendar.yearsComputed(), 4);

    const auto coming = calendar.coming(at("2024-01-15T12:00:00"), 30);
    ASSERT_EQ(coming.size(), 2u);
    EXPECT_EQ(coming[0].reminder->key, 7);
    EXPECT_EQ(coming[0].daysToGo, 6);
    EXPECT_EQ(coming[0].yearsText, QStringLiteral("38 岁生日"));
    EXPECT_EQ(coming[1].daysToGo, 15);
    EXPECT_TRUE(coming[1].yearsText.isEmpty());
    // Across the year's end, into the next year's computed occurrence.
    const auto newYear = calendar.coming(at("2024-12-20T00:00:00"), 30);
    ASSERT_EQ(newYear.size(), 1u);
    EXPECT_EQ(newYear[0].at, at("2025-01-10T09:00:00"));
    EXPECT_EQ(newYear[0].yearsText, QStringLiteral("39 岁生日"));

    // A change of the store starts afresh.
    calendar.setReminders({once});
    EXPECT_TRUE(calendar.monthMarks(2025, 1).empty());
}

} // namespace
