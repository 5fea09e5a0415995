// Banners, the popups' pictures, the login picture and the about picture.
#include "Canvas.h"

#include <cmath>
#include <functional>
#include <vector>

namespace {

QColor mix(QColor a, QColor b, double t) {
    return QColor::fromRgbF(
        a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
        a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

// A white banner that warms towards its right end, with the ridge along its foot. The ridge
// fades in from the left, so that a picture at the right end of a wider white banner blends in.
void bannerGround(QPainter& p, int width, int height, QColor tint) {
    QLinearGradient ground(0, 0, width, 0);
    ground.setColorAt(0, Qt::white);
    ground.setColorAt(0.45, Qt::white);
    ground.setColorAt(1, tint);
    p.fillRect(QRect(0, 0, width, height), ground);
    const auto fading = [width](QColor colour) {
        QLinearGradient fade(0, 0, width, 0);
        QColor clear = colour;
        clear.setAlphaF(0);
        fade.setColorAt(0, clear);
        fade.setColorAt(0.35, colour);
        fade.setColorAt(1, colour);
        return QBrush(fade);
    };
    QColor far = mix(Qt::white, Palette::kOrangeLight, 0.35);
    far.setAlphaF(0.55);
    QColor near = mix(Qt::white, Palette::kOrange, 0.45);
    near.setAlphaF(0.6);
    drawRidge(p, width, height - 12, height, 5, 1.2, fading(far));
    drawRidge(p, width, height - 6, height, 3, 3.4, fading(near));
}

void drawBalloon(QPainter& p, QPointF top, double size, QColor colour) {
    p.save();
    QRadialGradient shade(top + QPointF(-size * 0.15, size * 0.35), size * 0.9);
    shade.setColorAt(0, colour.lighter(140));
    shade.setColorAt(1, colour);
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawEllipse(QRectF(top.x() - size * 0.4, top.y(), size * 0.8, size));
    QPainterPath knot;
    knot.moveTo(top.x(), top.y() + size);
    knot.lineTo(top.x() - size * 0.07, top.y() + size * 1.08);
    knot.lineTo(top.x() + size * 0.07, top.y() + size * 1.08);
    knot.closeSubpath();
    p.setBrush(colour.darker(115));
    p.drawPath(knot);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1));
    p.setBrush(Qt::NoBrush);
    QPainterPath string;
    string.moveTo(top.x(), top.y() + size * 1.08);
    string.cubicTo(top.x() - size * 0.2, top.y() + size * 1.4, top.x() + size * 0.2,
                   top.y() + size * 1.7, top.x(), top.y() + size * 2.1);
    p.drawPath(string);
    p.restore();
}

void drawSparkle(QPainter& p, QPointF c, double r, QColor colour) {
    QPainterPath star;
    for (int i = 0; i < 8; ++i) {
        const double radius = i % 2 == 0 ? r : r * 0.28;
        const double a = i * 3.14159265 / 4;
        const QPointF pt = c + QPointF(radius * std::sin(a), -radius * std::cos(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(star);
    p.restore();
}

// Deterministic scatter: the same picture on every build.
double scatter(int i, double salt) {
    const double v = std::sin(i * 12.9898 + salt * 78.233) * 43758.5453;
    return v - std::floor(v);
}

void confetti(QPainter& p, QRectF area, int count, const std::initializer_list<QColor>& colours,
              double salt) {
    const std::vector<QColor> palette(colours);
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF at(area.left() + scatter(i, salt) * area.width(),
                         area.top() + scatter(i + 97, salt) * area.height());
        QColor c = palette[static_cast<std::size_t>(i) % palette.size()];
        c.setAlphaF(0.55 + 0.4 * scatter(i + 31, salt));
        p.setBrush(c);
        p.save();
        p.translate(at);
        p.rotate(scatter(i + 53, salt) * 180);
        if (i % 3 == 0)
            p.drawEllipse(QPointF(0, 0), 2.2, 2.2);
        else
            p.drawRect(QRectF(-3, -1.2, 6, 2.4));
        p.restore();
    }
    p.restore();
}

QImage picture(int w, int h, const std::function<void(QPainter&)>& draw) {
    QImage image = newCanvas(w, h, Qt::white);
    QPainter p(&image);
    smooth(p);
    draw(p);
    return image;
}

void makeBanners(Output& out) {
    out.save("pictures", "bannerEntry", picture(160, 56, [](QPainter& p) {
                 bannerGround(p, 160, 56, Palette::kCream);
                 p.setPen(QPen(QColor(0xF2, 0x8C, 0x28, 150), 2, Qt::SolidLine, Qt::RoundCap));
                 p.setBrush(Qt::NoBrush);
                 for (int i = 0; i < 3; ++i) {
                     const double r = 14 + i * 7;
                     p.drawArc(QRectF(112 - r, 25 - r, 2 * r, 2 * r), -50 * 16, 100 * 16);
                 }
                 p.translate(92, 6);
                 drawBell(p, 2.5);
             }));
    out.save("pictures", "bannerUser", picture(160, 56, [](QPainter& p) {
                 bannerGround(p, 160, 56, QColor(0xE8, 0xEF, 0xF8));
                 p.save();
                 p.translate(78, 12);
                 drawPerson(p, 2.2, QColor(0x9D, 0xB4, 0xD3));
                 p.restore();
                 p.save();
                 p.translate(100, 8);
                 drawPerson(p, 2.6, Palette::kSlate);
                 p.restore();
                 p.setPen(QPen(Palette::kOrangeDeep, 1));
                 p.setBrush(Palette::kOrange);
                 p.drawEllipse(QPointF(138, 38), 7, 7);
                 p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
                 p.drawLine(QPointF(138, 34.5), QPointF(138, 41.5));
                 p.drawLine(QPointF(134.5, 38), QPointF(141.5, 38));
             }));
    out.save("pictures", "bannerBirthday", picture(628, 56, [](QPainter& p) {
                 bannerGround(p, 628, 56, QColor(0xFC, 0xE4, 0xEC));
                 confetti(p, QRectF(330, 4, 290, 40), 34,
                          {Palette::kRose, Palette::kGold, Palette::kBlue, Palette::kTeal}, 1.7);
                 drawBalloon(p, QPointF(520, 4), 22, Palette::kRose);
                 drawBalloon(p, QPointF(545, 9), 20, Palette::kGold);
                 drawBalloon(p, QPointF(498, 11), 18, QColor(0x6C, 0xA6, 0xEC));
                 p.translate(566, 10);
                 drawCake(p, 2.5);
             }));
    out.save("pictures", "bannerAppointment", picture(628, 56, [](QPainter& p) {
                 bannerGround(p, 628, 56, QColor(0xE3, 0xEE, 0xFB));
                 p.setPen(QPen(QColor(0x3A, 0x7B, 0xD5, 70), 1.5, Qt::DashLine, Qt::RoundCap));
                 p.setBrush(Qt::NoBrush);
                 QPainterPath route;
                 route.moveTo(380, 40);
                 route.cubicTo(430, 10, 470, 46, 520, 22);
                 p.drawPath(route);
                 p.save();
                 p.translate(522, 6);
                 drawCalendar(p, 2.6);
                 p.restore();
                 drawClock(p, QPointF(584, 30), 15, Qt::white, Palette::kBlueDark, Palette::kBlue);
             }));
    out.save("pictures", "bannerAnniversary", picture(628, 56, [](QPainter& p) {
                 bannerGround(p, 628, 56, QColor(0xFD, 0xE6, 0xDA));
                 drawSparkle(p, QPointF(470, 16), 6, Palette::kGold);
                 drawSparkle(p, QPointF(500, 36), 4, Palette::kOrangeLight);
                 drawSparkle(p, QPointF(612, 12), 5, Palette::kGold);
                 p.save();
                 p.translate(530, 10);
                 drawHeart(p, 2.4, QColor(0xF0, 0x8A, 0x8A));
                 p.restore();
                 p.translate(556, 6);
                 drawHeart(p, 2.8, Palette::kRed);
             }));
}

void makePopupPictures(Output& out) {
    out.save("pictures", "popupStrip", picture(620, 40, [](QPainter& p) {
                 QLinearGradient ground(0, 0, 620, 0);
                 ground.setColorAt(0, Palette::kCream);
                 ground.setColorAt(1, Qt::white);
                 p.fillRect(QRect(0, 0, 620, 40), ground);
                 drawRidge(p, 620, 28, 40, 6, 0.4, QColor(0xFF, 0xB2, 0x5B, 120));
                 drawRidge(p, 620, 33, 40, 4, 2.6, QColor(0xF2, 0x8C, 0x28, 150));
                 p.translate(10, 2);
                 drawBell(p, 2.1);
             }));
    out.save("pictures", "popupBirthday", picture(620, 160, [](QPainter& p) {
                 QLinearGradient sky(0, 0, 620, 160);
                 sky.setColorAt(0, QColor(0x6A, 0x24, 0x55));
                 sky.setColorAt(1, QColor(0xB8, 0x3B, 0x68));
                 p.fillRect(QRect(0, 0, 620, 160), sky);
                 // Bunting along the top.
                 p.setPen(QPen(QColor(255, 255, 255, 120), 1));
                 p.drawLine(QPointF(0, 6), QPointF(620, 6));
                 const QColor flags[] = {Palette::kGold, Palette::kRose, QColor(0x6C, 0xA6, 0xEC),
                                         Palette::kTeal};
                 p.setPen(Qt::NoPen);
                 for (int i = 0; i < 31; ++i) {
                     QPainterPath flag;
                     const double x = 4 + i * 20;
                     flag.moveTo(x, 6);
                     flag.lineTo(x + 14, 6);
                     flag.lineTo(x + 7, 18);
                     flag.closeSubpath();
                     p.setBrush(flags[i % 4]);
                     p.drawPath(flag);
                 }
                 confetti(p, QRectF(0, 24, 620, 136), 90,
                          {Palette::kGold, Qt::white, Palette::kRose, QColor(0x6C, 0xA6, 0xEC)},
                          4.2);
                 drawBalloon(p, QPointF(40, 30), 46, Palette::kGold);
                 drawBalloon(p, QPointF(78, 50), 40, QColor(0x6C, 0xA6, 0xEC));
                 drawBalloon(p, QPointF(578, 28), 46, Palette::kRose.lighter(115));
                 drawBalloon(p, QPointF(542, 52), 40, Palette::kTeal.lighter(120));
             }));
    out.save("pictures", "popupAppointment", picture(620, 160, [](QPainter& p) {
                 QLinearGradient sky(0, 0, 0, 160);
                 sky.setColorAt(0, QColor(0x1E, 0x3A, 0x6E));
                 sky.setColorAt(1, QColor(0x3A, 0x6E, 0xB5));
                 p.fillRect(QRect(0, 0, 620, 160), sky);
                 for (int i = 0; i < 40; ++i)
                     drawSparkle(p, QPointF(scatter(i, 2.3) * 620, scatter(i + 11, 2.3) * 110),
                                 1.5 + 2.5 * scatter(i + 7, 2.3), QColor(255, 255, 255, 170));
                 drawRidge(p, 620, 132, 160, 8, 1.0, QColor(0x17, 0x2D, 0x55, 200));
                 drawClock(p, QPointF(70, 78), 44, QColor(0xF6, 0xF9, 0xFF), Palette::kBlueDark,
                           QColor(0xA9, 0xC4, 0xEC));
                 p.translate(506, 30);
                 drawCalendar(p, 5.6);
             }));
    out.save("pictures", "popupAnniversary", picture(620, 160, [](QPainter& p) {
                 QLinearGradient sky(0, 0, 620, 160);
                 sky.setColorAt(0, QColor(0x8E, 0x1F, 0x2B));
                 sky.setColorAt(1, QColor(0xD9, 0x66, 0x1A));
                 p.fillRect(QRect(0, 0, 620, 160), sky);
                 for (int i = 0; i < 36; ++i)
                     drawSparkle(p, QPointF(scatter(i, 5.1) * 620, scatter(i + 13, 5.1) * 160),
                                 2 + 4 * scatter(i + 5, 5.1), QColor(0xFF, 0xD8, 0x80, 190));
                 p.save();
                 p.translate(20, 34);
                 drawHeart(p, 6, QColor(0xF4, 0x6A, 0x6A));
                 p.restore();
                 p.save();
                 p.translate(514, 60);
                 drawHeart(p, 4.6, QColor(0xFF, 0x9A, 0x8A));
                 p.restore();
                 p.translate(540, 16);
                 drawHeart(p, 3.2, QColor(0xFF, 0xC0, 0xA8));
             }));
}

void makeLoginAndAbout(Output& out) {
    out.save("pictures", "login", picture(64, 64, [](QPainter& p) {
                 p.setCompositionMode(QPainter::CompositionMode_Source);
                 p.fillRect(QRect(0, 0, 64, 64), Qt::transparent);
                 p.setCompositionMode(QPainter::CompositionMode_SourceOver);
                 QPainterPath tile;
                 tile.addRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
                 QLinearGradient warm(0, 0, 0, 64);
                 warm.setColorAt(0, QColor(0xFF, 0xF4, 0xE8));
                 warm.setColorAt(1, QColor(0xFF, 0xDF, 0xBE));
                 p.setPen(QPen(QColor(0xEE, 0xB0, 0x78), 1));
                 p.setBrush(warm);
                 p.drawPath(tile);
                 p.save();
                 p.translate(8, 8);
                 drawPerson(p, 2.7, Palette::kSlate);
                 p.restore();
                 // Padlock at the lower right.
                 p.setPen(QPen(QColor(0x8A, 0x4A, 0x14), 2.4));
                 p.setBrush(Qt::NoBrush);
                 p.drawArc(QRectF(41, 33, 12, 14), 0, 180 * 16);
                 p.drawLine(QPointF(41, 40), QPointF(41, 42));
                 p.drawLine(QPointF(53, 40), QPointF(53, 42));
                 p.setPen(QPen(QColor(0x8A, 0x4A, 0x14), 1));
                 QLinearGradient gold(0, 40, 0, 58);
                 gold.setColorAt(0, QColor(0xFF, 0xC8, 0x5A));
                 gold.setColorAt(1, Palette::kOrange);
                 p.setBrush(gold);
                 p.drawRoundedRect(QRectF(37.5, 41.5, 19, 15), 2.5, 2.5);
                 p.setPen(Qt::NoPen);
                 p.setBrush(QColor(0x8A, 0x4A, 0x14));
                 p.drawEllipse(QPointF(47, 47.5), 2, 2);
                 p.drawRect(QRectF(46.2, 48, 1.6, 4.5));
             }));
    // The sun of the about picture is a clock face rising over the orange ridges.
    out.save("pictures", "about", picture(200, 150, [](QPainter& p) {
                 QLinearGradient sky(0, 0, 0, 150);
                 sky.setColorAt(0, QColor(0xFF, 0xF8, 0xEE));
                 sky.setColorAt(1, QColor(0xFF, 0xD8, 0xA8));
                 p.fillRect(QRect(0, 0, 200, 150), sky);
                 QRadialGradient glow(QPointF(100, 74), 70);
                 glow.setColorAt(0, QColor(0xFF, 0xC0, 0x60, 150));
                 glow.setColorAt(1, QColor(0xFF, 0xC0, 0x60, 0));
                 p.setPen(Qt::NoPen);
                 p.setBrush(glow);
                 p.drawEllipse(QPointF(100, 74), 70, 70);
                 drawClock(p, QPointF(100, 72), 34, Qt::white, Palette::kOrangeDeep,
                           QColor(0xFF, 0xB2, 0x5B));
                 drawRidge(p, 200, 100, 150, 12, 0.3, QColor(0xFF, 0xA8, 0x4E));
                 drawRidge(p, 200, 116, 150, 10, 2.2, QColor(0xF0, 0x80, 0x26));
                 drawRidge(p, 200, 132, 150, 7, 4.0, QColor(0xC8, 0x58, 0x14));
             }));
}

} // namespace

void makePictures(Output& out) {
    makeBanners(out);
    makePopupPictures(out);
    makeLoginAndAbout(out);
}
