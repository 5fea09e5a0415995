#pragma once

#include <QByteArray>
#include <QString>

// Which window system the program talks to. Under a Wayland session the native platform cannot
// place a window itself, so the popups could not come up at the bottom right; XWayland can.
namespace PlatformChoice {

struct Environment {
    QByteArray sessionType;      // XDG_SESSION_TYPE
    QByteArray waylandDisplay;   // WAYLAND_DISPLAY
    QByteArray display;          // DISPLAY: set when XWayland runs
    QByteArray qpaPlatform;      // QT_QPA_PLATFORM: the user's own choice
    bool platformOption = false; // the command line names a platform ("-platform ...")
};

Environment current(int argc, const char* const* argv);

// The platform to start with: "xcb" in a Wayland session with XWayland when the user has not
// chosen one; empty to leave the choice to Qt.
QByteArray platformFor(const Environment& environment);

// Whether the running platform lets the program put its windows where it wants.
bool canPlaceWindows(const QString& platformName);

} // namespace PlatformChoice
