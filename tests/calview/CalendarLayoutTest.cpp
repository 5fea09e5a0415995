#include "calview/CalendarLayout.h"

#include <gtest/gtest.h>
#include <numeric>

using namespace CalendarLayout;

TEST(CalendarLayoutTest, GridSitsBelowTheTitleAndEndsTwentySevenAboveTheBottom) {
    EXPECT_EQ(gridPlacement({313, 253}, true), QRect(8, 40, 298, 186));
    EXPECT_EQ(gridPlacement({313, 253}, true).bottom() + 1, 226); // the info line at 236 shows
    EXPECT_EQ(gridPlacement({735, 316}, true).bottom() + 1, 289);
    EXPECT_EQ(gridPlacement({313, 253}, false), QRect(2, 2, 309, 249));
}

TEST(CalendarLayoutTest, RowsAndColumnsShareTheGridAndTheLastOnesTakeTheRest) {
    const GridMetrics m = layoutGrid({298, 186}, false);
    EXPECT_EQ(m.rowHeights, (std::array<int, 7>{18, 27, 27, 27, 27, 27, 33}));
    EXPECT_EQ(m.columnWidths, (std::array<int, 9>{6, 40, 40, 40, 40, 40, 40, 40, 12}));
    EXPECT_EQ(layoutGrid({298, 186}, true).columnWidths[1], 39); // (298 - 18) div 7 - 1
    for (QSize size : {QSize(298, 186), QSize(720, 249), QSize(101, 77)}) {
        const GridMetrics g = layoutGrid(size, true);
        EXPECT_EQ(std::accumulate(g.rowHeights.begin(), g.rowHeights.end(), 0), size.height());
        EXPECT_EQ(std::accumulate(g.columnWidths.begin(), g.columnWidths.end(), 0), size.width());
    }
    // Hit testing agrees with the cell rectangles, corners included.
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            EXPECT_EQ(m.cellAt(m.cellRect(c, r).topLeft()), QPoint(c, r));
            EXPECT_EQ(m.cellAt(m.cellRect(c, r).bottomRight()), QPoint(c, r));
        }
    EXPECT_FALSE(m.cellAt({298, 10}).has_value());
}

TEST(CalendarLayoutTest, CellNumbersRunRowByRowFromSunday) {
    EXPECT_EQ(cellNumber(7, 1), 7);
    EXPECT_EQ(cellNumber(1, 2), 8);
    EXPECT_EQ(cellNumber(5, 6), 40);
    EXPECT_EQ(cellNumber(0, 3), 0); // week numbers
    EXPECT_EQ(cellNumber(8, 3), 0); // filler
    EXPECT_EQ(cellNumber(3, 0), 0); // header
    for (int n = 1; n <= kCellCount; ++n)
        EXPECT_EQ(cellNumber(cellPosition(n).x(), cellPosition(n).y()), n);
}

TEST(CalendarLayoutTest, NarrowColumnsUseOneCharacterWeekdayNames) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    // A column of 38 pixels leaves 36 for the text: too narrow for the long names.
    EXPECT_EQ(weekdayHeaderText(1, 36, false, english), QStringLiteral("日"));
    EXPECT_EQ(weekdayHeaderText(7, 36, false, english), QStringLiteral("六"));
    EXPECT_EQ(weekdayHeaderText(1, 37, false, english), QStringLiteral("Sunday"));
    EXPECT_EQ(weekdayHeaderText(2, 37, false, english), QStringLiteral("Monday"));
    EXPECT_EQ(weekdayHeaderText(0, 80, true, english), QStringLiteral("W"));
    EXPECT_TRUE(weekdayHeaderText(0, 80, false, english).isEmpty());
    EXPECT_TRUE(weekdayHeaderText(8, 80, true, english).isEmpty());
}

TEST(CalendarLayoutTest, SelectionGradientCoversTheCellWithHalvesRoundedToEven) {
    EXPECT_EQ(roundHalfEven(5, 2), 2);
    EXPECT_EQ(roundHalfEven(7, 2), 4);
    EXPECT_EQ(roundHalfEven(-5, 2), -2);
    EXPECT_EQ(roundHalfEven(11, 4), 3);
    const QColor start(0, 174, 83);
    const QColor end(0, 213, 101);
    for (int h : {27, 28, 46}) {
        int covered = 0;
        for (int k = 1; k <= kGradientBands; ++k) {
            const GradientBand band = selectionBand(k, h, start, end);
            EXPECT_EQ(band.top, covered) << "h " << h << " k " << k;
            covered = band.bottom;
        }
        EXPECT_EQ(covered, h);
    }
    EXPECT_EQ(selectionBand(1, 28, start, end).color, start);
    EXPECT_EQ(selectionBand(256, 28, start, end).color, end);
    EXPECT_EQ(selectionBand(128, 28, start, end).color, QColor(0, 194, 92)); // 19.5 -> 20
    EXPECT_EQ(selectionBand(128, 10, end, start).color, QColor(0, 193, 92)); // -19.5 -> -20
    EXPECT_EQ(selectionBand(96, 28, start, end).bottom, 10);                 // 10.5 -> 10
}
