// Yearly repetition by the solar and the lunar date. Every expected date is the published
// calendar's: Spring Festivals, 腊八, mid-autumn days and the leap months of 2001, 2012, 2020
// and 2023.
#include "schedule/YearlyRepeat.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using namespace YearlyRepeat;

QDateTime at(const char* isoMoment) {
    return QDateTime::fromString(QString::fromLatin1(isoMoment), Qt::ISODate);
}

YearlyAnchor anchor(const char* text) {
    const std::optional<YearlyAnchor> parsed = parse(QString::fromLatin1(text));
    EXPECT_TRUE(parsed.has_value()) << text;
    return parsed.value_or(YearlyAnchor{});
}

TEST(YearlyRepeatTest, StoredTextsRoundTripAndAnythingElseIsRefused) {
    for (const char* text : {"S:1986-01-20@09:00", "S:2000-02-29@23:59", "L:1985-12-11@09:00",
                             "L:1985-4L-30@09:00", "L:0999-1-1@00:00"}) {
        const std::optional<YearlyAnchor> parsed = parse(QString::fromLatin1(text));
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_EQ(format(*parsed), QString::fromLatin1(text));
    }
    const YearlyAnchor leap = anchor("L:1985-4L-30@09:00");
    EXPECT_EQ(leap, (YearlyAnchor{RepeatCalendar::Lunar, 1985, 4, 30, true, QTime(9, 0)}));

    // Not a day, unpadded or padded against the format, a time that is not one, text around it,
    // no year zero, digits that are not ASCII.
    const char* const refused[] = {"",
                                   "S:2023-02-29@09:00",
                                   "S:1986-1-20@09:00",
                                   "L:1985-04-30@09:00",
                                   "L:1985-13-1@09:00",
                                   "L:1985-4-31@09:00",
                                   "L:1985-4l-3@09:00",
                                   "S:1986-01-20@24:00",
                                   "S:1986-01-20@09:00\n",
                                   " L:1985-4-3@09:00",
                                   "S:0000-01-01@09:00",
                                   "L:１９８５-4-3@09:00"};
    for (const char* text : refused) {
        EXPECT_FALSE(parse(QString::fromUtf8(text)).has_value()) << text;
    }
}

TEST(YearlyRepeatTest, AnchorsOfPickedMoments) {
    const QDateTime birth = at("1986-01-20T09:00:41");
    EXPECT_EQ(format(*anchorOf(RepeatCalendar::Solar, birth)),
              QStringLiteral("S:1986-01-20@09:00"));
    EXPECT_EQ(format(*anchorOf(RepeatCalendar::Lunar, birth)),
              QStringLiteral("L:1985-12-11@09:00"));
    EXPECT_EQ(format(*anchorOf(RepeatCalendar::Lunar, at("2020-05-25T07:30:00"))),
              QStringLiteral("L:2020-4L-3@07:30"));
    EXPECT_FALSE(anchorOf(RepeatCalendar::Lunar, at("2101-01-01T09:00:00")).has_value());
}

struct NextCase {
    const char* anchor;
    const char* after;
    const char* expected; // nullptr: the series has ended
    int years;
};

