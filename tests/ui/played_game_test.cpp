// A whole game played on the real window: the Start button, real clicks on the colour pickers
// and the real end-of-game box answered with its own Yes button.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "Form1.h"
#include "table.h"
#include "window_test_support.h"

namespace dyeland::test {
namespace {

// The window with a seeded random source, so every run deals the same boards.
class SeededForm : public Form1 {
public:
    double Rnd() override { return random(); }
    std::int64_t MillisecondsSinceLoad() const override { return 0; }
    std::function<double()> random = dyeland::testing::SeededSource(14);
};

// The seed deals a first game that the computer wins and a second that a greedy player wins,
// so both boxes are answered; another deal would still be played until the player wins.
TEST(PlayedGame, GreedyClicksWinAndTheRealBoxStartsTheNextGame) {
    SeededForm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const GameState& s = form.game.state;
    // The box runs its own event loop inside the click; the watch finds it from there.
    QStringList titles;
    int score = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        score = s.PlayerCount - s.ComputerCount;  // the Classic game's
        titles << box->windowTitle();
        EXPECT_TRUE(box->defaultButton() == box->button(QMessageBox::No));
        QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
    });
    watch.start(5);
    QTest::mouseClick(Control(form, "cmdStart"), Qt::LeftButton);
    bool playerWon = false;
    for (int move = 0; move < 400 && !playerWon; ++move) {
        // Two halves of 450 cells are a win for neither side, and such a game never ends.
        if (s.PlayerCount + s.ComputerCount == CellCount)
            Control<QAction>(form, "mnuNGames")->trigger();
        const qsizetype before = titles.size();
        const int pick = dyeland::testing::ScriptedPick(s) - FirstColour;
        QTest::mouseClick(Control(form, qPrintable(QString("sPicture9_%1").arg(pick))),
                          Qt::LeftButton);
        ASSERT_LE(titles.size(), before + 1) << "one game end, one box";
        if (titles.size() == before) continue;
        playerWon = score > 0;
        EXPECT_EQ(titles.back(), (playerWon ? "Yes..! Yor score = " : "No..! Yor score = ") +
                                     QString::number(score));
        // Yes dealt a new game and, after the player's win, the computer has made its first
        // regular move in it; the player is to pick, and the new high score is shown.
        EXPECT_TRUE(!form.ProgramEnded() && s.PlayerTurn && s.PlayerCount == 0);
        EXPECT_EQ(s.OpeningMoves, playerWon ? 1 : 0);
        EXPECT_TRUE(!playerWon ||
                    Control<QLabel>(form, "Label10")->text() == QString::number(score));
    }
    EXPECT_TRUE(playerWon) << titles.size() << " games ended without a win by the player";
    EXPECT_GE(titles.size(), 2) << "the seed no longer deals a lost game first";
}

}  // namespace
}  // namespace dyeland::test
