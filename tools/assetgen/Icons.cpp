// The application icon, the list icons and the tool-bar images. Small drawings are laid out on
// a 16-unit grid with strokes on half units, so that they stay crisp at 16 and at 32 pixels.
#include "Canvas.h"

#include <cmath>
#include <functional>

namespace {

QPainterPath roundedSquare(double inset, double size, double radius) {
    QPainterPath path;
    path.addRoundedRect(QRectF(inset, inset, size - 2 * inset, size - 2 * inset), radius, radius);
    return path;
}

// A sheet of paper with a folded corner, for the document tools (32-unit box).
void drawPage(QPainter& p) {
    QPainterPath page;
    page.moveTo(5.5, 2.5);
    page.lineTo(19.5, 2.5);
    page.lineTo(25.5, 8.5);
    page.lineTo(25.5, 29.5);
    page.lineTo(5.5, 29.5);
    page.closeSubpath();
    p.setPen(QPen(Palette::kGrey, 1));
    QLinearGradient paper(0, 2, 0, 30);
    paper.setColorAt(0, Qt::white);
    paper.setColorAt(1, QColor(0xF4, 0xEE, 0xE7));
    p.setBrush(paper);
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(19.5, 2.5);
    fold.lineTo(19.5, 8.5);
    fold.lineTo(25.5, 8.5);
    p.setBrush(QColor(0xE6, 0xDC, 0xD0));
    p.drawPath(fold);
    p.setPen(QPen(QColor(0xCF, 0xC4, 0xB8), 1));
    for (int line = 0; line < 5; ++line) {
        const double y = 12.5 + line * 3;
        p.drawLine(QPointF(9, y), QPointF(line == 4 ? 16 : 22, y));
    }
}

// A round badge at the lower right of a 32-unit tool image.
void drawBadge(QPainter& p, QColor colour) {
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(colour);
    p.drawEllipse(QPointF(23, 23), 7.25, 7.25);
}

QImage icon(int size, const std::function<void(QPainter&)>& draw) {
    QImage image = newCanvas(size, size);
    QPainter p(&image);
    smooth(p);
    draw(p);
    return image;
}

void drawPaperPlane(QPainter& p, double s) {
    p.save();
    p.scale(s, s);
    p.setPen(Qt::NoPen);
    QPainterPath upper;
    upper.moveTo(1, 7.5);
    upper.lineTo(15, 1.5);
    upper.lineTo(7.5, 9.5);
    upper.closeSubpath();
    p.setBrush(QColor(0x6C, 0xA6, 0xEC));
    p.drawPath(upper);
    QPainterPath lower;
    lower.moveTo(7.5, 9.5);
    lower.lineTo(15, 1.5);
    lower.lineTo(11, 14.5);
    lower.closeSubpath();
    p.setBrush(Palette::kBlue);
    p.drawPath(lower);
    QPainterPath flap;
    flap.moveTo(7.5, 9.5);
    flap.lineTo(8, 14);
    flap.lineTo(9.8, 11.4);
    flap.closeSubpath();
    p.setBrush(Palette::kBlueDark);
    p.drawPath(flap);
    p.restore();
}

void drawCheckCircle(QPainter& p, double s) {
    p.save();
    p.scale(s, s);
    p.setPen(QPen(QColor(0x1F, 0x7A, 0x6F), 1));
    p.setBrush(Palette::kTeal);
    p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath tick;
    tick.moveTo(4.8, 8.3);
    tick.lineTo(7.1, 10.6);
    tick.lineTo(11.3, 5.6);
    p.drawPath(tick);
    p.restore();
}

void drawAppIcon(QPainter& p, int size) {
    const double s = size / 256.0;
    p.save();
    p.scale(s, s);
    const bool tiny = size <= 24;
    const QPainterPath tile = roundedSquare(tiny ? 4 : 12, 256, tiny ? 44 : 52);
    QLinearGradient warm(0, 0, 0, 256);
    warm.setColorAt(0, QColor(0xFF, 0xB8, 0x5E));
    warm.setColorAt(1, QColor(0xE4, 0x5E, 0x17));
    p.setPen(Qt::NoPen);
    p.setBrush(warm);
    p.drawPath(tile);
    if (!tiny) {
        // The ridge of the name, behind the clock, cut to the tile by geometry rather than by a
        // clip, which the SVG output cannot carry.
        p.setBrush(QColor(0xC9, 0x4E, 0x10, 170));
        p.drawPath(ridgePath(256, 168, 256, 20, 0.6).intersected(tile));
        p.setBrush(QColor(0xA8, 0x3E, 0x0B, 200));
        p.drawPath(ridgePath(256, 196, 256, 14, 2.1).intersected(tile));
        p.setBrush(QColor(0xFF, 0xF1, 0xE0));
        p.drawEllipse(QPointF(74, 66), 24, 24);
        p.drawEllipse(QPointF(182, 66), 24, 24);
    }
    const double radius = tiny ? 86 : 70;
    drawClock(p, QPointF(128, tiny ? 128 : 124), radius, Qt::white, QColor(0xC8, 0x55, 0x12),
              QColor(0xFF, 0xE2, 0xC0));
    p.restore();
}

} // namespace