TEST(YearlyRepeatTest, NextOccurrences) {
    const NextCase cases[] = {
        // 29 February: 28 February in common years, back on the 29th in leap years; 2100 is
        // a common year.
        {"S:2000-02-29@08:00", "2023-03-01T00:00:00", "2024-02-29T08:00:00", 24},
        {"S:2000-02-29@08:00", "2024-02-29T08:00:00", "2025-02-28T08:00:00", 25},
        {"S:2000-02-29@08:00", "2099-03-01T00:00:00", "2100-02-28T08:00:00", 100},
        // The same day, before and after its time; acknowledged years late, the next one
        // after now.
        {"S:1986-01-20@09:00", "2046-01-20T08:59:00", "2046-01-20T09:00:00", 60},
        {"S:1990-10-01@09:00", "2031-10-01T10:00:00", "2032-10-01T09:00:00", 42},
        // A date picked ahead is its own first occurrence.
        {"L:2001-4L-3@09:00", "2000-01-01T00:00:00", "2001-05-25T09:00:00", 0},
        // 闰四月初三: in the leap month in 2012 and 2020, in the common fourth month in 2021.
        {"L:2001-4L-3@09:00", "2012-01-01T00:00:00", "2012-05-23T09:00:00", 11},
        {"L:2001-4L-3@09:00", "2020-05-24T12:00:00", "2020-05-25T09:00:00", 19},
        {"L:2001-4L-3@09:00", "2020-05-25T09:00:00", "2021-05-14T09:00:00", 20},
        // 闰二月初一 of 2023 in 2024, which has no leap month.
        {"L:2023-2L-1@09:00", "2023-03-22T09:00:00", "2024-03-10T09:00:00", 1},
        // 腊月三十 (除夕 2024) in the 29-day twelfth months of 2024 and 2025: 廿九, in January
        // and in February of the next solar year.
        {"L:2023-12-30@09:00", "2024-02-09T09:00:00", "2025-01-28T09:00:00", 1},
        {"L:2023-12-30@09:00", "2025-01-28T09:00:00", "2026-02-16T09:00:00", 2},
        // 腊月十一 (1986-01-20) in January: the age counts lunar years.
        {"L:1985-12-11@09:00", "1985-03-01T00:00:00", "1986-01-20T09:00:00", 0},
        {"L:1985-12-11@09:00", "2023-03-01T00:00:00", "2024-01-21T09:00:00", 38},
        {"L:1985-12-11@09:00", "2024-01-21T09:00:00", "2025-01-10T09:00:00", 39},
        {"L:1985-12-11@09:00", "2025-06-01T00:00:00", "2026-01-29T09:00:00", 40},
        // 中秋 acknowledged years late.
        {"L:2020-8-15@20:00", "2024-01-01T00:00:00", "2024-09-17T20:00:00", 4},
        {"L:2020-8-15@20:00", "2025-01-01T00:00:00", "2025-10-06T20:00:00", 5},
        // The calendar ends with 2100: the Spring Festival of 2100 is the last, and a twelfth
        // month whose 十一 lies in 2101 has none.
        {"L:2020-1-1@00:00", "2099-06-01T00:00:00", "2100-02-09T00:00:00", 80},
        {"L:2020-1-1@00:00", "2100-02-09T00:00:00", nullptr, 0},
        {"L:2020-12-11@09:00", "2100-03-01T00:00:00", nullptr, 0},
        {"L:2020-8-15@20:00", "2101-06-01T00:00:00", nullptr, 0},
    };
    for (const NextCase& c : cases) {
        SCOPED_TRACE(std::string(c.anchor) + " after " + c.after);
        const YearlyAnchor a = anchor(c.anchor);
        const std::optional<QDateTime> next = nextOccurrence(a, at(c.after));
        if (c.expected == nullptr) {
            EXPECT_FALSE(next.has_value())
                << next.value_or(QDateTime()).toString(Qt::ISODate).toStdString();
            continue;
        }
        ASSERT_TRUE(next.has_value());
        EXPECT_EQ(*next, at(c.expected));
        EXPECT_EQ(yearsAfterOrigin(a, *next), c.years);
        // Walked back: the occurrence itself, and a minute earlier the one before it.
        EXPECT_EQ(latestOccurrence(a, *next), next);
        const std::optional<QDateTime> before = latestOccurrence(a, next->addSecs(-60));
        if (c.years == 0) {
            EXPECT_FALSE(before.has_value());
        } else {
            ASSERT_TRUE(before.has_value());
            EXPECT_EQ(yearsAfterOrigin(a, *before), c.years - 1);
            EXPECT_EQ(nextOccurrence(a, *before), next);
        }
    }
}

TEST(YearlyRepeatTest, OccurrencesBetweenTwoDatesFromTheOriginOn) {
    EXPECT_EQ(
        occurrencesBetween(anchor("S:2000-02-29@08:00"), QDate(1999, 1, 1), QDate(2001, 3, 1)),
        (std::vector<QDateTime>{at("2000-02-29T08:00:00"), at("2001-02-28T08:00:00")}));
    EXPECT_EQ(
        occurrencesBetween(anchor("L:2023-12-30@09:00"), QDate(2024, 2, 10), QDate(2026, 2, 16)),
        (std::vector<QDateTime>{at("2025-01-28T09:00:00"), at("2026-02-16T09:00:00")}));
    EXPECT_TRUE(
        occurrencesBetween(anchor("L:2023-12-30@09:00"), QDate(2024, 2, 10), QDate(2025, 1, 27))
            .empty());
}

TEST(YearlyRepeatTest, LunarDateTexts) {
    EXPECT_EQ(lunarDateText(QDate(2024, 9, 17)), QStringLiteral("农历 八月十五"));
    EXPECT_EQ(lunarDateText(QDate(2020, 5, 25)), QStringLiteral("农历 闰四月初三"));
    EXPECT_EQ(lunarDateText(QDate(2024, 2, 10)), QStringLiteral("农历 正月初一"));
    EXPECT_EQ(lunarDateText(QDate(2033, 12, 22)), QStringLiteral("农历 闰冬月初一"));
    EXPECT_EQ(lunarDateText(QDate(2101, 1, 1)), QString());
}

} // namespace
