// The program's entry (Module1's start-up): creates the main window, whose load handler sets
// the game's start values, shows it and runs the event loop until the program is ended.
#include <QApplication>

#include "Form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The desktop matches the windows to the installed menu entry by this name. The display
    // name follows the application name; set in its own right, Qt would append it to the
    // titles of the About and help windows.
    QGuiApplication::setDesktopFileName("org.dyeland.Dyeland");
    QCoreApplication::setApplicationName("Dyeland");
    dyeland::Form1 form;
    form.show();
    return QApplication::exec();
}
