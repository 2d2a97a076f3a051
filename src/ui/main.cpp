// The program's entry: creates the main window and runs the event loop.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget placeholder;
    placeholder.setWindowTitle("Dyeland");
    placeholder.show();
    return QApplication::exec();
}
