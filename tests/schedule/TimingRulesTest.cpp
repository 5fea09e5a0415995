// Unit arithmetic, moment texts, the due rule and the seconds minimum.
#include "platform/TextConvert.h"
#include "schedule/TimingRules.h"
#include "support/FakeClock.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using namespace TimingRules;

struct UnitCase {
    const char* unit;
    qint64 milliseconds;
    qint64 entry;
    qint64 postpone;
};

TEST(TimingRulesTest, EachUnitConvertsOnAllThreeScales) {
    const UnitCase cases[] = {
        {"秒", 1000, 60, 1},
        {"分", 60000, 3600, 60},
        {"时", 3600000, 216000, 3600},
        {"天", 86400000, 5184000, 86400},
    };
    for (const UnitCase& c : cases) {
        const QString unit = QString::fromUtf8(c.unit);
        SCOPED_TRACE(c.unit);
        EXPECT_TRUE(isIntervalUnit(unit));
        EXPECT_EQ(intervalMilliseconds(7, unit), 7 * c.milliseconds);
        EXPECT_EQ(entryTotalTime(7, unit), 7 * c.entry);
        EXPECT_EQ(postponeTotalTime(7, unit), 7 * c.postpone);
        // The two sort-key scales differ by exactly sixty for the same interval.
        EXPECT_EQ(*entryTotalTime(7, unit), 60 * *postponeTotalTime(7, unit));
    }
}

TEST(TimingRulesTest, TextsOutsideTheFourUnitsHaveNoResult) {
    for (const QString& unit : {QString(), QStringLiteral(" 分"), QStringLiteral("分钟"),
                               QStringLiteral("min"), QStringLiteral("月")}) {
        EXPECT_FALSE(isIntervalUnit(unit));
        EXPECT_FALSE(intervalMilliseconds(1, unit).has_value());
        EXPECT_FALSE(entryTotalTime(1, unit).has_value());
        EXPECT_FALSE(postponeTotalTime(1, unit).has_value());
    }
}

TEST(TimingRulesTest, LongIntervalsNeitherWrapNorTurnNegative) {
    EXPECT_EQ(entryTotalTime(2, kDay), 2 * 5184000);
    EXPECT_EQ(intervalMilliseconds(2, kDay), 172800000);
    EXPECT_EQ(entryTotalTime(5, kMinute), 18000);
    EXPECT_EQ(intervalMilliseconds(5, kMinute), 300000);
    // The largest interval the four-character edits allow.
    EXPECT_EQ(entryTotalTime(9999, kDay), 51834816000LL);
    EXPECT_EQ(intervalMilliseconds(9999, kDay), 863913600000LL);
    EXPECT_EQ(postponeTotalTime(9999, kDay), 863913600LL);
    EXPECT_EQ(entryTotalTime(9999, kHour), 2159784000LL); // beyond 32 signed bits
}

TEST(TimingRulesTest, TheFixedPostponementsUseTheSecondsScale) {
    const std::pair<int, qint64> choices[] = {{3, 180}, {5, 300}, {10, 600}, {30, 1800}, {60, 3600}};
    for (const auto& [minutes, key] : choices)
        EXPECT_EQ(postponeTotalTime(minutes, kMinute), key);
    // A reminder postponed by ten minutes heads one entered with five.
    EXPECT_LT(*postponeTotalTime(10, kMinute), *entryTotalTime(5, kMinute));
}

TEST(TimingRulesTest, MomentTexts) {
    FakeClock clock(QDateTime(QDate(2010, 11, 12), QTime(8, 51, 37, 999)));
    EXPECT_EQ(nowText(), QStringLiteral("2010-11-12 08:51:37"));
    EXPECT_EQ(nowText().size(), 19);
    clock.set(QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)));
    EXPECT_EQ(nowText(), QStringLiteral("2024-01-02 03:04:05"));

    // The picked time's seconds are always dropped and a blank follows.
    const QString picked = pickedMomentText(QDate(2011, 3, 8), QTime(9, 5, 59));
    EXPECT_EQ(picked, QStringLiteral("2011-03-08 09:05:00 "));
    EXPECT_EQ(picked.size(), 20);
    EXPECT_EQ(pickedMomentText(QDate(2010, 11, 12), QTime(8, 51)), QStringLiteral("2010-11-12 08:51:00 "));
    EXPECT_EQ(pickedMomentText(QDate(2010, 1, 1), QTime(23, 0, 1)), QStringLiteral("2010-01-01 23:00:00 "));
}

TEST(TimingRulesTest, DueFromTheStartMomentOn) {
    const QDateTime start(QDate(2011, 3, 8), QTime(9, 0));
    EXPECT_TRUE(isDue(start, start));
    EXPECT_TRUE(isDue(start, start.addSecs(1)));
    EXPECT_FALSE(isDue(start, start.addMSecs(-1)));
    EXPECT_TRUE(isDue(start, start.addDays(400)));
}

TEST(TimingRulesTest, SecondsMinimumAppliesOnlyToSeconds) {
    EXPECT_EQ(applySecondsMinimum("3", "秒"), QStringLiteral("5"));
    EXPECT_EQ(applySecondsMinimum("0", "秒"), QStringLiteral("5"));
    EXPECT_EQ(applySecondsMinimum("5", "秒"), QStringLiteral("5"));
    EXPECT_EQ(applySecondsMinimum("12", "秒"), QStringLiteral("12"));
    EXPECT_EQ(applySecondsMinimum("3", "分"), QStringLiteral("3"));
    EXPECT_EQ(applySecondsMinimum("0", "分"), QStringLiteral("0"));
    // Both texts are trimmed for the test; a number that passes keeps its blanks.
    EXPECT_EQ(applySecondsMinimum(" 3 ", " 秒 "), QStringLiteral("5"));
    EXPECT_EQ(applySecondsMinimum(" 7 ", "秒"), QStringLiteral(" 7 "));
    // Other units do not read the number at all, so a bad one passes through here.
    EXPECT_EQ(applySecondsMinimum("1.5", "分"), QStringLiteral("1.5"));
    EXPECT_THROW(applySecondsMinimum("1.5", "秒"), ConversionError);
}

TEST(TimingRulesTest, IntegerConversionNamesTheOffendingText) {
    for (const char* bad : {"", "1.5", "abc", "5 ", "+", "1e3", "99999999999"}) {
        try {
            TextConvert::toInt(QString::fromUtf8(bad));
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const ConversionError& error) {
            EXPECT_EQ(QString::fromUtf8(error.what()),
                      QStringLiteral("'%1' is not a valid integer value").arg(QString::fromUtf8(bad)));
        }
    }
    EXPECT_EQ(TextConvert::toInt("42"), 42);
    EXPECT_EQ(TextConvert::toInt("  42"), 42);
    EXPECT_EQ(TextConvert::toInt("-7"), -7);
    EXPECT_EQ(TextConvert::toInt("0009"), 9);
    EXPECT_EQ(TextConvert::toInt("2147483647"), 2147483647);
    EXPECT_EQ(TextConvert::toInt("-2147483648"), -2147483647 - 1);
}

} // namespace
