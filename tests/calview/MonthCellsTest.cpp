#include "calview/MonthCells.h"

#include <gtest/gtest.h>

using namespace MonthCells;

namespace {

// Fills the month of `selected` as the control does: the engine first holds the selected day.
struct Filled {
    TMonthCells cells;
    int selectedCell = 0;

    explicit Filled(QDate selected, const MonthColors& colors = {}) {
        ChnCalendarUse::ChineseDateTexts cal;
        cal.Calculate(selected.year(), selected.month(), selected.day());
        selectedCell = cells.Fill(selected, cal, colors);
    }
    const DayCell& Day(int day) const {
        for (int n = 1; n < CalendarLayout::kFirstTitleCell; ++n)
            if (cells.Cell(n).Filled && cells.Cell(n).Day == day)
                return cells.Cell(n);
        return cells.Cell(0);
    }
    // First and last filled date cell, and how many are filled.
    std::array<int, 3> Span() const {
        std::array<int, 3> span{0, 0, 0};
        for (int n = 1; n < CalendarLayout::kFirstTitleCell; ++n)
            if (cells.Cell(n).Filled) {
                span[0] = span[0] == 0 ? n : span[0];
                span[1] = n;
                ++span[2];
            }
        return span;
    }
    QString Weeks() const {
        QStringList texts;
        for (int row = 1; row <= 6; ++row)
            texts << cells.WeekText(row);
        return texts.join(QLatin1Char(','));
    }
};

} // namespace

TEST(MonthCellsTest, MonthsFillFromTheirFirstWeekdayAndKeepTheTitleCells) {
    const Filled feb(QDate(2015, 2, 14)); // 28 days from Sunday
    EXPECT_EQ(feb.Span(), (std::array<int, 3>{1, 28, 28}));
    EXPECT_EQ(feb.cells.Cell(28).DayText, QStringLiteral("28"));
    EXPECT_EQ(feb.selectedCell, 14);
    EXPECT_TRUE(feb.cells.Cell(40).Filled && feb.cells.Cell(42).Filled);
    // Between 立春 (the 4th) and the lunar New Year (the 19th) cells 41 and 42 read as one
    // phrase of the lunar year, 甲午马年, not 乙未 (the year pillar) with the horse.
    EXPECT_EQ(feb.cells.Cell(40).DayText, QStringLiteral("宝瓶"));
    EXPECT_EQ(feb.cells.Cell(41).DayText, QStringLiteral("甲午"));
    EXPECT_EQ(feb.cells.Cell(42).DayText, QStringLiteral("马年"));
    const Filled after(QDate(2015, 2, 19));
    EXPECT_EQ(after.cells.Cell(41).DayText + after.cells.Cell(42).DayText,
              QStringLiteral("乙未羊年"));

    const Filled march(QDate(2025, 3, 31)); // 31 days from Saturday
    EXPECT_EQ(march.Span(), (std::array<int, 3>{7, 37, 31}));
    EXPECT_EQ(march.cells.Cell(37).Day, 31);
    EXPECT_EQ(march.cells.Cell(40).DayText, QStringLiteral("白羊"));

    // The grid counts proleptic Gregorian days, whatever the engine does with them.
    EXPECT_EQ(Filled(QDate(1500, 2, 1)).Span()[2], 28);
    EXPECT_EQ(Filled(QDate(1582, 10, 1)).Span(), (std::array<int, 3>{6, 36, 31}));
}

TEST(MonthCellsTest, LunarFestivalBeatsSolarTermBeatsGregorianFestivalBeatsMonthStart) {
    const MonthColors c;
    DayTexts t{QStringLiteral("初一"), QStringLiteral("八月"), QStringLiteral("国庆节"),
               QStringLiteral("寒露"), QStringLiteral("中秋节")};
    auto expect = [&](const QString& text, const QColor& color) {
        const LunarLine line = ChooseLunarLine(t, c);
        EXPECT_EQ(line.text, text);
        EXPECT_EQ(line.Color, color);
    };
    expect(QStringLiteral("中秋节"), c.CnHolDay);
    t.LunarFestival.clear();
    expect(QStringLiteral("寒露"), c.LunarHolDay);
    t.SolarTerm.clear();
    expect(QStringLiteral("国庆节"), c.Holiday);
    t.SolarFestival.clear();
    expect(QStringLiteral("八月"), QColor(255, 0, 0));
    t.LunarDay = QStringLiteral("十五");
    expect(QStringLiteral("十五"), c.CnDate);
}

TEST(MonthCellsTest, RealDatesShowFestivalsTermsAndLunarMonthStarts) {
    MonthColors colors;
    colors.CnDate = QColor(1, 1, 1);
    colors.Holiday = QColor(2, 2, 2);
    colors.LunarHolDay = QColor(3, 3, 3);
    colors.CnHolDay = QColor(4, 4, 4);
    const struct {
        QDate date;
        const char16_t* line;
        QColor color;
    } cases[] = {
        {QDate(2023, 3, 22), u"闰二", QColor(255, 0, 0)}, // first day of a leap month
        {QDate(2024, 3, 10), u"二月", QColor(255, 0, 0)},
        {QDate(2024, 2, 14), u"情人节", colors.Holiday},
        {QDate(1964, 6, 21), u"夏至", colors.LunarHolDay}, // also 父亲节
        {QDate(1957, 10, 8), u"中秋节", colors.CnHolDay},  // also 寒露
        {QDate(2020, 10, 1), u"中秋节", colors.CnHolDay},  // also 国庆节
        {QDate(2024, 2, 10), u"春节", colors.CnHolDay},    // also the month start
        {QDate(2024, 2, 12), u"初三", colors.CnDate},
        {QDate(1582, 10, 6), u"老人节", colors.Holiday}, // in the engine's gap
        {QDate(1582, 10, 5), u"", colors.CnDate},
    };
    for (const auto& c : cases) {
        const Filled filled(c.date, colors);
        const DayCell& cell = filled.Day(c.date.day());
        ASSERT_TRUE(cell.Filled) << qPrintable(c.date.toString());
        EXPECT_EQ(cell.LunarLine, QString::fromUtf16(c.line)) << qPrintable(c.date.toString());
        EXPECT_EQ(cell.LunarColor, c.color) << qPrintable(c.date.toString());
    }
    const Filled leap(QDate(2023, 3, 22));
    EXPECT_EQ(leap.Day(22).LunarMonthText, QStringLiteral("闰二"));
    EXPECT_EQ(leap.Day(20).LunarLine, QStringLiteral("廿九"));
}

TEST(MonthCellsTest, WeekTextsFollowIsoWeeksNotTheSundayRows) {
    // Sunday 1 February 2015 closes ISO week 5; Monday the 2nd opens week 6.
    EXPECT_EQ(Filled(QDate(2015, 2, 1)).Weeks(), QStringLiteral("5,6,7,8,9,"));
    // 1 January 2021 (a Friday) still belongs to week 53 of 2020.
    EXPECT_EQ(Filled(QDate(2021, 1, 1)).Weeks(), QStringLiteral("53,1,2,3,4,"));
    EXPECT_EQ(Filled(QDate(2023, 1, 1)).Weeks(), QStringLiteral("52,1,2,3,4,5"));
}
