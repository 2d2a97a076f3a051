// Choosing the display platform: a Wayland desktop with Xwayland gets the X one, except GNOME at
// a fractional scale, whose screens are asked over Wayland how they are scaled; and a display
// that cannot be opened is told in one line, before Qt would abort on it.
#include "desktop/Platform.h"

#include <wayland-client.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <list>
#include <string_view>

#include "xdg-output-unstable-v1-client-protocol.h"

namespace dyeland {
namespace {

bool IsSet(const char* value) {
    return value && *value;
}

// XDG_CURRENT_DESKTOP is a list: "GNOME", and "ubuntu:GNOME" on Ubuntu's own session.
bool IsGnome(const char* desktop) {
    std::string_view rest = IsSet(desktop) ? desktop : "";
    while (!rest.empty()) {
        const size_t end = std::min(rest.find(':'), rest.size());
        if (rest.substr(0, end) == "GNOME") return true;
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return false;
}

// One screen as the compositor describes it: its mode in device pixels (wl_output) and its
// size in the desktop's scaled pixels (xdg-output). Their ratio is the screen's scale.
struct Screen {
    zxdg_output_v1* logical = nullptr;
    wl_output* output = nullptr;
    int width = 0, height = 0, logicalWidth = 0, logicalHeight = 0;
};

struct Screens {
    zxdg_output_manager_v1* manager = nullptr;
    std::list<Screen> list;
};

const wl_output_listener OutputListener{
    [](void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*, const char*,
       int32_t) {},
    [](void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t) {
        if (!(flags & WL_OUTPUT_MODE_CURRENT)) return;
        static_cast<Screen*>(data)->width = width;
        static_cast<Screen*>(data)->height = height;
    },
    [](void*, wl_output*) {},
    [](void*, wl_output*, int32_t) {},
    [](void*, wl_output*, const char*) {},
    [](void*, wl_output*, const char*) {}};

const zxdg_output_v1_listener LogicalListener{
    [](void*, zxdg_output_v1*, int32_t, int32_t) {},
    [](void* data, zxdg_output_v1*, int32_t width, int32_t height) {
        static_cast<Screen*>(data)->logicalWidth = width;
        static_cast<Screen*>(data)->logicalHeight = height;
    },
    [](void*, zxdg_output_v1*) {}, [](void*, zxdg_output_v1*, const char*) {},
    [](void*, zxdg_output_v1*, const char*) {}};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
              uint32_t version) {
    auto* screens = static_cast<Screens*>(data);
    if (std::strcmp(interface, wl_output_interface.name) == 0) {
        Screen& screen = screens->list.emplace_back();
        screen.output = static_cast<wl_output*>(
            wl_registry_bind(registry, name, &wl_output_interface, std::min(version, 2u)));
        wl_output_add_listener(screen.output, &OutputListener, &screen);
    } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0) {
        screens->manager = static_cast<zxdg_output_manager_v1*>(wl_registry_bind(
            registry, name, &zxdg_output_manager_v1_interface, std::min(version, 2u)));
    }
}

const wl_registry_listener RegistryListener{OnGlobal, [](void*, wl_registry*, uint32_t) {}};

// Whether a screen of the Wayland desktop is scaled by a fraction; false when that cannot be
// learnt. A rotated screen's mode is turned, so the longer sides are compared.
bool ScreenScaledByFraction(const char* waylandDisplay) {
    wl_display* display = wl_display_connect(waylandDisplay);
    if (!display) return false;
    Screens screens;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &RegistryListener, &screens);
    wl_display_roundtrip(display);
    if (screens.manager) {
        for (Screen& screen : screens.list) {
            screen.logical = zxdg_output_manager_v1_get_xdg_output(screens.manager, screen.output);
            zxdg_output_v1_add_listener(screen.logical, &LogicalListener, &screen);
        }
    }
    wl_display_roundtrip(display);
    bool fractional = false;
    for (const Screen& screen : screens.list) {
        const int logical = std::max(screen.logicalWidth, screen.logicalHeight);
        if (logical > 0) {
            const double scale = double(std::max(screen.width, screen.height)) / logical;
            fractional = fractional || std::abs(scale - std::round(scale)) > 0.01;
        }
        if (screen.logical) zxdg_output_v1_destroy(screen.logical);
        wl_output_destroy(screen.output);
    }
    if (screens.manager) zxdg_output_manager_v1_destroy(screens.manager);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return fractional;
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

std::string ChoosePlatform(const char* userChoice, const char* display, const char* waylandDisplay,
                           const char* desktop, const std::function<bool()>& scaledByFraction) {
    if (IsSet(userChoice)) return userChoice;
    // Without Xwayland's alert the game still asks GNOME for attention, which GNOME Shell shows
    // as a notice that the game is ready.
    if (IsSet(display) && IsSet(waylandDisplay) && IsGnome(desktop) && scaledByFraction &&
        scaledByFraction())
        return "wayland;xcb";
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
    // On GNOME's Wayland Qt draws the title bars itself. Before Qt 6.8 it had only one kind,
    // which cuts a message box's long title and offers to maximise every window; from 6.8 on
    // GNOME gets GNOME's kind, with GNOME's buttons and whole titles.
    std::function<bool()> scaledByFraction;
    if (QT_VERSION >= QT_VERSION_CHECK(6, 8, 0))
        scaledByFraction = [waylandDisplay] { return ScreenScaledByFraction(waylandDisplay); };
    const std::string platforms = ChoosePlatform(
        userChoice, display, waylandDisplay, std::getenv("XDG_CURRENT_DESKTOP"), scaledByFraction);
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
