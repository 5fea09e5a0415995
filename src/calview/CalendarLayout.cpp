#include "calview/CalendarLayout.h"

#include <algorithm>

namespace CalendarLayout {

QRect gridPlacement(QSize control, bool showTitle) {
    if (showTitle)
        return {8, 40, std::max(0, control.width() - 15), std::max(0, control.height() - 67)};
    return {2, 2, std::max(0, control.width() - 4), std::max(0, control.height() - 4)};
}

GridMetrics layoutGrid(QSize gridClient, bool showWeekNumbers) {
    GridMetrics m;
    const int g = std::max(0, gridClient.height());
    const int header = std::min(kHeaderHeight, g);
    m.rowHeights[0] = header;
    const int eachRow = (g - header) / 6;
    for (int r = 1; r <= 5; ++r)
        m.rowHeights[r] = std::max(0, eachRow - 1);
    m.rowHeights[6] = std::max(0, g - header - 5 * m.rowHeights[1]);

    const int w = std::max(0, gridClient.width());
    const int w0 = std::min(showWeekNumbers ? kWeekColumnShown : kWeekColumnHidden, w);
    m.columnWidths[0] = w0;
    const int eachColumn = (w - w0) / 7;
    for (int c = 1; c <= 7; ++c)
        m.columnWidths[c] = std::max(0, eachColumn - 1);
    m.columnWidths[8] = std::max(0, w - w0 - 7 * m.columnWidths[1]);
    return m;
}

int GridMetrics::columnLeft(int column) const {
    int x = 0;
    for (int c = 0; c < column && c < kColumns; ++c)
        x += columnWidths[c];
    return x;
}

int GridMetrics::rowTop(int row) const {
    int y = 0;
    for (int r = 0; r < row && r < kRows; ++r)
        y += rowHeights[r];
    return y;
}

QRect GridMetrics::cellRect(int column, int row) const {
    if (column < 0 || column >= kColumns || row < 0 || row >= kRows)
        return {};
    return {columnLeft(column), rowTop(row), columnWidths[column], rowHeights[row]};
}

std::optional<QPoint> GridMetrics::cellAt(QPoint point) const {
    if (point.x() < 0 || point.y() < 0)
        return std::nullopt;
    int column = -1;
    for (int c = 0, left = 0; c < kColumns; left += columnWidths[c], ++c) {
        if (point.x() < left + columnWidths[c]) {
            column = c;
            break;
        }
    }
    int row = -1;
    for (int r = 0, top = 0; r < kRows; top += rowHeights[r], ++r) {
        if (point.y() < top + rowHeights[r]) {
            row = r;
            break;
        }
    }
    if (column < 0 || row < 0)
        return std::nullopt;
    return QPoint(column, row);
}

int cellNumber(int column, int row) {
    if (column < 1 || column > 7 || row < 1 || row > 6)
        return 0;
    return 7 * (row - 1) + column;
}

QPoint cellPosition(int cellNumber) {
    if (cellNumber % 7 == 0)
        return {7, cellNumber / 7};
    return {cellNumber % 7, cellNumber / 7 + 1};
}

QString weekdayHeaderText(int column, int textWidth, bool showWeekNumbers, const QLocale& locale) {
    if (column == 0)
        return showWeekNumbers ? QStringLiteral("W") : QString();
    if (column < 1 || column > 7)
        return {};
    if (textWidth > 36) {
        // Qt counts Monday as 1 and Sunday as 7; the grid starts on Sunday.
        const int qtDay = column == 1 ? 7 : column - 1;
        return locale.dayName(qtDay, QLocale::LongFormat);
    }
    static const std::array<const char16_t*, 7> shortNames = {u"日", u"一", u"二", u"三",
                                                              u"四", u"五", u"六"};
    return QString::fromUtf16(shortNames[static_cast<std::size_t>(column - 1)]);
}

long long roundHalfEven(long long num, long long den) {
    const bool negative = num < 0;
    const long long a = negative ? -num : num;
    long long q = a / den;
    const long long twiceRest = 2 * (a % den);
    if (twiceRest > den || (twiceRest == den && q % 2 == 1))
        ++q;
    return negative ? -q : q;
}

GradientBand selectionBand(int k, int height, const QColor& start, const QColor& end) {
    auto channel = [k](int from, int to) {
        return static_cast<int>(
            from + roundHalfEven(static_cast<long long>(k) * (to - from), kGradientBands));
    };
    GradientBand band;
    band.color = QColor(channel(start.red(), end.red()), channel(start.green(), end.green()),
                        channel(start.blue(), end.blue()));
    band.top =
        static_cast<int>(roundHalfEven(static_cast<long long>(k - 1) * height, kGradientBands));
    band.bottom =
        static_cast<int>(roundHalfEven(static_cast<long long>(k) * height, kGradientBands));
    return band;
}

} // namespace CalendarLayout
