// What a screen reader learns of the game: the board's cells give colour, owner and place, a
// cell cursor moves over them, each picker says whether the computer holds its colour and what
// it would gain, every turn is told in one notification, no press gets past an open question,
// and the count boxes are text with no value to change.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "BoardAccessible.h"
#include "BoardPicture.h"
#include "Form1.h"
#include "turns/region_capture.h"
#include "window_test_support.h"

namespace dyeland::test {
namespace {

// The news a finished handler gives a screen reader.
std::string Heard(const Form1& form) {
    QCoreApplication::processEvents();
    return LastNews(form).toStdString();
}

QAccessibleInterface* Spoken(const Form1& form, const QString& name) {
    return QAccessible::queryAccessibleInterface(Control(form, qPrintable(name)));
}

void Press(const Form1& form, int colour) {
    Spoken(form, QString("sPicture9_%1").arg(colour - 8))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
}

TEST(ScreenReader, BoardPickersAndCountsFollowTheGame) {
    Form1 form;
    Control<QPushButton>(form, "cmdStart")->click();
    const GameState& s = form.game.state;
    auto picker = [&](int colour) { return Spoken(form, QString("sPicture9_%1").arg(colour - 8)); };
    auto gain = [&](int colour) {
        static const QRegularExpression cells("gains (\\d+) cell");
        return cells.match(picker(colour)->text(QAccessible::Description)).captured(1).toInt();
    };
    for (int move = 0; move < 3; ++move) {
        EXPECT_TRUE(picker(s.ComputerColor)->text(QAccessible::Name).endsWith("by the computer"));
        int best = s.ComputerColor == 8 ? 9 : 8;
        for (int colour = 8; colour < 16; ++colour)
            if (colour != s.ComputerColor && gain(colour) > gain(best)) best = colour;
        const int promised = gain(best), before = CountMarks(s.PlayerMarks);
        Press(form, best);
        EXPECT_EQ(CountMarks(s.PlayerMarks) - before, promised) << "move " << move;
    }
    QAccessibleInterface* board = Spoken(form, "Picture1");
    ASSERT_EQ(board->childCount(), 900);
    EXPECT_EQ(board->child(29 * 30)->text(QAccessible::Name),
              ColourName(s.Colors(0, 29)) + ", yours, row 30 column 1");

    const int moves = s.PlayerMoves;
    QTimer::singleShot(0, [&] {
        Press(form, s.ComputerColor == 8 ? 9 : 8);
        QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return);  // its default, No
    });
    EXPECT_FALSE(form.AskYesNo("Do you want new games ?", "Dyeland"));
    EXPECT_EQ(s.PlayerMoves, moves);

    form.Timer1_Timer();
    EXPECT_EQ(Spoken(form, "Label6")->text(QAccessible::Value), QString::number(s.PlayerCount));
    EXPECT_EQ(Spoken(form, "Label6")->valueInterface(), nullptr);
}

// The keys move the focus a screen reader follows over the cells; the picture stays as it was.
TEST(ScreenReader, BoardKeysMoveACellCursorThatOnlyTheScreenReaderFollows) {
    Form1 form;
    Control<QPushButton>(form, "cmdStart")->click();
    auto* board = Control<BoardPicture>(form, "Picture1");
    const QImage picture = board->ShownImage();
    const struct {
        Qt::Key key;
        int row, column;
    } steps[] = {{Qt::Key_Left, 30, 1}, {Qt::Key_Right, 30, 2},   {Qt::Key_Up, 29, 2},
                 {Qt::Key_End, 29, 30}, {Qt::Key_PageUp, 1, 30},  {Qt::Key_Home, 1, 1},
                 {Qt::Key_Down, 2, 1},  {Qt::Key_PageDown, 30, 1}};
    QAccessibleInterface* cells = Spoken(form, "Picture1");
    for (const auto& step : steps) {
        QTest::keyClick(board, step.key);
        const QPoint at = board->CellCursor;
        EXPECT_EQ(at, QPoint(step.column - 1, step.row - 1));
        EXPECT_TRUE(cells->child(at.y() * 30 + at.x())
                        ->text(QAccessible::Name)
                        .endsWith(QString(", row %1 column %2").arg(step.row).arg(step.column)));
    }
    EXPECT_EQ(board->ShownImage(), picture);
}

// A new game, a move by a pick or by Step, a refusal and the end are each told once.
TEST(ScreenReader, EveryTurnIsToldInOneNotification) {
    Form1 form;
    const GameState& s = form.game.state;
    Control<QPushButton>(form, "cmdStart")->click();
    EXPECT_EQ(Heard(form), (QString("New board dealt. The computer starts on %1. "
                                    "You %2, computer %3.")
                                .arg(ColourName(s.ComputerColor))
                                .arg(CountMarks(s.PlayerMarks))
                                .arg(CountMarks(s.ComputerMarks))
                                .toStdString()));
    auto moveNews = [&] {
        return QString("Computer took %1. You %2, computer %3.")
            .arg(ColourName(s.ComputerColor))
            .arg(s.PlayerCount)
            .arg(s.ComputerCount)
            .toStdString();
    };
    Press(form, s.ComputerColor == 8 ? 9 : 8);
    EXPECT_EQ(Heard(form), moveNews());
    Control<QPushButton>(form, "cmdStep")->click();
    EXPECT_EQ(Heard(form), moveNews());
    Press(form, s.ComputerColor);
    QString refused = ColourName(s.ComputerColor);
    refused[0] = refused[0].toUpper();
    EXPECT_EQ(Heard(form), (refused + " is the computer's colour.").toStdString());

    // A board full at 450 each ends no game, so the player must learn it another way.
    form.game.state.PlayerCount = form.game.state.ComputerCount = 450;
    form.SetCaption(Caption::Label3, "9");
    form.FocusStepButton();
    EXPECT_TRUE(
        QString::fromStdString(Heard(form))
            .endsWith(
                "You 450, computer 450. The board is full and drawn. New game starts another."));

    form.game.state.ComputerCount = 451;
    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_N); });
    form.AskYesNo("Do you want new game?", "No..! Yor score = -300");
    EXPECT_EQ(Heard(form),
              QString("The computer won. You %1, computer 451.").arg(s.PlayerCount).toStdString());
}

}  // namespace
}  // namespace dyeland::test
