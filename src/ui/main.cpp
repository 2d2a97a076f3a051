// The program's entry (Module1's start-up): creates the main window, whose load handler sets
// the game's start values, shows it and runs the event loop until the program is ended.
#include <QApplication>

#include "Form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    dyeland::Form1 form;
    form.show();
    return QApplication::exec();
}
