#include "platform/PlatformChoice.h"

#include <cstring>

PlatformChoice::Environment PlatformChoice::current(int argc, const char* const* argv) {
    Environment environment{qgetenv("XDG_SESSION_TYPE"), qgetenv("WAYLAND_DISPLAY"),
                            qgetenv("DISPLAY"), qgetenv("QT_QPA_PLATFORM")};
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            environment.platformOption = true;
    return environment;
}

QByteArray PlatformChoice::platformFor(const Environment& environment) {
    const bool wayland =
        environment.sessionType.toLower() == "wayland" || !environment.waylandDisplay.isEmpty();
    const bool chosenByUser = !environment.qpaPlatform.isEmpty() || environment.platformOption;
    if (wayland && !chosenByUser && !environment.display.isEmpty())
        return QByteArrayLiteral("xcb");
    return {};
}

bool PlatformChoice::canPlaceWindows(const QString& platformName) {
    return !platformName.startsWith(QStringLiteral("wayland"), Qt::CaseInsensitive);
}
