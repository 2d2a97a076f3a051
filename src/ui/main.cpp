// The program's entry: answers the command line, picks the display platform, creates the main
// window with the game on it, shows it and runs the event loop until the program is ended.
#include <QApplication>
#include <QTimer>

#include <csignal>

#include "CommandLine.h"
#include "desktop/Platform.h"
#include "files/WorkingDirFiles.h"
#include "windows/MainWindow.h"

int main(int argc, char* argv[]) {
    dyeland::DisplayOptions display;
    if (const int status = dyeland::AnswerCommandLine(argc, argv, display); status >= 0)
        return status;
    if (!dyeland::PrepareDisplayPlatform(display)) return 1;
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
            window.view().ShowWarning(notice.toStdString(), dyeland::AppTitle);
        });
    }
    return QApplication::exec();
}
