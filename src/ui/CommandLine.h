// What the command line may ask for: --help, --version and Qt's own options. Anything else is
// refused before a window or a file is touched.
#pragma once

namespace dyeland {

// Answers --help or --version, or refuses an argument the game does not take, and returns the
// status to end with; -1 when the game is to start. The value of a -platform option, the last
// one given, is left in platform.
int AnswerCommandLine(int argc, char* argv[], const char*& platform);

}  // namespace dyeland
