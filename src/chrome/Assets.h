#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

// The program's own pictures, compiled in as Qt resources by the asset generator
// (tools/assetgen). Every picture is found by its name alone, without regard to case and
// without folder or extension: Assets::picture("fbMin"), Assets::picture("FBMIN") and
// Assets::picture("tbAdd") all work.
//
// Names (sizes in pixels):
//   caption glyphs, 13 x 13:  fbMin fbMinMove fbMinDown, fbMax fbMaxMove fbMaxDown,
//                             fbNormal fbNormalMove fbNormalDown, fbClose fbCloseMove
//                             fbCloseDown, fbHelp fbHelpMove fbHelpDown
//   text button, 265 x 34:    btnUp btnMove btnDown
//   frame:                    frameTopL 9x35, frameTopC 8x35 (stretched), frameTopR 52x35,
//                             frameBottomL 6x22, frameBottomC 8x22 (stretched),
//                             frameBottomR 15x22, frameLeft 6x8, frameRight 6x8 (stretched)
//   application icon:         appIcon16 appIcon24 appIcon32 appIcon48 appIcon64 appIcon128
//                             appIcon256 (use Assets::appIcon())
//   list icons, 16 x 16:      listPending listHistory listPublished listUser,
//                             kindOrdinary kindBirthday kindAppointment kindAnniversary
//   tool bar, 32 x 32:        tbAdd tbEdit tbDelete tbQuickPublish tbBirthday
//                             tbAppointment tbAnniversary tbHide tbExit
//   banners:                  bannerEntry 160x56 and bannerUser 160x56 (right end of a white
//                             banner), bannerBirthday bannerAppointment bannerAnniversary
//                             628x56 (fill a white banner)
//   popups:                   popupStrip 620x40 (top strip of the ordinary popup),
//                             popupBirthday popupAppointment popupAnniversary 620x160
//   other:                    login 64x64, about 200x150
namespace Assets {

// The picture of that name; a null pixmap when there is none.
QPixmap picture(const QString& name);
// The resource path of that name (":/qx/skin/fbMin.png"), or an empty text.
QString resourcePath(const QString& name);
// Every picture name, as spelt by the generator.
QStringList names();
// The application's icon in all its sizes.
QIcon appIcon();

} // namespace Assets
