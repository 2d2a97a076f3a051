// What a screen reader learns of the game: each picker says whether the computer holds its
// colour and what it would gain, every turn is told in one notification, no press gets past an
// open question.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "Table.h"
#include "WindowTestSupport.h"
#include "board/BoardAccessible.h"
#include "board/BoardPicture.h"
#include "board/Controls.h"
#include "game/Board.h"
#include "windows/MainWindow.h"
#include "windows/SpokenNews.h"

namespace dyeland::test {
namespace {

// The news a finished handler gives a screen reader.
QString Heard(const MainWindow& form) {
    QCoreApplication::processEvents();
    return LastNews(form);
}

QAccessibleInterface* Picker(const MainWindow& form, int colour) {  // made in colour order
    return QAccessible::queryAccessibleInterface(form.findChildren<ColourBox*>().at(colour - 8));
}
void Press(const MainWindow& form, int colour) {
    Picker(form, colour)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

// A window the screen reader reads, and the game it shows.
using ScreenReader = AWindow;

// Each picker names the computer's colour as such and promises the gain its press then brings.
TEST_F(ScreenReader, EachPickerSaysWhatItWouldGain) {
    Control<QPushButton>(form, "cmdStart")->click();
    auto gain = [&](int colour) {  // "light red, gains 3 cells"
        return Picker(form, colour)->text(QAccessible::Name).section(' ', -2, -2).toInt();
    };
    for (int move = 0; move < 3; ++move) {
        EXPECT_TRUE(Picker(form, s.computerColour)->text(QAccessible::Name).endsWith("computer"));
        const int best = test::ScriptedPick(s);  // the colour that gains most
        const int promised = gain(best), before = CountMarks(s.playerMarks);
        Press(form, best);
        EXPECT_EQ(CountMarks(s.playerMarks) - before, promised) << "move " << move;
    }
}

// The keys move the focus a screen reader follows over the cells, and each cell names its place.
TEST_F(ScreenReader, BoardKeysMoveACellCursorThatOnlyTheScreenReaderFollows) {
    auto* board = Control<BoardPicture>(form, "Picture1");
    const int steps[][3] = {{Qt::Key_Left, 30, 1}, {Qt::Key_Right, 30, 2},   {Qt::Key_Up, 29, 2},
                            {Qt::Key_End, 29, 30}, {Qt::Key_PageUp, 1, 30},  {Qt::Key_Home, 1, 1},
                            {Qt::Key_Down, 2, 1},  {Qt::Key_PageDown, 30, 1}};  // row, column
    for (const auto& [key, row, column] : steps) {
        QTest::keyClick(board, Qt::Key(key));
        const int at = CellCursor(*board).y() * 30 + CellCursor(*board).x();
        const QString name =
            QAccessible::queryAccessibleInterface(board)->child(at)->text(QAccessible::Name);
        EXPECT_TRUE(name.endsWith(QString(", row %1 column %2").arg(row).arg(column))) << key;
    }
}

// The Options menu says its name, and each check item its place and whether it is checked: the
// game's options as they start, then as the menu's commands left them.
TEST_F(ScreenReader, TheOptionsMenuNamesItselfAndEachCheckItemItsPlaceAndMark) {
    auto* menu = QAccessible::queryAccessibleInterface(Control<QMenu>(form, "mnuSetup"));
    EXPECT_EQ(menu->text(QAccessible::Name), "Options");
    EXPECT_EQ(menu->indexOfChild(menu->child(3)), 3);  // Line, after a separator
    const QSet<int> checked[] = {{0, 3}, {1, 4}};      // Classic, centre, -, Line, Arcade
    for (const auto& marks : checked) {
        const bool options[] = {s.classicGame, !s.classicGame, false, s.showGrid, s.arcade};
        for (const int i : {0, 1, 3, 4}) {
            EXPECT_EQ(bool(menu->child(i)->state().checked), marks.contains(i)) << i;
            EXPECT_EQ(options[i], marks.contains(i)) << "the game's option " << i;
        }
        for (const char* item : {"mnuCenture", "mnuCenture", "mnuLine", "mnuArcade"})
            Control<QAction>(form, item)->trigger();
    }
}

// A new game, a move, a refusal, a win and a full board are each told once: on this seed's first
// board the computer starts on light blue, and the player's dark grey makes it take bright white.
TEST_F(ScreenReader, EveryTurnIsToldInOneNotification) {
    form.show();  // news waits for the focus
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    Control<QPushButton>(form, "cmdStart")->click();
    EXPECT_EQ(Heard(form),
              "New board dealt. The computer starts on light blue. You 2, computer 1.");
    Press(form, 8);
    EXPECT_EQ(Heard(form), "Computer took bright white. You 7, computer 1.");
    Press(form, 15);
    EXPECT_EQ(Heard(form), "Bright white is the computer's colour.");
    s.playerCount = WinningCount + 1;  // who won, with the final counts
    form.view().Tell({.kind = GameEvent::Kind::Won, .side = Side::Player});
    EXPECT_EQ(Heard(form), "You won. You 7, computer 1.");

    // A board full at 450 each ends no game, so the player must learn it another way.
    s.playerCount = s.computerCount = 450;
    EXPECT_TRUE(
        MoveNews(form.game).endsWith("The board is full and drawn. New game starts another."));
}

}  // namespace
}  // namespace dyeland::test
