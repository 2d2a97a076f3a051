// The display platform the program asks Qt for, decided before the application object exists,
// and what the window can learn from the platform it got.
#pragma once

#include <string>

namespace dyeland {

// The value for QT_QPA_PLATFORM: the user's own choice unchanged; otherwise xcb first wherever
// an X server is named, since only there is the window placed where asked and its minimised
// state reported, and Wayland after it. Empty when there is no display to open at all.
std::string ChoosePlatform(const char* userChoice, const char* display, const char* waylandDisplay);

// Applies the choice to the environment; false, after one line on stderr, when there is no
// display. The value of a -platform option, when given, is the user's choice.
bool PrepareDisplayPlatform(const char* platformOption);

// True where the window system keeps a window's minimised state from the program.
bool PlatformHidesMinimised();

}  // namespace dyeland
