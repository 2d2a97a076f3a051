// The display platform the program asks Qt for, decided before the application object exists,
// and what the window can learn from the platform it got.
#pragma once

#include <functional>
#include <string>

namespace dyeland {

// The value for QT_QPA_PLATFORM: the user's own choice unchanged; otherwise xcb first wherever
// an X server is named, since only there is the window placed where asked and its minimised
// state reported, and Wayland after it when a Wayland display is named too. GNOME's own desktop
// (desktop is XDG_CURRENT_DESKTOP) is the exception when scaledByFraction() says a screen is
// scaled by a fraction (125 %, 150 %): mutter then draws X11 programs at twice the size and
// shrinks the picture, which blurs the board's lines, so Wayland comes first. Empty when there is
// no display to open.
std::string ChoosePlatform(const char* userChoice, const char* display, const char* waylandDisplay,
                           const char* desktop = nullptr,
                           const std::function<bool()>& scaledByFraction = {});

// What the command line chose: the values of -platform and -display, when given.
struct DisplayOptions {
    const char* platform = nullptr;
    const char* display = nullptr;
};

// Applies the choice to the environment, narrowed to the first platform whose display opens;
// false, after one line on stderr, when no display can be opened. A -platform value is the
// user's choice, and a -display value is the X display the user chose.
bool PrepareDisplayPlatform(const DisplayOptions& options);

// True where the window system keeps a window's minimised state from the program.
bool PlatformHidesMinimised();

}  // namespace dyeland
