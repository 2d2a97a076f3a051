/* kwin-input: clicks and keys for Wayland windows through KWin's fake-input protocol.
   Usage: kwin-input CMD... where CMD is  move:X,Y  click  key:CODE  sleep:MS
   X,Y in the compositor's logical pixels; CODE a Linux evdev key code (28 Enter, 57 Space). */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include <wayland-client.h>
#include "fake-input-client-protocol.h"

static struct org_kde_kwin_fake_input *fake;
static void global(void *d, struct wl_registry *r, uint32_t name, const char *iface, uint32_t ver) {
    if (strcmp(iface, org_kde_kwin_fake_input_interface.name) == 0)
        fake = wl_registry_bind(r, name, &org_kde_kwin_fake_input_interface, ver < 4 ? ver : 4);
}
static void global_remove(void *d, struct wl_registry *r, uint32_t n) {}
static const struct wl_registry_listener listener = {global, global_remove};

int main(int argc, char **argv) {
    struct wl_display *dpy = wl_display_connect(NULL);
    if (!dpy) { fprintf(stderr, "no wayland display\n"); return 1; }
    struct wl_registry *reg = wl_display_get_registry(dpy);
    wl_registry_add_listener(reg, &listener, NULL);
    wl_display_roundtrip(dpy);
    if (!fake) { fprintf(stderr, "no org_kde_kwin_fake_input\n"); return 1; }
    org_kde_kwin_fake_input_authenticate(fake, "lab", "lab input");
    for (int i = 1; i < argc; i++) {
        double x, y; unsigned code; int ms;
        if (sscanf(argv[i], "move:%lf,%lf", &x, &y) == 2)
            org_kde_kwin_fake_input_pointer_motion_absolute(fake, wl_fixed_from_double(x), wl_fixed_from_double(y));
        else if (strcmp(argv[i], "click") == 0) {
            org_kde_kwin_fake_input_button(fake, 0x110, 1); wl_display_roundtrip(dpy); usleep(50000);
            org_kde_kwin_fake_input_button(fake, 0x110, 0);
        } else if (sscanf(argv[i], "key:%u", &code) == 1) {
            org_kde_kwin_fake_input_keyboard_key(fake, code, 1); wl_display_roundtrip(dpy); usleep(50000);
            org_kde_kwin_fake_input_keyboard_key(fake, code, 0);
        } else if (sscanf(argv[i], "sleep:%d", &ms) == 1) { wl_display_roundtrip(dpy); usleep(ms * 1000); }
        else { fprintf(stderr, "bad command %s\n", argv[i]); return 2; }
        wl_display_roundtrip(dpy);
    }
    wl_display_roundtrip(dpy);
    wl_display_disconnect(dpy);
    return 0;
}
