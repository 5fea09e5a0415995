#include "calview/DateStepping.h"

#include <gtest/gtest.h>

using namespace DateStepping;

TEST(DateSteppingTest, MonthStepPullsTheDayBackToTheMonthsLastDay) {
    struct Case {
        QDate from;
        int spin;
        QDate to;
    };
    const Case cases[] = {
        {QDate(2023, 1, 31), 2, QDate(2023, 2, 28)},
        {QDate(2024, 1, 31), 2, QDate(2024, 2, 29)},
        {QDate(2024, 3, 31), 4, QDate(2024, 4, 30)},
        {QDate(2023, 12, 31), 13, QDate(2024, 1, 31)}, // past December: January next year
        {QDate(2024, 1, 15), 0, QDate(2023, 12, 15)},  // before January: December last year
        {QDate(1500, 3, 30), 2, QDate(1500, 2, 28)},   // no leap day in 1500, proleptically
    };
    for (const Case& c : cases) {
        const Step step = monthStep(c.from, c.spin);
        EXPECT_EQ(step.target, c.to) << qPrintable(c.from.toString());
        EXPECT_EQ(QDate(step.yearSpin, step.monthSpin, 1), QDate(c.to.year(), c.to.month(), 1));
    }
}

TEST(DateSteppingTest, LeavingTheYearsOneTo2100ReturnsTheSpinsToTheShownMonth) {
    Step step = monthStep(QDate(2100, 12, 31), 13);
    EXPECT_FALSE(step.target.has_value());
    EXPECT_EQ(step.yearSpin, 2100);
    EXPECT_EQ(step.monthSpin, 12);
    step = monthStep(QDate(1, 1, 5), 0);
    EXPECT_FALSE(step.target.has_value());
    EXPECT_EQ(step.yearSpin, 1);
    EXPECT_EQ(step.monthSpin, 1);
    EXPECT_EQ(monthStep(QDate(1, 2, 1), 1).target, QDate(1, 1, 1));

    EXPECT_EQ(yearStep(QDate(2024, 2, 29), 2023), QDate(2023, 2, 28));
    EXPECT_EQ(yearStep(QDate(2024, 7, 31), 2100), QDate(2100, 7, 31));
    EXPECT_FALSE(yearStep(QDate(2024, 7, 31), 2101).has_value());
    EXPECT_FALSE(yearStep(QDate(2024, 7, 31), 0).has_value());
    EXPECT_FALSE(dayOrLastOfMonth(2024, 13, 31).has_value());
    EXPECT_EQ(dayOrLastOfMonth(2024, 4, 1000), QDate(2024, 4, 30));
}
