#include "calview/CalendarFonts.h"

#include "calview/CalendarBackground.h"

#include <QStringList>

namespace CalendarFonts {

namespace {

QStringList familiesFor(const QString& family) {
    if (family == kSongTi)
        return {kSongTi, QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
                QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Droid Sans Fallback")};
    if (family == kHeiTi)
        return {kHeiTi, QStringLiteral("SimHei"), QStringLiteral("Noto Sans CJK SC"),
                QStringLiteral("Droid Sans Fallback")};
    if (family == kArial)
        return {kArial, QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                QStringLiteral("DejaVu Sans")};
    if (family == kArialBlack)
        return {kArialBlack, QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")};
    return {family};
}

} // namespace

QFont make(const QString& family, int points, bool bold, bool underline) {
    QFont font;
    font.setFamilies(familiesFor(family));
    font.setPixelSize(CalendarBackground::pointsToPixels(points));
    if (family == kArialBlack)
        font.setWeight(QFont::Black);
    else
        font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

} // namespace CalendarFonts
