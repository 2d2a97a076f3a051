// The command line read as GNU programs read theirs: options in order, the first --help or
// --version answered, the first argument not understood refused with status 2.
#include "CommandLine.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace dyeland {
namespace {

constexpr const char* Usage =
    "Usage: dyeland [OPTION]...\n"
    "Play a board game of colours against the computer, in a window of its own.\n"
    "The high scores are kept in the file 'res' in the current folder.\n"
    "\n"
    "      --help     display this help and exit\n"
    "      --version  output version information and exit\n"
    "\n"
    "Qt's standard options, such as -platform NAME, are accepted too.\n";

constexpr const char* Version =
    "dyeland (Dyeland) " DYELAND_VERSION
    "\n"
    "Copyright (C) 2026 The Dyeland developers.\n"
    "License: MIT <https://opensource.org/licenses/MIT>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

// The options Qt documents for every program on Linux, without their dash. Qt takes them with
// one dash or two and removes them from the arguments when the application starts.
constexpr std::string_view QtOptionsWithValue[] = {
    "platform",        "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
    "display",         "geometry",           "style",         "stylesheet"};
constexpr std::string_view QtFlags[] = {"reverse", "widgetcount"};
constexpr std::string_view QtOptionsJoinedToValue[] = {"style=", "stylesheet=", "qmljsdebugger="};

bool Lists(const auto& names, std::string_view name) {
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

int Print(const char* text) {
    // A full disk or a closed pipe is an error, not a silent success.
    if (std::fputs(text, stdout) < 0 || std::fflush(stdout) != 0) {
        std::perror("dyeland: write error");
        return 1;
    }
    return 0;
}

int Refuse(const char* reason, std::string_view argument, const char* after = "") {
    std::fprintf(stderr, "dyeland: %s '%.*s'%s\nTry 'dyeland --help' for more information.\n",
                 reason, static_cast<int>(argument.size()), argument.data(), after);
    return 2;
}

}  // namespace

int AnswerCommandLine(int argc, char* argv[], DisplayOptions& display) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help") return Print(Usage);
        if (argument == "--version") return Print(Version);
        // After "--" everything is an operand, and the game takes none.
        if (argument == "--") return i + 1 < argc ? Refuse("extra operand", argv[i + 1]) : -1;
        if (argument.size() < 2 || argument[0] != '-') return Refuse("extra operand", argument);
        const std::string_view name = argument.substr(argument.starts_with("--") ? 2 : 1);
        if (Lists(QtOptionsWithValue, name)) {
            if (++i == argc) return Refuse("option", argument, " requires an argument");
            if (name == "platform") display.platform = argv[i];
            if (name == "display") display.display = argv[i];
            continue;
        }
        if (Lists(QtFlags, name)) continue;
        if (std::ranges::any_of(QtOptionsJoinedToValue,
                                [name](std::string_view start) { return name.starts_with(start); }))
            continue;
        return Refuse("unrecognized option", argument);
    }
    return -1;
}

}  // namespace dyeland
