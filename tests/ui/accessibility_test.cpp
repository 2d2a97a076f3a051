// What a screen reader learns of the windows: the accessibility tree of offscreen windows names
// and describes every control, the value boxes give their role and their newest value, and the
// colour pickers are reached with Tab and played with Space or Enter.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "Form1.h"
#include "Form3.h"
#include "HelpWindow.h"
#include "frmAbout.h"
#include "turns/region_capture.h"
#include "window_test_support.h"

namespace dyeland::test {
namespace {

const QStringList ColourNames = {"dark grey", "light blue",    "light green", "light cyan",
                                 "light red", "light magenta", "yellow",      "bright white"};

// Every widget the tree reaches from root, by object name, the way a screen reader walks it.
void Walk(QAccessibleInterface* node, QMap<QString, QAccessibleInterface*>& found) {
    if (node->object() && node->object()->isWidgetType())
        found.insert(node->object()->objectName(), node);
    for (int i = 0; i < node->childCount(); ++i)
        Walk(node->child(i), found);
}

QMap<QString, QAccessibleInterface*> TreeOf(QWidget& window) {
    QMap<QString, QAccessibleInterface*> found;
    Walk(QAccessible::queryAccessibleInterface(&window), found);
    return found;
}

void ExpectNamedAndDescribed(const QMap<QString, QAccessibleInterface*>& tree,
                             const QStringList& controls) {
    for (const QString& control : controls) {
        QAccessibleInterface* node = tree.value(control);
        ASSERT_NE(node, nullptr) << qPrintable(control) << " is not in the tree";
        EXPECT_FALSE(node->text(QAccessible::Name).isEmpty()) << qPrintable(control);
        EXPECT_FALSE(node->text(QAccessible::Description).isEmpty()) << qPrintable(control);
    }
}

// Tab from wherever the focus is until it lands on the named control.
bool TabTo(const QString& name) {
    for (int presses = 0; presses < 20; ++presses) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus) return false;
        if (focus->objectName() == name) return true;
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    return false;
}

struct Shown {
    Shown() {
        form.show();
        form.activateWindow();
        active = QTest::qWaitForWindowActive(&form);
    }
    Form1 form;
    bool active = false;
};

TEST(ScreenReader, EveryControlOfEveryWindowIsNamedAndDescribed) {
    Form1 form;
    form.show();
    const auto tree = TreeOf(form);
    QStringList controls;
    for (const QWidget* control : form.centralWidget()->findChildren<QWidget*>())
        controls << control->objectName();
    ASSERT_EQ(controls.size(), 25);  // the 17 controls of the layout and the 8 pickers
    ASSERT_NO_FATAL_FAILURE(ExpectNamedAndDescribed(tree, controls));

    for (int k = 0; k < 8; ++k) {
        QAccessibleInterface* picker = tree.value(QString("sPicture9_%1").arg(k));
        EXPECT_EQ(picker->text(QAccessible::Name), ColourNames[k]);
        EXPECT_EQ(picker->role(), QAccessible::Button) << k;
        EXPECT_TRUE(picker->text(QAccessible::Description).contains(ColourNames[k])) << k;
    }

    // Buttons are named by their captions, also when the game changes one.
    form.SetCaption(Caption::cmdStart, "New game");
    EXPECT_EQ(tree["cmdStart"]->text(QAccessible::Name), "New game");

    // The labels beyond the window's edge are passed over; the value boxes are not.
    for (const char* hidden : {"Label1", "Label2", "Label3", "Label8"})
        EXPECT_TRUE(tree[hidden]->state().offscreen) << hidden;
    for (const char* shown : {"Label6", "Label7", "Label10"})
        EXPECT_FALSE(tree[shown]->state().offscreen) << shown;

    form.mnuAbout_Click();
    ExpectNamedAndDescribed(TreeOf(*form.about()),
                            {"frmAbout", "Image1", "Label2", "Label3", "Label4", "Command3"});
    form.showMinimized();
    form.Timer1_Timer();
    ExpectNamedAndDescribed(TreeOf(*form.alert()), {"Form3", "Label1", "Command1"});
    form.showNormal();
    form.ShowHelp(HelpWindow::ContentsPage);
    ExpectNamedAndDescribed(TreeOf(*form.help()), {"HelpWindow", "HelpText"});
}

// A count box is named by what it counts, and its value is whatever the game last wrote, read
// through the very interface a screen reader already holds; it offers no value to change.
TEST(ScreenReader, ValueBoxesGiveTheirRoleAndTheNewestValue) {
    Form1 form;
    auto value = [&form](const char* name) {
        return QAccessible::queryAccessibleInterface(Control(form, name));
    };
    QAccessibleInterface* player = value("Label6");
    QAccessibleInterface* high = value("Label10");
    EXPECT_EQ(high->text(QAccessible::Value), "");
    form.game.state.PlayerCount = 123;
    form.game.state.ComputerCount = 45;
    form.Timer1_Timer();
    Control<QPushButton>(form, "cmdStart")->click();
    EXPECT_EQ(player->text(QAccessible::Name), "Player cells");
    EXPECT_EQ(player->text(QAccessible::Value), "123");
    EXPECT_EQ(player->textInterface()->text(0, 3), "123");
    EXPECT_EQ(value("Label7")->text(QAccessible::Value), "45");
    EXPECT_EQ(player->valueInterface(), nullptr);
    EXPECT_EQ(value("Label7")->valueInterface(), nullptr);
    EXPECT_EQ(high->text(QAccessible::Name), "High score");
    EXPECT_EQ(high->text(QAccessible::Value), "0");
}

// The board is a 30 x 30 table whose cells give colour and owner; each picker says whether the
// computer holds its colour and what it would gain, and the move then gains exactly that.
TEST(ScreenReader, BoardCellsAndPickersFollowTheGame) {
    Form1 form;
    Control<QPushButton>(form, "cmdStart")->click();
    const GameState& s = form.game.state;
    QAccessibleTableInterface* board =
        QAccessible::queryAccessibleInterface(Control(form, "Picture1"))->tableInterface();
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(QSize(board->columnCount(), board->rowCount()), QSize(30, 30));
    auto picker = [&form](int colour) {
        const QString name = QString("sPicture9_%1").arg(colour - 8);
        return QAccessible::queryAccessibleInterface(Control(form, qPrintable(name)));
    };
    auto gain = [&picker](int colour) {
        static const QRegularExpression cells("gain (\\d+) cell");
        return cells.match(picker(colour)->text(QAccessible::Description)).captured(1).toInt();
    };
    for (int move = 0; move < 3; ++move) {
        int best = s.ComputerColor == 8 ? 9 : 8;
        for (int colour = 8; colour < 16; ++colour) {
            EXPECT_EQ(picker(colour)->text(QAccessible::Name).endsWith(", taken by the computer"),
                      colour == s.ComputerColor);
            if (colour != s.ComputerColor && gain(colour) > gain(best)) best = colour;
        }
        const int promised = gain(best), before = CountMarks(s.PlayerMarks);
        picker(best)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(CountMarks(s.PlayerMarks) - before, promised) << "move " << move;
    }
    int free = 0;
    while (s.PlayerMarks.cells[free] || s.ComputerMarks.cells[free])
        ++free;
    const struct {
        int x, y;
        QString owner;
    } cells[] = {{0, 29, ", yours"}, {29, 0, ", computer's"}, {free % 30, free / 30, ""}};
    for (const auto& cell : cells) {
        EXPECT_EQ(board->cellAt(cell.y, cell.x)->text(QAccessible::Name),
                  ColourNames[s.Colors(cell.x, cell.y) - 8] + cell.owner);
    }
}

// Space, Return and the keypad's Enter on a focused picker play its colour, as a screen
// reader's press does; the Tab walks to the pickers play nothing, and no press gets past an
// open question.
TEST(PickerKeyboard, TabReachesThePickersAndSpaceOrEnterPlaysTheFocusedOne) {
    Shown shown;
    ASSERT_TRUE(shown.active);
    Form1& form = shown.form;
    Control<QPushButton>(form, "cmdStart")->click();
    const struct {
        int picker;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } presses[] = {
        {6, Qt::Key_Space, Qt::NoModifier},
        {5, Qt::Key_Return, Qt::NoModifier},
        {2, Qt::Key_Enter, Qt::KeypadModifier},
    };
    for (const auto& press : presses) {
        const QString name = QString("sPicture9_%1").arg(press.picker);
        const int moves = form.game.state.PlayerMoves;
        ASSERT_TRUE(TabTo(name)) << qPrintable(name);
        EXPECT_EQ(form.game.state.PlayerMoves, moves) << "Tab played a colour";
        QTest::keyClick(QApplication::focusWidget(), press.key, press.modifiers);
        EXPECT_EQ(form.game.state.PlayerColor, press.picker + 8) << qPrintable(name);
    }
    QAccessibleInterface* lightBlue =
        QAccessible::queryAccessibleInterface(Control(form, "sPicture9_1"));
    lightBlue->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(form.game.state.PlayerColor, 9);

    QTimer::singleShot(0, [&] {
        QAccessible::queryAccessibleInterface(Control(form, "sPicture9_3"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(form.AskYesNo("Do you want new games ?", "Dyeland"));
    EXPECT_EQ(form.game.state.PlayerColor, 9);
}

// The focus mark shows only while the keyboard holds a picker; a picker focused by the mouse,
// or left again, looks exactly as before.
TEST(PickerKeyboard, TheFocusMarkShowsOnlyWhileTheKeyboardHoldsThePicker) {
    Shown shown;
    ASSERT_TRUE(shown.active);
    QWidget* picker = Control(shown.form, "sPicture9_4");
    const QImage plain = picker->grab().toImage();
    picker->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(picker->grab().toImage(), plain) << "a click must not mark the picker";
    Control(shown.form, "Picture1")->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(TabTo("sPicture9_4"));
    EXPECT_NE(picker->grab().toImage(), plain);
    QTest::keyClick(picker, Qt::Key_Tab);
    EXPECT_FALSE(picker->hasFocus());
    EXPECT_EQ(picker->grab().toImage(), plain);
}

}  // namespace
}  // namespace dyeland::test
