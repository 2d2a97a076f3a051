// What a screen reader learns of the game: the board is a 30 x 30 table whose cells give colour
// and owner, each picker says whether the computer holds its colour and what it would gain, no
// press gets past an open question, and the count boxes are text with no value to change.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "Form1.h"
#include "game/board.h"
#include "window_test_support.h"

namespace dyeland::test {
namespace {

TEST(ScreenReader, BoardPickersAndCountsFollowTheGame) {
    Form1 form;
    Control<QPushButton>(form, "cmdStart")->click();
    const GameState& s = form.game.state;
    auto spoken = [&form](const QString& name) {
        return QAccessible::queryAccessibleInterface(Control(form, qPrintable(name)));
    };
    auto picker = [&](int colour) { return spoken(QString("sPicture9_%1").arg(colour - 8)); };
    auto gain = [&](int colour) {
        static const QRegularExpression cells("gain (\\d+) cell");
        return cells.match(picker(colour)->text(QAccessible::Description)).captured(1).toInt();
    };
    for (int move = 0; move < 3; ++move) {
        EXPECT_TRUE(picker(s.ComputerColor)->text(QAccessible::Name).endsWith("by the computer"));
        int best = s.ComputerColor == 8 ? 9 : 8;
        for (int colour = 8; colour < 16; ++colour)
            if (colour != s.ComputerColor && gain(colour) > gain(best)) best = colour;
        const int promised = gain(best), before = CountMarks(s.PlayerMarks);
        picker(best)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(CountMarks(s.PlayerMarks) - before, promised) << "move " << move;
    }
    QAccessibleTableInterface* board = spoken("Picture1")->tableInterface();
    ASSERT_EQ(QSize(board->columnCount(), board->rowCount()), QSize(30, 30));
    EXPECT_TRUE(board->cellAt(29, 0)->text(QAccessible::Name).endsWith(", yours"));

    const int moves = s.PlayerMoves;
    QTimer::singleShot(0, [&] {
        picker(s.ComputerColor == 8 ? 9 : 8)
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return);  // its default, No
    });
    EXPECT_FALSE(form.AskYesNo("Do you want new games ?", "Dyeland"));
    EXPECT_EQ(s.PlayerMoves, moves);

    form.Timer1_Timer();
    EXPECT_EQ(spoken("Label6")->text(QAccessible::Value), QString::number(s.PlayerCount));
    EXPECT_EQ(spoken("Label6")->valueInterface(), nullptr);
}

}  // namespace
}  // namespace dyeland::test
