#pragma once

#include "chrome/Assets.h"
#include "support/QtPrinters.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <gtest/gtest.h>

// Compares what a widget shows with a skin bitmap: every fully opaque pixel of the bitmap's
// `source` rectangle must appear unchanged at `at` in the widget's picture. Translucent pixels
// blend with whatever is behind and are left out.
inline ::testing::AssertionResult showsBitmap(const QImage& shown, const QString& bitmapName,
                                              QRect source, QPoint at) {
    const QImage bitmap =
        Assets::picture(bitmapName).toImage().convertToFormat(QImage::Format_ARGB32);
    if (bitmap.isNull())
        return ::testing::AssertionFailure() << "no bitmap " << bitmapName.toStdString();
    const QImage picture = shown.convertToFormat(QImage::Format_ARGB32);
    int compared = 0;
    for (int y = source.top(); y <= source.bottom(); ++y)
        for (int x = source.left(); x <= source.right(); ++x) {
            const QRgb expected = bitmap.pixel(x, y);
            if (qAlpha(expected) != 255)
                continue;
            const QPoint target = at + QPoint(x - source.left(), y - source.top());
            const QRgb actual = picture.pixel(target);
            if ((actual | 0xFF000000u) != expected)
                return ::testing::AssertionFailure()
                       << bitmapName.toStdString() << " (" << x << "," << y << ") is " << std::hex
                       << expected << " but the widget shows " << actual << " at (" << std::dec
                       << target.x() << "," << target.y() << ")";
            ++compared;
        }
    if (compared == 0)
        return ::testing::AssertionFailure()
               << "nothing opaque to compare in " << bitmapName.toStdString();
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult showsBitmap(QWidget& widget, const QString& bitmapName) {
    const QImage bitmap = Assets::picture(bitmapName).toImage();
    return showsBitmap(widget.grab().toImage(), bitmapName, bitmap.rect(), QPoint(0, 0));
}
