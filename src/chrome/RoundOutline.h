#pragma once

#include <QRegion>
#include <QSize>
#include <algorithm>
#include <cmath>

// The rounded outline of the shells: a rectangle whose corners follow ellipses 11 pixels wide
// and 11 high. Header-only so that the asset generator can paint the frame pictures' corners on
// exactly the pixels the window keeps.
namespace RoundOutline {

inline constexpr int kCornerEllipse = 11;

// How many pixels of row `row` (counted from the top or bottom edge) the corner cuts away.
// Rows at or beyond half the ellipse are not cut.
inline int inset(int row) {
    const double radius = kCornerEllipse / 2.0;
    const double dy = radius - (row + 0.5);
    if (dy <= 0)
        return 0;
    const double dx = std::sqrt(radius * radius - dy * dy);
    return std::max(0, static_cast<int>(std::lround(radius - dx)));
}

// The window's visible shape for a window of the given size, in window coordinates.
inline QRegion region(QSize size) {
    const int w = size.width();
    const int h = size.height();
    if (w <= 0 || h <= 0)
        return {};
    QRegion region(0, 0, w, h);
    for (int row = 0; row < kCornerEllipse / 2 + 1 && row < h; ++row) {
        const int cut = inset(row);
        if (cut == 0)
            break;
        for (const int y : {row, h - 1 - row}) {
            region -= QRegion(0, y, cut, 1);
            region -= QRegion(w - cut, y, cut, 1);
        }
    }
    return region;
}

} // namespace RoundOutline
