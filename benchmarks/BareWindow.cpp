// The floor for the game's start: an empty main window titled like the game, with its menu bar
// and a client area of the same size, and nothing in it. scripts/measure starts it in turn with
// the game and compares what each costs to the window shown.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[]) {
    // The game's own choice, which changes what a shown window costs on X11.
    qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Dyeland");
    const char* menus[][6] = {
        {"Game", "New Game", "Exit"},
        {"Options", "Classic Game", "\"From The Centre\" Game", "Line", "Arcade", "New score"},
        {"Help", "Contents", "About Dyeland"}};
    for (const auto& items : menus) {
        QMenu* menu = window.menuBar()->addMenu(items[0]);
        for (int i = 1; i < 6 && items[i]; ++i)
            menu->addAction(items[i]);
    }
    auto* client = new QWidget(&window);
    client->setFixedSize(448, 519);
    window.setCentralWidget(client);
    window.show();
    return QApplication::exec();
}
