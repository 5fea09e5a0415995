#include "calview/MonthCells.h"

#include <gtest/gtest.h>

using namespace MonthCells;

namespace {

// Fills the month of `selected` as the control does: the engine first holds the selected day.
struct FilledMonth {
    MonthSheet cells;
    int selectedCell = 0;

    explicit FilledMonth(QDate selected, const MonthColors& colors = {}) {
        ChnCalendarUse::ChineseDateTexts cal;
        cal.Calculate(selected.year(), selected.month(), selected.day());
        selectedCell = cells.fill(selected, cal, colors);
    }
    const DayCell& dayCell(int day) const {
        for (int n = 1; n < CalendarLayout::kFirstTitleCell; ++n)
            if (cells.cell(n).filled && cells.cell(n).day == day)
                return cells.cell(n);
        return cells.cell(0);
    }
    // First and last filled date cell, and how many are filled.
    std::array<int, 3> span() const {
        std::array<int, 3> span{0, 0, 0};
        for (int n = 1; n < CalendarLayout::kFirstTitleCell; ++n)
            if (cells.cell(n).filled) {
                span[0] = span[0] == 0 ? n : span[0];
                span[1] = n;
                ++span[2];
            }
        return span;
    }
    QString weeks() const {
        QStringList texts;
        for (int row = 1; row <= 6; ++row)
            texts << cells.weekText(row);
        return texts.join(QLatin1Char(','));
    }
};

} // namespace

TEST(MonthCellsTest, MonthsFillFromTheirFirstWeekdayAndKeepTheTitleCells) {
    const FilledMonth feb(QDate(2015, 2, 14)); // 28 days from Sunday
    EXPECT_EQ(feb.span(), (std::array<int, 3>{1, 28, 28}));
    EXPECT_EQ(feb.cells.cell(28).dayText, QStringLiteral("28"));
    EXPECT_EQ(feb.selectedCell, 14);
    EXPECT_TRUE(feb.cells.cell(40).filled && feb.cells.cell(42).filled);
    // Between 立春 (the 4th) and the lunar New Year (the 19th) cells 41 and 42 read as one
    // phrase of the lunar year, 甲午马年, not 乙未 (the year pillar) with the horse.
    EXPECT_EQ(feb.cells.cell(40).dayText, QStringLiteral("宝瓶"));
    EXPECT_EQ(feb.cells.cell(41).dayText, QStringLiteral("甲午"));
    EXPECT_EQ(feb.cells.cell(42).dayText, QStringLiteral("马年"));
    const FilledMonth after(QDate(2015, 2, 19));
    EXPECT_EQ(after.cells.cell(41).dayText + after.cells.cell(42).dayText,
              QStringLiteral("乙未羊年"));

    const FilledMonth march(QDate(2025, 3, 31)); // 31 days from Saturday
    EXPECT_EQ(march.span(), (std::array<int, 3>{7, 37, 31}));
    EXPECT_EQ(march.cells.cell(37).day, 31);
    EXPECT_EQ(march.cells.cell(40).dayText, QStringLiteral("白羊"));

    // The grid counts proleptic Gregorian days, whatever the engine does with them.
    EXPECT_EQ(FilledMonth(QDate(1500, 2, 1)).span()[2], 28);
    EXPECT_EQ(FilledMonth(QDate(1582, 10, 1)).span(), (std::array<int, 3>{6, 36, 31}));
}

TEST(MonthCellsTest, LunarFestivalBeatsSolarTermBeatsGregorianFestivalBeatsMonthStart) {
    const MonthColors c;
    DayTexts t{QStringLiteral("初一"), QStringLiteral("八月"), QStringLiteral("国庆节"),
               QStringLiteral("寒露"), QStringLiteral("中秋节")};
    auto expect = [&](const QString& text, const QColor& color) {
        const LunarLine line = chooseLunarLine(t, c);
        EXPECT_EQ(line.text, text);
        EXPECT_EQ(line.color, color);
    };
    expect(QStringLiteral("中秋节"), c.lunarFestival);
    t.lunarFestival.clear();
    expect(QStringLiteral("寒露"), c.solarTerm);
    t.solarTerm.clear();
    expect(QStringLiteral("国庆节"), c.solarFestival);
    t.solarFestival.clear();
    expect(QStringLiteral("八月"), QColor(255, 0, 0));
    t.lunarDay = QStringLiteral("十五");
    expect(QStringLiteral("十五"), c.lunarDay);
}

TEST(MonthCellsTest, RealDatesShowFestivalsTermsAndLunarMonthStarts) {
    MonthColors colors;
    colors.lunarDay = QColor(1, 1, 1);
    colors.solarFestival = QColor(2, 2, 2);
    colors.solarTerm = QColor(3, 3, 3);
    colors.lunarFestival = QColor(4, 4, 4);
    const struct {
        QDate date;
        const char16_t* line;
        QColor color;
    } cases[] = {
        {QDate(2023, 3, 22), u"闰二", QColor(255, 0, 0)}, // first day of a leap month
        {QDate(2024, 3, 10), u"二月", QColor(255, 0, 0)},
        {QDate(2024, 2, 14), u"情人节", colors.solarFestival},
        {QDate(1964, 6, 21), u"夏至", colors.solarTerm},       // also 父亲节
        {QDate(1957, 10, 8), u"中秋节", colors.lunarFestival}, // also 寒露
        {QDate(2020, 10, 1), u"中秋节", colors.lunarFestival}, // also 国庆节
        {QDate(2024, 2, 10), u"春节", colors.lunarFestival},   // also the month start
        {QDate(2024, 2, 12), u"初三", colors.lunarDay},
        {QDate(1582, 10, 6), u"老人节", colors.solarFestival}, // in the engine's gap
        {QDate(1582, 10, 5), u"", colors.lunarDay},
    };
    for (const auto& c : cases) {
        const FilledMonth filled(c.date, colors);
        const DayCell& cell = filled.dayCell(c.date.day());
        ASSERT_TRUE(cell.filled) << qPrintable(c.date.toString());
        EXPECT_EQ(cell.lunarLine, QString::fromUtf16(c.line)) << qPrintable(c.date.toString());
        EXPECT_EQ(cell.lunarColor, c.color) << qPrintable(c.date.toString());
    }
    const FilledMonth leap(QDate(2023, 3, 22));
    EXPECT_EQ(leap.dayCell(22).lunarMonthText, QStringLiteral("闰二"));
    EXPECT_EQ(leap.dayCell(20).lunarLine, QStringLiteral("廿九"));
}

TEST(MonthCellsTest, WeekTextsFollowIsoWeeksNotTheSundayRows) {
    // Sunday 1 February 2015 closes ISO week 5; Monday the 2nd opens week 6.
    EXPECT_EQ(FilledMonth(QDate(2015, 2, 1)).weeks(), QStringLiteral("5,6,7,8,9,"));
    // 1 January 2021 (a Friday) still belongs to week 53 of 2020.
    EXPECT_EQ(FilledMonth(QDate(2021, 1, 1)).weeks(), QStringLiteral("53,1,2,3,4,"));
    EXPECT_EQ(FilledMonth(QDate(2023, 1, 1)).weeks(), QStringLiteral("52,1,2,3,4,5"));
}