void drawClock(QPainter& p, QPointF centre, double radius, QColor face, QColor hands, QColor rim) {
    p.save();
    p.setPen(QPen(rim, radius * 0.12));
    p.setBrush(face);
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(hands, radius * 0.16, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(0, -radius * 0.62));
    p.drawLine(centre, centre + QPointF(radius * 0.45, radius * 0.2));
    p.setPen(Qt::NoPen);
    p.setBrush(hands);
    p.drawEllipse(centre, radius * 0.13, radius * 0.13);
    p.restore();
}

void drawBell(QPainter& p, double s) {
    p.save();
    p.scale(s, s);
    QPainterPath bell;
    bell.moveTo(2.5, 12);
    bell.cubicTo(4, 10.5, 4, 9, 4, 7);
    bell.cubicTo(4, 4, 5.8, 2.5, 8, 2.5);
    bell.cubicTo(10.2, 2.5, 12, 4, 12, 7);
    bell.cubicTo(12, 9, 12, 10.5, 13.5, 12);
    bell.closeSubpath();
    QLinearGradient gold(0, 2, 0, 12);
    gold.setColorAt(0, QColor(0xFF, 0xD0, 0x62));
    gold.setColorAt(1, Palette::kGold);
    p.setPen(QPen(Palette::kGoldDark, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(gold);
    p.drawPath(bell);
    p.setBrush(Palette::kGoldDark);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(8, 13.4), 1.6, 1.6);
    p.drawRect(QRectF(7.25, 1, 1.5, 1.8));
    p.restore();
}

void drawCake(QPainter& p, double s) {
    p.save();
    p.scale(s, s);
    p.setPen(QPen(QColor(0xB8, 0x45, 0x6C), 1));
    p.setBrush(Palette::kRose);
    p.drawRoundedRect(QRectF(2.5, 8.5, 11, 5.5), 1, 1);
    QPainterPath icing;
    icing.moveTo(2.5, 9.5);
    icing.cubicTo(3.5, 11.5, 4.5, 11.5, 5.25, 10);
    icing.cubicTo(6, 11.5, 7, 11.5, 8, 10);
    icing.cubicTo(9, 11.5, 10, 11.5, 10.75, 10);
    icing.cubicTo(11.5, 11.5, 12.5, 11.5, 13.5, 9.5);
    icing.lineTo(13.5, 8.5);
    icing.lineTo(2.5, 8.5);
    icing.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xF6, 0xF0));
    p.drawPath(icing);
    p.setBrush(QColor(0x6C, 0xA6, 0xEC));
    p.drawRect(QRectF(7.25, 4.5, 1.5, 4));
    p.setBrush(Palette::kGold);
    QPainterPath flame;
    flame.moveTo(8, 1);
    flame.cubicTo(9.4, 2.6, 9.2, 4, 8, 4);
    flame.cubicTo(6.8, 4, 6.6, 2.6, 8, 1);
    p.drawPath(flame);
    p.setPen(QPen(QColor(0x9E, 0x8E, 0x80), 1));
    p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
    p.restore();
}

void drawCalendar(QPainter& p, double s) {
    p.save();
    p.scale(s, s);
    p.setPen(QPen(Palette::kBlueDark, 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(1.5, 2.5, 13, 12), 1.2, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::kBlue);
    p.drawRect(QRectF(2, 3, 12, 3));
    p.setBrush(Palette::kBlueDark);
    p.drawRect(QRectF(4, 1, 1.5, 3));
    p.drawRect(QRectF(10.5, 1, 1.5, 3));
    p.setBrush(QColor(0xA9, 0xC4, 0xEC));
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 4; ++col)
            p.drawRect(QRectF(3.5 + col * 2.5, 7.5 + row * 3, 1.5, 1.5));
    p.setBrush(Palette::kOrange);
    p.drawRect(QRectF(8.5, 10.5, 1.5, 1.5));
    p.restore();
}

