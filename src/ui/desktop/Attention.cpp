// The attention request, spoken in Wayland's activation protocol on a queue of the game's own.
#include "desktop/Attention.h"

#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

#include <QGuiApplication>
#include <cstring>
#include <string>

#include "xdg-activation-v1-client-protocol.h"

namespace dyeland {
namespace {

// What the compositor offers that the request needs.
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

// A request to be activated that the compositor must refuse is what marks a window without
// raising it. KWin refuses a token it did not issue, and one it did issue could bring the game
// back from the taskbar; mutter drops a token it did not issue and refuses its own when no key
// press or click is behind it. So GNOME's compositor gets its own token, any other a made-up
// one; Qt's own alert asks with a real token, so it is not used. The mark goes when the player
// comes back. Nothing here touches the environment, which the sound system's threads read. What
// each compositor was seen doing is in docs/desktop-notes.md.
void AskForAttention(QWindow& window) {
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
}

}  // namespace dyeland
