// Choosing the display platform: a Wayland desktop with Xwayland gets the X one.
#include "desktop/Platform.h"

#include <QGuiApplication>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#if QT_VERSION < QT_VERSION_CHECK(6, 6, 0)
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

#include <string>

#include "xdg-activation-v1-client-protocol.h"
#endif

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

bool PrepareDisplayPlatform(int argc, char* argv[]) {
    const char* userChoice = std::getenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i) {
        // Qt takes the option with one dash or two.
        const char* option = argv[i] + (std::strncmp(argv[i], "--", 2) == 0 ? 1 : 0);
        if (std::strcmp(option, "-platform") == 0) userChoice = argv[i + 1];
    }
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

#if QT_VERSION < QT_VERSION_CHECK(6, 6, 0)
namespace {

// What the compositor offers that the request below needs.
struct Globals {
    xdg_activation_v1* activation = nullptr;
    bool gnome = false;  // GNOME's compositor, the one that offers gtk_shell1
};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, xdg_activation_v1_interface.name) == 0) {
        globals->activation = static_cast<xdg_activation_v1*>(
            wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1));
    } else if (std::strcmp(interface, "gtk_shell1") == 0) {
        globals->gnome = true;
    }
}

void OnGlobalRemoved(void*, wl_registry*, uint32_t) {}

const wl_registry_listener RegistryListener{OnGlobal, OnGlobalRemoved};

void OnToken(void* data, xdg_activation_token_v1*, const char* token) {
    *static_cast<std::string*>(data) = token;
}

const xdg_activation_token_v1_listener TokenListener{OnToken};

}  // namespace
#endif

// From Qt 6.6 on, an alert asks the compositor for attention on Wayland. Qt 6.4's alert does
// nothing there, and its requestActivate sends nothing either once the game has lost the focus,
// so the request is made here, on a Wayland queue of the game's own, leaving the environment
// alone: setting XDG_ACTIVATION_TOKEN for Qt to send raced with the threads reading the
// environment (the sound system's). What marks the window without ever bringing it up differs
// between compositors, as seen with KWin 5.27 and mutter 43:
// - KWin refuses a token it did not issue and marks the window as demanding attention. A token
//   it did issue brings the game back, even from the taskbar, when no other window is active.
// - mutter drops a token it did not issue. Its own token, asked for without a key press or click
//   behind it, cannot activate the window, so mutter marks it as needing attention.
// So GNOME's compositor gets its own token, any other a made-up one. The mark goes when the
// player comes back to the game.
void AskForAttention(QWindow& window) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    window.alert(0);
#else
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    auto* display =
        native ? static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"))
               : nullptr;
    auto* surface =
        display ? static_cast<wl_surface*>(native->nativeResourceForWindow("surface", &window))
                : nullptr;
    if (!surface) return;
    // Qt reads the same connection on its own thread; replies to these requests go to this
    // queue alone.
    wl_event_queue* queue = wl_display_create_queue(display);
    auto* ownDisplay = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(ownDisplay), queue);
    wl_registry* registry = wl_display_get_registry(ownDisplay);
    Globals globals;
    wl_registry_add_listener(registry, &RegistryListener, &globals);
    wl_display_roundtrip_queue(display, queue);
    if (globals.activation) {
        std::string token = "dyeland-asks-for-attention";
        xdg_activation_token_v1* issued = nullptr;
        if (globals.gnome) {
            issued = xdg_activation_v1_get_activation_token(globals.activation);
            xdg_activation_token_v1_add_listener(issued, &TokenListener, &token);
            xdg_activation_token_v1_set_surface(issued, surface);
            xdg_activation_token_v1_commit(issued);
            wl_display_roundtrip_queue(display, queue);
        }
        xdg_activation_v1_activate(globals.activation, token.c_str(), surface);
        if (issued) xdg_activation_token_v1_destroy(issued);
        xdg_activation_v1_destroy(globals.activation);
    }
    wl_registry_destroy(registry);
    wl_proxy_wrapper_destroy(ownDisplay);
    wl_display_flush(display);
    wl_event_queue_destroy(queue);
#endif
}

}  // namespace dyeland
