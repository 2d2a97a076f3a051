// Entry of the window tests: one QApplication for all of them, run from an empty folder so
// the game's score file never lands in the build tree.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Tests close windows all the time; that must not quit the application under them.
    QApplication::setQuitOnLastWindowClosed(false);
    QTemporaryDir folder;
    if (folder.isValid()) QDir::setCurrent(folder.path());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
