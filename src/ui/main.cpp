// The program's entry: answers --help and --version, picks the display platform, creates the main
// window, which sets the game's start values, shows it and runs the event loop until
// the program is ended.
#include <QApplication>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstring>

#include "desktop/Platform.h"
#include "files/WorkingDirFiles.h"
#include "windows/MainWindow.h"

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

// --help and --version are answered before anything else, so they work without a display and
// touch no file. The first of them wins, as in GNU programs; "--" ends the options.
int AnswerInformationOption(int argc, char* argv[]) {
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        const bool help = std::strcmp(argv[i], "--help") == 0;
        if (!help && std::strcmp(argv[i], "--version") != 0) continue;
        // A full disk or a closed pipe is an error, not a silent success.
        if (std::fputs(help ? Usage : Version, stdout) < 0 || std::fflush(stdout) != 0) {
            std::perror("dyeland: write error");
            return 1;
        }
        return 0;
    }
    return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const int status = AnswerInformationOption(argc, argv); status >= 0) return status;
    if (!dyeland::PrepareDisplayPlatform(argc, argv)) return 1;
    // Past a file size limit a write should fail with a reason the player is shown, rather
    // than end the game.
    std::signal(SIGXFSZ, SIG_IGN);
    // On X11, Qt's shared-memory drawing waits for a round trip to the server before each
    // repaint of a place it drew before, which wakes the program twice more for every blink of
    // the minimised alert. The game's windows are small: sending their pixels costs nothing.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    // The desktop matches the windows to the installed menu entry by this name. The display
    // name follows the application name; set in its own right, Qt would append it to the
    // titles of the About and help windows.
    QGuiApplication::setDesktopFileName("org.dyeland.Dyeland");
    QCoreApplication::setApplicationName("Dyeland");
    // The clock of the warm-up draws runs from the window's creation.
    dyeland::StandardSources sources;
    dyeland::WorkingDirFiles scoreFile;
    dyeland::MainWindow window(sources, scoreFile);
    window.show();
    // The menu launcher could not use the scores' usual folder and says why, once.
    if (const QByteArray notice = qgetenv("DYELAND_START_NOTICE"); !notice.isEmpty()) {
        qunsetenv("DYELAND_START_NOTICE");
        QTimer::singleShot(0, &window, [&window, notice] {
            window.host().ShowWarning(notice.toStdString(), dyeland::AppTitle);
        });
    }
    return QApplication::exec();
}
