// What the command line may ask for: --help, --version and Qt's own options. Anything else is
// refused before a window or a file is touched.
#pragma once

#include "desktop/Platform.h"

namespace dyeland {

// Answers --help or --version, or refuses an argument the game does not take, and returns the
// status to end with; -1 when the game is to start. The values of the -platform and -display
// options, the last of each given, are left in display.
int AnswerCommandLine(int argc, char* argv[], DisplayOptions& display);

}  // namespace dyeland
