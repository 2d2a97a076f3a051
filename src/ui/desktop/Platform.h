// The display platform the program asks Qt for, decided before the application object exists,
// and what the window can learn from the platform it got.
#pragma once

#include <string>

namespace dyeland {

// The value for QT_QPA_PLATFORM: the user's own choice unchanged; otherwise xcb first wherever
// an X server is named, since only there is the window placed where asked and its minimised
// state reported, and Wayland after it when a Wayland display is named too. Empty when there is
// no display to open at all.
std::string ChoosePlatform(const char* userChoice, const char* display, const char* waylandDisplay);

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
