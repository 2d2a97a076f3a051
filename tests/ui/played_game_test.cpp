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
    std::function<double()> random = dyeland::testing::SeededSource(0);
};

struct EndBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool noIsDefault = false;
    int playerCount = 0, computerCount = 0;
};

// The seed deals a first game that the computer wins and a second that a greedy player wins,
// so both boxes are answered; another deal would still be played until the player wins.
TEST(PlayedGame, GreedyClicksWinAndTheRealBoxStartsTheNextGame) {
    SeededForm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    // The box runs its own event loop inside the click; the watch finds it from there.
    QList<EndBox> boxes;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        const GameState& s = form.game.state;
        boxes.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                      box->defaultButton() == box->button(QMessageBox::No), s.PlayerCount,
                      s.ComputerCount});
        QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
    });
    watch.start();

    form.random = dyeland::testing::SeededSource(14);
    QTest::mouseClick(Control(form, "cmdStart"), Qt::LeftButton);
    bool playerWon = false;
    for (int move = 0; move < 400 && !playerWon; ++move) {
        // Two halves of 450 cells are a win for neither side, and such a game never ends.
        if (form.game.state.PlayerCount + form.game.state.ComputerCount == CellCount)
            Control<QAction>(form, "mnuNGames")->trigger();
        const qsizetype before = boxes.size();
        const int pick = dyeland::testing::ScriptedPick(form.game.state) - FirstColour;
        QTest::mouseClick(Control(form, qPrintable(QString("sPicture9_%1").arg(pick))),
                          Qt::LeftButton);
        ASSERT_LE(boxes.size(), before + 1) << "one game end, one box";
        if (boxes.size() == before) continue;

        const EndBox& box = boxes.back();
        playerWon = box.playerCount > WinningCount;
        const int score = box.playerCount - box.computerCount;  // the Classic game's
        SCOPED_TRACE(box.title.toStdString());
        EXPECT_EQ(box.title, (playerWon ? "Yes..! Yor score = " : "No..! Yor score = ") +
                                 QString::number(score));
        EXPECT_EQ(box.text, playerWon ? "Do you want new games ?" : "Do you want new game?");
        EXPECT_EQ(box.icon, QMessageBox::Critical);
        EXPECT_EQ(box.buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_TRUE(box.noIsDefault);

        // Yes dealt a new game and, after the player's win, the computer has made its first
        // regular move in it; the player is to pick.
        const GameState& s = form.game.state;
        EXPECT_FALSE(form.ProgramEnded());
        EXPECT_TRUE(s.PlayerTurn);
        EXPECT_EQ(s.PlayerCount, 0);
        EXPECT_EQ(s.OpeningMoves, playerWon ? 1 : 0);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        if (!playerWon || score <= 0) continue;

        // The score was saved and the new game read it back for the "High score" box.
        EXPECT_EQ(Control<QLabel>(form, "Label10")->text(), QString::number(score));
    }
    EXPECT_TRUE(playerWon) << boxes.size() << " games ended without a win by the player";
    EXPECT_GE(boxes.size(), 2) << "the seed no longer deals a lost game first";
}

}  // namespace
}  // namespace dyeland::test
