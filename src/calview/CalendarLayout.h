#pragma once

// Geometry of the month view: where the cell grid sits in the control, the widths and heights
// of its 9 x 7 cells, the numbering of the day cells and the selection gradient. Pure
// functions, so that every rule can be checked without painting.

#include <QColor>
#include <QLocale>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <optional>

namespace CalendarLayout {

inline constexpr int kColumns = 9; // week numbers, Sunday .. Saturday, filler
inline constexpr int kRows = 7;    // weekday header, six weeks
inline constexpr int kHeaderHeight = 18;
inline constexpr int kWeekColumnShown = 18;
inline constexpr int kWeekColumnHidden = 6;
inline constexpr int kCellCount = 42;
// Cells 40..42 (last row, Thursday .. Saturday) carry the star sign, year cycle and animal.
inline constexpr int kFirstTitleCell = 40;
inline constexpr QSize kCreatedSize{313, 253};

// The grid's rectangle inside a control of the given size: below the title bar when the title
// shows, almost the whole control otherwise. Never negative in size.
QRect gridPlacement(QSize control, bool showTitle);

struct GridMetrics {
    std::array<int, kColumns> columnWidths{};
    std::array<int, kRows> rowHeights{};

    int columnLeft(int column) const;
    int rowTop(int row) const;
    // Rectangle of a cell in grid coordinates; empty outside the grid.
    QRect cellRect(int column, int row) const;
    // (column, row) of the cell under a point in grid coordinates.
    std::optional<QPoint> cellAt(QPoint point) const;
};

// Row 0 is 18 high and column 0 holds the week numbers; the rows 1..5 and columns 1..7 share
// the rest equally, one pixel narrower than the even share, and the last row and the filler
// column take what remains, so the cells always fill the grid exactly.
GridMetrics layoutGrid(QSize gridClient, bool showWeekNumbers);

// Cell number 1..42 of a week-row cell in columns 1..7; 0 for the header row, the week column
// and the filler.
int cellNumber(int column, int row);
// (column, row) of cell number 1..42.
QPoint cellPosition(int cellNumber);

// Header text of a column: "W" over the week numbers (when shown), the locale's long weekday
// name when the text has more than 36 pixels, else the one-character name.
QString weekdayHeaderText(int column, int textWidth, bool showWeekNumbers, const QLocale& locale);

// num / den rounded to the nearest integer, halves to the even neighbour (den > 0).
long long roundHalfEven(long long num, long long den);

// Band k (1..256) of the vertical selection gradient of a cell h pixels high: its colour and
// the rows [top, bottom) it covers.
struct GradientBand {
    QColor color;
    int top = 0;
    int bottom = 0;
};
inline constexpr int kGradientBands = 256;
GradientBand selectionBand(int k, int height, const QColor& start, const QColor& end);

} // namespace CalendarLayout
