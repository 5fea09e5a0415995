#pragma once

// The month view's background: white, an optional frame, the faint watermark of the shown year
// and month over the grid, and an optional picture blended in pixel by pixel. The grid's cells
// start from this picture, so everything here shows through them.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>

namespace CalendarBackground {

struct Options {
    QSize size;       // the control's
    QRect gridBounds; // where the grid sits in the control
    bool showFrame = true;
    QColor frameColor{128, 128, 128};
    bool showWatermark = true;
    int year = 0; // 0: nothing to show yet
    int month = 0;
    QColor yearColor{255, 232, 221};
    QColor monthColor{235, 235, 235};
    QImage picture; // null: none
    bool center = false;
    bool stretch = false;
    int alphaBlend = 50;
};

// Size of a picture scaled to fit inside `area` keeping its aspect ratio, placed at the top
// left; an empty rectangle for a picture without height.
QRect fitInside(QSize area, QSize picture);

// Where the picture is drawn in a control of size `area`: natural size or fitted (`stretch`),
// at the top left or centred (`center`).
QRect pictureRect(QSize area, QSize picture, bool center, bool stretch);

// Blends every pixel of `layer` that differs from its top-left pixel (the key colour) into
// `background`: with a = alphaBlend mod 100, each channel becomes
// ((100 - a) * background + a * layer) div 100. Both images must have the same size.
void blendLayer(QImage& background, const QImage& layer, int alphaBlend);

// Builds the background (and the picture layer, null when there is no picture) for `options`.
void render(const Options& options, QImage& background, QImage& pictureLayer);

// The pixel size of a font of `points` at the 96 dots per inch the control is laid out for.
int pointsToPixels(int points);

} // namespace CalendarBackground
