#pragma once

// The month view's fonts by their Windows names, with the faces of this platform that stand in
// for them when those are not installed (a serif CJK face for 宋体, a sans CJK face for 黑体).
// Sizes are given in points and set in pixels at 96 dots per inch, so that the layout, which
// is fixed in pixels, looks the same on every screen and in off-screen pictures.

#include <QFont>
#include <QString>

namespace CalendarFonts {

inline const QString kSongTi = QStringLiteral("宋体");
inline const QString kHeiTi = QStringLiteral("黑体");
inline const QString kArial = QStringLiteral("Arial");
inline const QString kArialBlack = QStringLiteral("Arial Black");

// family() of the result is `family`; the stand-ins follow it in families().
QFont make(const QString& family, int points, bool bold = false, bool underline = false);

} // namespace CalendarFonts
