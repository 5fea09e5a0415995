// Which window system the program starts on, and what it may do there.
#include "platform/PlatformChoice.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(PlatformChoiceTest, AWaylandSessionRunsThroughXWaylandUnlessTheUserChose) {
    struct Case {
        PlatformChoice::Environment environment;
        QByteArray platform;
    };
    const Case cases[] = {
        {{"wayland", "wayland-0", ":0", "", false}, "xcb"},
        {{"", "wayland-0", ":0", "", false}, "xcb"},
        {{"Wayland", "", ":1", "", false}, "xcb"},
        {{"wayland", "wayland-0", "", "", false}, ""}, // no XWayland
        {{"wayland", "wayland-0", ":0", "wayland", false}, ""},
        {{"wayland", "wayland-0", ":0", "", true}, ""},
        {{"x11", "", ":0", "", false}, ""},
        {{"tty", "", "", "", false}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.environment.sessionType.toStdString() + "/" +
                     c.environment.waylandDisplay.toStdString() + "/" +
                     c.environment.display.toStdString() + "/" +
                     c.environment.qpaPlatform.toStdString());
        EXPECT_EQ(PlatformChoice::platformFor(c.environment), c.platform);
    }
    const char* arguments[] = {"qxreminder", "--platform", "wayland"};
    EXPECT_TRUE(PlatformChoice::current(3, arguments).platformOption);
    EXPECT_FALSE(PlatformChoice::current(1, arguments).platformOption);
}

TEST(PlatformChoiceTest, OnlyNativeWaylandCannotPlaceWindows) {
    for (const char* name : {"wayland", "wayland-egl", "wayland-brcm"})
        EXPECT_FALSE(PlatformChoice::canPlaceWindows(QString::fromLatin1(name))) << name;
    for (const char* name : {"xcb", "offscreen", "windows", "cocoa"})
        EXPECT_TRUE(PlatformChoice::canPlaceWindows(QString::fromLatin1(name))) << name;
}

} // namespace
