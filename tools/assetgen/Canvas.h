#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QStringList>
#include <functional>

// Shared by the generator's parts: the palette, a transparent canvas, the output folder.
namespace Palette {
// The warm orange of the name (橙岭, "orange ridge") on a clean light frame.
inline const QColor kBorder{0x9C, 0x43, 0x0E};
inline const QColor kTitleTop{0xF9, 0xA8, 0x51};
inline const QColor kTitleBottom{0xE0, 0x69, 0x1B};
inline const QColor kTitleHighlight{0xFF, 0xD0, 0x9A};
inline const QColor kTitleBase{0xB9, 0x54, 0x1A};
inline const QColor kOrange{0xF2, 0x8C, 0x28};
inline const QColor kOrangeLight{0xFF, 0xB2, 0x5B};
inline const QColor kOrangeDeep{0xD9, 0x66, 0x1A};
inline const QColor kEmber{0xB4, 0x4E, 0x12};
inline const QColor kCream{0xFF, 0xF4, 0xE8};
inline const QColor kInk{0x3B, 0x2A, 0x1E};
inline const QColor kTeal{0x2A, 0x9D, 0x8F};
inline const QColor kGreen{0x3F, 0xA3, 0x4D};
inline const QColor kBlue{0x3A, 0x7B, 0xD5};
inline const QColor kBlueDark{0x2A, 0x5F, 0xA8};
inline const QColor kRed{0xD6, 0x45, 0x45};
inline const QColor kGold{0xF2, 0xB1, 0x34};
inline const QColor kGoldDark{0xC0, 0x7A, 0x12};
inline const QColor kRose{0xE8, 0x6A, 0x92};
inline const QColor kSlate{0x5B, 0x7B, 0xA6};
inline const QColor kGrey{0x9A, 0x8F, 0x86};
} // namespace Palette

inline QImage newCanvas(int width, int height, QColor fill = Qt::transparent) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

inline void smooth(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

// Collects the written pictures for the resource list.
class Output {
public:
    explicit Output(QString root) : root_(std::move(root)) {}
    // Writes <root>/<folder>/<name>.png; fails loudly, since a missing picture breaks the build.
    void save(const QString& folder, const QString& name, const QImage& image);
    // Writes <root>/<folder>/<name>.svg from a drawing on a size x size canvas. Not listed in the
    // resource list: the program shows the PNGs; the vector copy is for the desktop's icon theme.
    void saveScalable(const QString& folder, const QString& name, int size,
                      const std::function<void(QPainter&)>& draw) const;
    bool writeResourceList(const QString& file) const;
    const QString& root() const { return root_; }

private:
    QString root_;
    QStringList files_; // relative to root
};

// The parts of the generator.
void makeSkin(Output& out);     // caption glyphs, text button, frame pictures
void makeIcons(Output& out);    // application icon, list icons, tool-bar images
void makePictures(Output& out); // banners, popup pictures, login and about pictures
bool makeSounds(const QString& folder);

// Drawings shared between icon sizes and pictures, in a 16-unit box scaled by `s`.
void drawBell(QPainter& p, double s);
void drawCake(QPainter& p, double s);
void drawCalendar(QPainter& p, double s);
void drawHeart(QPainter& p, double s, QColor color);
void drawPerson(QPainter& p, double s, QColor color);
void drawClock(QPainter& p, QPointF centre, double radius, QColor face, QColor hands, QColor rim);
// Layered mountain ridges across [0, width], from baseline `top` down to `bottom`.
QPainterPath ridgePath(double width, double top, double bottom, double amplitude, double phase);
void drawRidge(QPainter& p, double width, double top, double bottom, double amplitude, double phase,
               const QBrush& color);
