// A whole game played on the real window: the Start button, real clicks on the colour pickers
// and the real end-of-game box, told to a screen reader and answered with its own Yes button.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "board/BoardAccessible.h"
#include "table.h"
#include "window_test_support.h"
#include "windows/Form1.h"

namespace dyeland::test {
namespace {

// The seed deals a first game that the computer wins and a second that a greedy player wins,
// so both boxes are answered; another deal would still be played until the player wins.
TEST(PlayedGame, GreedyClicksWinAndTheRealBoxStartsTheNextGame) {
    // A seeded source and a clock that stays at the start: every run deals the same boards.
    Form1 form({dyeland::testing::SeededSource(14), [] { return std::int64_t{0}; }});
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const GameState& s = form.game.state;
    int ends = 0, score = 0;
    // The box runs its own event loop inside the click; the watch finds it from there.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        score = s.PlayerCount - s.ComputerCount, ++ends;  // the Classic game's score
        EXPECT_EQ(box->windowTitle(), (score > 0 ? "Yes..! Yor score = " : "No..! Yor score = ") +
                                          QString::number(score));
        EXPECT_TRUE(box->defaultButton() == box->button(QMessageBox::No));
        EXPECT_TRUE(LastNews(form).contains(score > 0 ? "You won. " : "The computer won. "));
        QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
    });
    watch.start(5);
    QTest::mouseClick(Control(form, "cmdStart"), Qt::LeftButton);
    for (int move = 0; move < 400 && score <= 0; ++move) {
        // Two halves of 450 cells are a win for neither side, and such a game never ends.
        if (s.PlayerCount + s.ComputerCount == CellCount)
            Control<QAction>(form, "mnuNGames")->trigger();
        const int before = ends, pick = dyeland::testing::ScriptedPick(s) - FirstColour;
        QTest::mouseClick(Control(form, qPrintable(QString("sPicture9_%1").arg(pick))),
                          Qt::LeftButton);
        if (ends == before) continue;
        // Yes dealt a new game and, after the player's win, the computer has made its first
        // regular move in it; the player is to pick, and the new high score is shown.
        EXPECT_TRUE(!form.game.Ended() && s.PlayerTurn && s.PlayerCount == 0 &&
                    s.OpeningMoves == (score > 0 ? 1 : 0));
        EXPECT_TRUE(score <= 0 ||
                    Control<QLabel>(form, "Label10")->text() == QString::number(score));
    }
    // Two ends, or the seed no longer deals a lost game first.
    EXPECT_TRUE(score > 0 && ends >= 2) << ends << " games ended, the last scoring " << score;
}

}  // namespace
}  // namespace dyeland::test
