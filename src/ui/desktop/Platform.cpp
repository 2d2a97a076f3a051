// Choosing the display platform: a Wayland desktop with Xwayland gets the X one.
#include "desktop/Platform.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

namespace dyeland {
namespace {

bool IsSet(const char* value) {
    return value && *value;
}

}  // namespace

std::string ChoosePlatform(const char* userChoice, const char* display,
                           const char* waylandDisplay) {
    if (IsSet(userChoice)) return userChoice;
    // An X server that has gone away leaves a stale DISPLAY: Wayland is still worth a try.
    if (IsSet(display)) return "xcb;wayland";
    if (IsSet(waylandDisplay)) return "wayland";
    return "";
}

bool PrepareDisplayPlatform(const char* platformOption) {
    const char* userChoice = platformOption ? platformOption : std::getenv("QT_QPA_PLATFORM");
    const std::string platform =
        ChoosePlatform(userChoice, std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
    if (platform.empty()) {
        // Qt would abort with a message about reinstalling; this says what is missing.
        std::fputs(
            "Dyeland needs a graphical display: neither DISPLAY nor WAYLAND_DISPLAY is "
            "set.\n",
            stderr);
        return false;
    }
    setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
    return true;
}

bool PlatformHidesMinimised() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace dyeland
