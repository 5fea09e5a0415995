// Caption glyphs, the text button and the frame pictures.
#include "Canvas.h"

#include "chrome/RoundOutline.h"

#include <array>
#include <cmath>
#include <functional>

namespace {

constexpr int kGlyph = 13;
using Mask = std::array<std::array<double, kGlyph>, kGlyph>; // coverage 0..1 per pixel

Mask fromRows(const std::array<const char*, kGlyph>& rows) {
    Mask mask{};
    for (int y = 0; y < kGlyph; ++y)
        for (int x = 0; x < kGlyph; ++x)
            mask[y][x] = rows[y][x] == '#' ? 1.0 : 0.0;
    return mask;
}

Mask minGlyph() {
    return fromRows({".............", ".............", ".............", ".............",
                     ".............", ".............", ".............", ".............",
                     "...#######...", "...#######...", ".............", ".............",
                     "............."});
}

Mask maxGlyph() {
    return fromRows({".............", ".............", ".............", "...#######...",
                     "...#######...", "...#.....#...", "...#.....#...", "...#.....#...",
                     "...#.....#...", "...#######...", ".............", ".............",
                     "............."});
}

Mask restoreGlyph() {
    Mask mask{};
    const auto box = [&mask](int left, int top, int size) {
        for (int y = top; y < top + size; ++y)
            for (int x = left; x < left + size; ++x) {
                const bool edge =
                    y <= top + 1 || y == top + size - 1 || x == left || x == left + size - 1;
                mask[y][x] = edge ? 1.0 : 0.0;
            }
    };
    box(5, 2, 6); // the window behind
    box(2, 5, 6); // the window in front hides what it covers
    return mask;
}

Mask closeGlyph() {
    // One-pixel diagonals with softened shoulders: crisp, yet as heavy as the other glyphs.
    Mask mask{};
    for (int y = 3; y <= 9; ++y)
        for (int x = 3; x <= 9; ++x) {
            const int a = std::abs(x - y);
            const int b = std::abs(x + y - 12);
            const double coverage = (a == 0 || b == 0) ? 1.0 : (a == 1 || b == 1) ? 0.4 : 0.0;
            mask[y][x] = std::max(mask[y][x], coverage);
        }
    return mask;
}

Mask helpGlyph() {
    return fromRows({".............", ".............", "....#####....", "...##...##...",
                     "........##...", ".......##....", "......##.....", "......##.....",
                     ".............", "......##.....", "......##.....", ".............",
                     "............."});
}

enum class Look { Normal, Hot, Pressed };

void paintMask(QImage& image, const Mask& mask, QColor color, int dx, int dy) {
    QPainter p(&image);
    for (int y = 0; y < kGlyph; ++y)
        for (int x = 0; x < kGlyph; ++x) {
            if (mask[y][x] <= 0.0)
                continue;
            const int tx = x + dx;
            const int ty = y + dy;
            if (tx < 0 || ty < 0 || tx >= kGlyph || ty >= kGlyph)
                continue;
            QColor c = color;
            c.setAlphaF(color.alphaF() * mask[y][x]);
            p.fillRect(tx, ty, 1, 1, c);
        }
}

QImage glyphImage(const Mask& mask, Look look, bool danger) {
    QImage image = newCanvas(kGlyph, kGlyph);
    {
        QPainter p(&image);
        smooth(p);
        const QRectF plate(0.5, 0.5, kGlyph - 1, kGlyph - 1);
        if (look == Look::Hot) {
            p.setPen(danger ? QColor(0xF4, 0x8A, 0x7E) : QColor(255, 255, 255, 150));
            p.setBrush(danger ? QColor(0xE0, 0x4A, 0x3A) : QColor(255, 255, 255, 70));
            p.drawRoundedRect(plate, 2.5, 2.5);
        } else if (look == Look::Pressed) {
            p.setPen(danger ? QColor(0x8E, 0x26, 0x1E) : QColor(0x6E, 0x2A, 0x06, 150));
            p.setBrush(danger ? QColor(0xB3, 0x31, 0x28) : QColor(0x7A, 0x2E, 0x05, 110));
            p.drawRoundedRect(plate, 2.5, 2.5);
        }
    }
    // A soft shadow under the white strokes keeps them legible on the light top of the bar.
    const int shift = look == Look::Pressed ? 1 : 0;
    if (look == Look::Normal)
        paintMask(image, mask, QColor(0x7A, 0x2E, 0x05, 120), 0, 1);
    paintMask(image, mask, Qt::white, 0, shift);
    return image;
}

void makeGlyphs(Output& out) {
    struct Set {
        const char* name;
        Mask mask;
        bool danger;
    };
    const std::array<Set, 5> sets{{{"fbMin", minGlyph(), false},
                                   {"fbMax", maxGlyph(), false},
                                   {"fbNormal", restoreGlyph(), false},
                                   {"fbClose", closeGlyph(), true},
                                   {"fbHelp", helpGlyph(), false}}};
    for (const Set& set : sets) {
        const QString base = QString::fromLatin1(set.name);
        out.save("skin", base, glyphImage(set.mask, Look::Normal, set.danger));
        out.save("skin", base + "Move", glyphImage(set.mask, Look::Hot, set.danger));
        out.save("skin", base + "Down", glyphImage(set.mask, Look::Pressed, set.danger));
    }
}

QImage textButton(QColor top, QColor bottom, QColor border, QColor innerLine) {
    QImage image = newCanvas(265, 34);
    QPainter p(&image);
    smooth(p);
    QLinearGradient fill(0, 0, 0, 34);
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setPen(QPen(border, 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, 264, 33), 4, 4);
    p.setPen(QPen(innerLine, 1));
    p.drawLine(QPointF(4, 1.5), QPointF(261, 1.5));
    return image;
}

void makeTextButtons(Output& out) {
    out.save("skin", "btnUp",
             textButton(QColor(0xFF, 0xFF, 0xFF), QColor(0xF3, 0xE9, 0xDE),
                        QColor(0xC7, 0xA6, 0x88), QColor(255, 255, 255, 200)));
    out.save("skin", "btnMove",
             textButton(QColor(0xFF, 0xF8, 0xEF), QColor(0xFF, 0xE0, 0xBC),
                        QColor(0xEE, 0x9A, 0x4C), QColor(255, 255, 255, 220)));
    out.save("skin", "btnDown",
             textButton(QColor(0xF6, 0xC2, 0x8E), QColor(0xF9, 0xD4, 0xAE),
                        QColor(0xC8, 0x66, 0x1F), QColor(0xD9, 0x8A, 0x4A, 160)));
}

// Row colours of the title bar, top to bottom; the bar is uniform across.
QColor titleRow(int y, int height) {
    if (y == 0)
        return Palette::kBorder;
    if (y == 1)
        return Palette::kTitleHighlight;
    if (y == height - 1)
        return Palette::kTitleBase;
    const double t = double(y - 2) / double(height - 4);
    const QColor a = Palette::kTitleTop;
    const QColor b = Palette::kTitleBottom;
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                            a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

// Side strip, outside to inside.
const std::array<QColor, 6> kSide{Palette::kBorder,         QColor(0xEF, 0x8E, 0x40),
                                  QColor(0xE3, 0x73, 0x1F), QColor(0xE3, 0x73, 0x1F),
                                  QColor(0xE3, 0x73, 0x1F), Palette::kTitleBase};

// Footer rows: a deep ember band, dark enough for the main window's bright status texts.
QColor bottomRow(int y, int height) {
    if (y == height - 1)
        return Palette::kBorder;
    if (y == 0)
        return QColor(0xC3, 0x5E, 0x1B);
    const double t = double(y - 1) / double(height - 2);
    const QColor a(0xA8, 0x4C, 0x16);
    const QColor b(0x80, 0x37, 0x0F);
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                            a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

using RowColour = std::function<QColor(int y, int height)>;

// A piece of a horizontal bar. `leftEdge`/`rightEdge`: the piece carries the window's outer
// border on that side; `topCorner`/`bottomCorner`: with the rounded corner the window's outline
// cuts there, whose cut pixels stay transparent and whose edge is drawn in the border colour.
QImage barPiece(int width, int height, const RowColour& row, bool leftEdge, bool rightEdge,
                bool topCorner, bool bottomCorner) {
    QImage image = newCanvas(width, height);
    for (int y = 0; y < height; ++y) {
        const QColor base = row(y, height);
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, base);
        int inset = 0;
        if (topCorner)
            inset = RoundOutline::inset(y);
        else if (bottomCorner)
            inset = RoundOutline::inset(height - 1 - y);
        for (const bool left : {true, false}) {
            if ((left && !leftEdge) || (!left && !rightEdge))
                continue;
            const auto at = [&](int fromEdge) { return left ? fromEdge : width - 1 - fromEdge; };
            for (int i = 0; i < inset; ++i)
                image.setPixelColor(at(i), y, Qt::transparent);
            image.setPixelColor(at(inset), y, Palette::kBorder);
        }
    }
    return image;
}

void makeFrame(Output& out) {
    const RowColour title = titleRow;
    const RowColour footer = bottomRow;
    out.save("frame", "frameTopL", barPiece(9, 35, title, true, false, true, false));
    out.save("frame", "frameTopC", barPiece(8, 35, title, false, false, false, false));
    out.save("frame", "frameTopR", barPiece(52, 35, title, false, true, true, false));
    out.save("frame", "frameBottomL", barPiece(6, 22, footer, true, false, false, true));
    out.save("frame", "frameBottomC", barPiece(8, 22, footer, false, false, false, false));
    out.save("frame", "frameBottomR", barPiece(15, 22, footer, false, true, false, true));

    QImage left = newCanvas(6, 8);
    QImage right = newCanvas(6, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 6; ++x) {
            left.setPixelColor(x, y, kSide[static_cast<std::size_t>(x)]);
            right.setPixelColor(5 - x, y, kSide[static_cast<std::size_t>(x)]);
        }
    out.save("frame", "frameLeft", left);
    out.save("frame", "frameRight", right);
}

} // namespace

void makeSkin(Output& out) {
    makeGlyphs(out);
    makeTextButtons(out);
    makeFrame(out);
}
