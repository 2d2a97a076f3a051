// The minimised alert: shown by a refresh tick while the main window is minimised, blinking by
// its own timers in phases that start with the label visible, closing at the end of the phase
// in which the window came back, and carrying its blink state over to the next alert.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <QWindow>

#include "window_test_support.h"
#include "windows/Form1.h"
#include "windows/Form3.h"

namespace dyeland::test {
namespace {

TEST(Alert, BlinksWhileMinimisedAndClosesAtThePhaseEndAfterARestore) {
    Form1 form;
    Form3* alert = form.alert();
    const QWidget* label = Control(*alert, "Label1");
    form.showMinimized();
    form.Timer1_Timer();
    ASSERT_TRUE(alert->isVisible() && !label->isHidden());
    // Managed, it would be transient for the hidden group leader, and KWin would minimise it too.
    EXPECT_TRUE(alert->windowHandle()->flags().testFlag(Qt::X11BypassWindowManagerHint));
    ASSERT_TRUE(QTest::qWaitFor([&] { return label->isHidden(); }, 2000));
    form.Timer1_Timer();
    alert->Timer1_Timer();  // no second blink over the first
    alert->BlinkPhaseEnded();
    EXPECT_FALSE(label->isHidden());
    form.showNormal();
    EXPECT_TRUE(alert->isVisible()) << "the state is checked only at the end of a phase";
    alert->BlinkPhaseEnded();
    EXPECT_FALSE(alert->isVisible() || alert->PhaseTimer().isActive());

    // Closed with the label hidden, the blink goes on by showing it: two phases visible.
    form.showMinimized();
    form.Timer1_Timer();
    alert->Timer1_Timer();
    EXPECT_FALSE(label->isHidden());
    alert->BlinkPhaseEnded();
    EXPECT_FALSE(label->isHidden());
    alert->BlinkPhaseEnded();
    EXPECT_TRUE(label->isHidden());
}

}  // namespace
}  // namespace dyeland::test
