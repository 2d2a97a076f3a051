// Choosing the display platform: a Wayland desktop with Xwayland gets the X one, and a display
// that cannot be opened is told in one line, before Qt would abort on it.
#include "desktop/Platform.h"

#include <wayland-client-core.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace dyeland {
namespace {

bool IsSet(const char* value) {
    return value && *value;
}

std::string CannotOpenX(const char* display) {
    if (!IsSet(display)) return "DISPLAY is not set";
    // One connection more at start, well under a millisecond on a local server, spares an abort.
    // A screen asked for is checked only when it is asked for back.
    int screen = 0;
    xcb_connection_t* connection = xcb_connect(display, &screen);
    const int error = xcb_connection_has_error(connection);
    xcb_disconnect(connection);
    const char* why = "no X server accepted the connection";
    switch (error) {
        case 0:
            return "";
        case XCB_CONN_CLOSED_PARSE_ERR:
            why = "not a display name";
            break;
        case XCB_CONN_CLOSED_INVALID_SCREEN:
            why = "no such screen";
            break;
        case XCB_CONN_CLOSED_MEM_INSUFFICIENT:
            why = "out of memory";
            break;
    }
    return std::string("cannot open display ") + display + " (" + why + ")";
}

std::string CannotOpenWayland(const char* waylandDisplay) {
    // A socket handed over by the compositor can be connected only once, by Qt.
    if (IsSet(std::getenv("WAYLAND_SOCKET"))) return "";
    const std::string name = IsSet(waylandDisplay) ? waylandDisplay : "wayland-0";
    const std::string prefix = "cannot open Wayland display " + name + " (";
    // libwayland would say this in a line of its own.
    if (name[0] != '/' && !IsSet(std::getenv("XDG_RUNTIME_DIR")))
        return prefix + "XDG_RUNTIME_DIR is not set)";
    if (wl_display* connection = wl_display_connect(name.c_str())) {
        wl_display_disconnect(connection);
        return "";
    }
    return prefix + std::strerror(errno) + ")";
}

// Why the display of one platform of a QT_QPA_PLATFORM list cannot be opened, in a few words
// naming it; "" when it opens, or when the platform needs none.
std::string CannotOpen(const std::string& platform, const char* display,
                       const char* waylandDisplay) {
    // A platform's own settings follow its name after a colon.
    const std::string name = platform.substr(0, platform.find(':'));
    if (name == "xcb") return CannotOpenX(display);
    if (name.starts_with("wayland")) return CannotOpenWayland(waylandDisplay);
    return "";
}

}  // namespace

std::string ChoosePlatform(const char* userChoice, const char* display,
                           const char* waylandDisplay) {
    if (IsSet(userChoice)) return userChoice;
    // An X server that has gone away leaves a stale DISPLAY: a Wayland display is still worth
    // a try.
    if (IsSet(display)) return IsSet(waylandDisplay) ? "xcb;wayland" : "xcb";
    if (IsSet(waylandDisplay)) return "wayland";
    return "";
}

bool PrepareDisplayPlatform(const DisplayOptions& options) {
    const char* userChoice = options.platform ? options.platform : std::getenv("QT_QPA_PLATFORM");
    // Only Qt's X platform reads -display: naming one is choosing X.
    if (!IsSet(userChoice) && options.display) userChoice = "xcb";
    const char* display = options.display ? options.display : std::getenv("DISPLAY");
    const char* waylandDisplay = std::getenv("WAYLAND_DISPLAY");
    const std::string platforms = ChoosePlatform(userChoice, display, waylandDisplay);
    if (platforms.empty()) {
        // Qt would abort with a message about reinstalling; this says what is missing.
        std::fputs(
            "Dyeland needs a graphical display: neither DISPLAY nor WAYLAND_DISPLAY is "
            "set.\n",
            stderr);
        return false;
    }
    std::string reasons;
    for (std::size_t start = 0; start <= platforms.size();) {
        const std::size_t end = std::min(platforms.find(';', start), platforms.size());
        const std::string platform = platforms.substr(start, end - start);
        start = end + 1;
        if (platform.empty()) continue;
        const std::string reason = CannotOpen(platform, display, waylandDisplay);
        if (reason.empty()) {
            // Qt is spared a platform that would only fail and warn.
            setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
            return true;
        }
        reasons += (reasons.empty() ? "" : ", and ") + reason;
    }
    if (reasons.empty()) return setenv("QT_QPA_PLATFORM", platforms.c_str(), 1), true;
    // Qt would abort, leaving a core dump; this says which display failed and why.
    std::fprintf(stderr, "Dyeland needs a graphical display: %s.\n", reasons.c_str());
    return false;
}

bool PlatformHidesMinimised() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace dyeland
