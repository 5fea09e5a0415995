#include "calview/CalendarBackground.h"

#include "calview/CalendarFonts.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace CalendarBackground {

int pointsToPixels(int points) {
    // Rounded as the platform rounds a point size to a character height.
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QRect fitInside(QSize area, QSize picture) {
    const int pw = picture.width();
    const int ph = picture.height();
    if (ph <= 0 || pw < 0)
        return {};
    const int W = area.width();
    const int H = area.height();
    const double q = static_cast<double>(pw) / ph;
    int width = 0;
    int height = 0;
    if (ph < pw) {
        height = static_cast<int>(std::trunc(W / q));
        width = W;
        if (H < height) {
            width = static_cast<int>(std::trunc(q * H));
            height = H;
        }
    } else {
        width = static_cast<int>(std::trunc(q * H));
        height = H;
        if (W < width) {
            height = static_cast<int>(std::trunc(W / q));
            width = W;
        }
    }
    return {0, 0, width, height};
}

QRect pictureRect(QSize area, QSize picture, bool center, bool stretch) {
    QRect r = stretch ? fitInside(area, picture) : QRect(QPoint(0, 0), picture);
    if (r.isEmpty())
        return {};
    if (center)
        r.moveTo((area.width() - r.width()) / 2, (area.height() - r.height()) / 2);
    return r;
}

void blendLayer(QImage& background, const QImage& layer, int alphaBlend) {
    if (background.isNull() || layer.isNull() || background.size() != layer.size())
        return;
    const int a = ((alphaBlend % 100) + 100) % 100;
    if (background.format() != QImage::Format_RGB32)
        background = background.convertToFormat(QImage::Format_RGB32);
    const QImage source = layer.format() == QImage::Format_RGB32
                              ? layer
                              : layer.convertToFormat(QImage::Format_RGB32);
    const QRgb key = source.pixel(0, 0) | 0xff000000u;
    auto mix = [a](int back, int front) {
        return std::clamp(((100 - a) * back + a * front) / 100, 0, 255);
    };
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(background.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const QRgb p = in[x] | 0xff000000u;
            if (p == key)
                continue;
            const QRgb b = out[x];
            out[x] =
                qRgb(mix(qRed(b), qRed(p)), mix(qGreen(b), qGreen(p)), mix(qBlue(b), qBlue(p)));
        }
    }
}

namespace {

void drawWatermarkText(QPainter& painter, const QRect& rect, const QString& text, int points,
                       const QColor& color) {
    const QFont font = CalendarFonts::make(CalendarFonts::kArialBlack, points);
    painter.setFont(font);
    painter.setPen(color);
    const QString shown =
        QFontMetrics(font).elidedText(text, Qt::ElideRight, std::max(0, rect.width()));
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, shown);
}

} // namespace

void render(const Options& options, QImage& background, QImage& pictureLayer) {
    const QSize size(std::max(1, options.size.width()), std::max(1, options.size.height()));
    if (background.size() != size || background.format() != QImage::Format_RGB32)
        background = QImage(size, QImage::Format_RGB32);
    background.fill(Qt::white);
    {
        QPainter painter(&background);
        if (options.showFrame) {
            painter.setPen(options.frameColor);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
        }
        if (options.showWatermark && options.year != 0) {
            painter.setRenderHint(QPainter::TextAntialiasing);
            const QRect g = options.gridBounds;
            const int left = g.left();
            const int right = g.left() + g.width();
            const int bottom = g.top() + g.height();
            // The year over the upper half of the grid, a little lowered; the month over the
            // lower half.
            const QRect upper(QPoint(left, g.top() + 6), QPoint(right - 1, bottom / 2 + 6 - 1));
            const QRect lower(QPoint(left, bottom / 2), QPoint(right - 1, bottom - 1));
            drawWatermarkText(painter, upper, QString::number(options.year), 48, options.yearColor);
            drawWatermarkText(painter, lower, QString::number(options.month), 90,
                              options.monthColor);
        }
    }

    if (options.picture.isNull()) {
        pictureLayer = QImage();
        return;
    }
    if (pictureLayer.size() != size || pictureLayer.format() != QImage::Format_RGB32)
        pictureLayer = QImage(size, QImage::Format_RGB32);
    pictureLayer.fill(Qt::white);
    const QRect target = pictureRect(size, options.picture.size(), options.center, options.stretch);
    if (!target.isEmpty()) {
        QPainter painter(&pictureLayer);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, options.picture);
    }
    blendLayer(background, pictureLayer, options.alphaBlend);
}

} // namespace CalendarBackground