void drawHeart(QPainter& p, double s, QColor color) {
    p.save();
    p.scale(s, s);
    QPainterPath heart;
    heart.moveTo(8, 14);
    heart.cubicTo(3, 10.5, 1, 8, 1.5, 5);
    heart.cubicTo(2, 2.2, 6, 1.6, 8, 4.6);
    heart.cubicTo(10, 1.6, 14, 2.2, 14.5, 5);
    heart.cubicTo(15, 8, 13, 10.5, 8, 14);
    heart.closeSubpath();
    QLinearGradient fill(0, 2, 0, 14);
    fill.setColorAt(0, color.lighter(125));
    fill.setColorAt(1, color);
    p.setPen(QPen(color.darker(130), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(heart);
    p.setPen(QPen(QColor(255, 255, 255, 170), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(3.2, 3.6, 4, 4), 100 * 16, 70 * 16);
    p.restore();
}

void drawPerson(QPainter& p, double s, QColor color) {
    p.save();
    p.scale(s, s);
    p.setPen(QPen(color.darker(130), 1));
    p.setBrush(color.lighter(115));
    p.drawEllipse(QPointF(8, 5), 3, 3);
    QPainterPath body;
    body.moveTo(2.5, 14.5);
    body.cubicTo(2.5, 10.5, 5, 9, 8, 9);
    body.cubicTo(11, 9, 13.5, 10.5, 13.5, 14.5);
    body.closeSubpath();
    p.setBrush(color);
    p.drawPath(body);
    p.restore();
}

QPainterPath ridgePath(double width, double top, double bottom, double amplitude, double phase) {
    QPainterPath ridge;
    ridge.moveTo(0, bottom);
    const int steps = 64;
    for (int i = 0; i <= steps; ++i) {
        const double x = width * i / steps;
        const double u = double(i) / steps * 6.2831853;
        const double y = top - amplitude * (0.65 * std::sin(u * 1.3 + phase) +
                                            0.35 * std::sin(u * 2.9 + phase * 1.7));
        ridge.lineTo(x, y);
    }
    ridge.lineTo(width, bottom);
    ridge.closeSubpath();
    return ridge;
}

void drawRidge(QPainter& p, double width, double top, double bottom, double amplitude, double phase,
               const QBrush& color) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(ridgePath(width, top, bottom, amplitude, phase));
    p.restore();
}

void makeIcons(Output& out) {
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        out.save("icons", QStringLiteral("appIcon%1").arg(size),
                 icon(size, [size](QPainter& p) { drawAppIcon(p, size); }));
    out.saveScalable("icons", "appIcon", 256, [](QPainter& p) { drawAppIcon(p, 256); });

    out.save("icons", "listPending", icon(16, [](QPainter& p) {
                 drawClock(p, QPointF(8, 8), 6, Palette::kOrange, Qt::white, Palette::kOrangeDeep);
             }));
    out.save("icons", "listHistory", icon(16, [](QPainter& p) { drawCheckCircle(p, 1); }));
    out.save("icons", "listPublished", icon(16, [](QPainter& p) { drawPaperPlane(p, 1); }));
    out.save("icons", "listUser", icon(16, [](QPainter& p) { drawPerson(p, 1, Palette::kSlate); }));
    out.save("icons", "kindOrdinary", icon(16, [](QPainter& p) { drawBell(p, 1); }));
    out.save("icons", "kindBirthday", icon(16, [](QPainter& p) { drawCake(p, 1); }));
    out.save("icons", "kindAppointment", icon(16, [](QPainter& p) { drawCalendar(p, 1); }));
    out.save("icons", "kindAnniversary",
             icon(16, [](QPainter& p) { drawHeart(p, 1, Palette::kRed); }));

    const auto plusBadge = [](QPainter& p) {
        drawPage(p);
        drawBadge(p, Palette::kGreen);
        p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(23, 19), QPointF(23, 27));
        p.drawLine(QPointF(19, 23), QPointF(27, 23));
    };
    out.save("toolbar", "tbAdd", icon(32, plusBadge));
    out.save("toolbar", "tbEdit", icon(32, [](QPainter& p) {
                 drawPage(p);
                 p.save();
                 p.translate(23, 21);
                 p.rotate(45);
                 p.setPen(QPen(QColor(0x8A, 0x4A, 0x14), 1));
                 p.setBrush(Palette::kOrange);
                 p.drawRect(QRectF(-2.5, -10, 5, 14));
                 p.setBrush(Palette::kRose);
                 p.drawRect(QRectF(-2.5, -12.5, 5, 2.5));
                 QPainterPath tip;
                 tip.moveTo(-2.5, 4);
                 tip.lineTo(2.5, 4);
                 tip.lineTo(0, 9);
                 tip.closeSubpath();
                 p.setBrush(QColor(0xF3, 0xD9, 0xB5));
                 p.drawPath(tip);
                 p.setPen(Qt::NoPen);
                 p.setBrush(Palette::kInk);
                 p.drawEllipse(QPointF(0, 8), 1, 1);
                 p.restore();
             }));
    out.save("toolbar", "tbDelete", icon(32, [](QPainter& p) {
                 drawPage(p);
                 drawBadge(p, Palette::kRed);
                 p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
                 p.drawLine(QPointF(20.2, 20.2), QPointF(25.8, 25.8));
                 p.drawLine(QPointF(25.8, 20.2), QPointF(20.2, 25.8));
             }));
    out.save("toolbar", "tbQuickPublish", icon(32, [](QPainter& p) {
                 p.setPen(QPen(Palette::kOrange, 2, Qt::SolidLine, Qt::RoundCap));
                 p.drawLine(QPointF(2, 21), QPointF(9, 21));
                 p.drawLine(QPointF(4, 25.5), QPointF(12, 25.5));
                 p.drawLine(QPointF(2, 16.5), QPointF(6, 16.5));
                 p.translate(2, 0);
                 drawPaperPlane(p, 1.8);
             }));
    out.save("toolbar", "tbBirthday", icon(32, [](QPainter& p) { drawCake(p, 2); }));
    out.save("toolbar", "tbAppointment", icon(32, [](QPainter& p) {
                 drawCalendar(p, 1.75);
                 drawClock(p, QPointF(23, 23), 6.5, Qt::white, Palette::kOrangeDeep,
                           Palette::kOrange);
             }));
    out.save("toolbar", "tbAnniversary", icon(32, [](QPainter& p) {
                 drawHeart(p, 1.9, Palette::kRed);
                 p.setPen(Qt::NoPen);
                 p.setBrush(Palette::kGold);
                 QPainterPath star;
                 const QPointF c(26, 7);
                 for (int i = 0; i < 8; ++i) {
                     const double r = i % 2 == 0 ? 5.5 : 1.6;
                     const double a = i * 3.14159265 / 4;
                     const QPointF pt = c + QPointF(r * std::sin(a), -r * std::cos(a));
                     if (i == 0)
                         star.moveTo(pt);
                     else
                         star.lineTo(pt);
                 }
                 star.closeSubpath();
                 p.drawPath(star);
             }));
    out.save("toolbar", "tbHide", icon(32, [](QPainter& p) {
                 p.setPen(QPen(Palette::kSlate.darker(120), 1));
                 p.setBrush(Qt::white);
                 p.drawRoundedRect(QRectF(2.5, 3.5, 27, 19), 2, 2);
                 p.setPen(Qt::NoPen);
                 p.setBrush(Palette::kOrange);
                 p.drawRect(QRectF(3, 4, 26, 4));
                 p.setBrush(Palette::kSlate);
                 p.drawRoundedRect(QRectF(2, 26, 28, 4), 1.5, 1.5);
                 p.setBrush(Palette::kOrangeDeep);
                 QPainterPath arrow;
                 arrow.moveTo(13, 10);
                 arrow.lineTo(19, 10);
                 arrow.lineTo(19, 16);
                 arrow.lineTo(23, 16);
                 arrow.lineTo(16, 24);
                 arrow.lineTo(9, 16);
                 arrow.lineTo(13, 16);
                 arrow.closeSubpath();
                 p.setPen(QPen(Qt::white, 1));
                 p.drawPath(arrow);
             }));
    out.save("toolbar", "tbExit", icon(32, [](QPainter& p) {
                 QRadialGradient glow(QPointF(13, 11), 18);
                 glow.setColorAt(0, QColor(0xEE, 0x6A, 0x5C));
                 glow.setColorAt(1, QColor(0xC0, 0x36, 0x30));
                 p.setPen(QPen(QColor(0x96, 0x28, 0x22), 1));
                 p.setBrush(glow);
                 p.drawEllipse(QPointF(16, 16), 13.5, 13.5);
                 p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
                 p.setBrush(Qt::NoBrush);
                 p.drawArc(QRectF(9, 9.5, 14, 14), 125 * 16, 290 * 16);
                 p.drawLine(QPointF(16, 7.5), QPointF(16, 15.5));
             }));
}
