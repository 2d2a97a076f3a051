// The minimised alert: shown by a refresh tick while the main window is minimised, blinking in
// timer-paced phases that start with the label visible, closing at the end of the phase in
// which the window came back, and waking the program only at the end of each phase.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QTimer>

#include "Form1.h"
#include "Form3.h"
#include "window_test_support.h"

namespace dyeland::test {
namespace {

struct Alert : testing::Test {
    Alert() { form.show(); }
    // Minimised, the refresh tick shows the alert and the alert's first tick starts the blink.
    void MinimiseTickAndStart() {
        form.showMinimized();
        form.Timer1_Timer();
        alert->Timer1_Timer();
    }
    bool LabelShown() const { return !label->isHidden(); }

    Form1 form;
    Form3* alert = form.alert();
    QLabel* label = alert->findChild<QLabel*>("Label1");
};

TEST_F(Alert, AppearsOnlyAtARefreshTickWhileMinimised) {
    form.Timer1_Timer();
    form.showMinimized();
    EXPECT_FALSE(alert->isVisible()) << "a minimise alone shows nothing";
    form.showNormal();
    form.Timer1_Timer();
    EXPECT_FALSE(alert->isVisible()) << "that minimise ended before the tick";
    form.showMinimized();
    form.Timer1_Timer();
    ASSERT_TRUE(alert->isVisible());
    EXPECT_TRUE(LabelShown());
    EXPECT_EQ(alert->geometry(), QRect(818, 65, 115, 36));
    EXPECT_TRUE(alert->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(label->text(), "Atas...!");
    EXPECT_EQ(label->font().pointSize(), 24);
    EXPECT_EQ(label->palette().color(QPalette::WindowText),
              QApplication::palette().color(QPalette::ToolTipBase));
    EXPECT_EQ(alert->findChild<QTimer*>("Timer1")->interval(), 100);
}

// Neither another refresh tick nor another start tick begins a second blink over the first.
TEST_F(Alert, BlinksInHalfSecondPhasesStartingVisibleOneBlinkAtATime) {
    MinimiseTickAndStart();
    ASSERT_TRUE(alert->IsBlinking());
    EXPECT_EQ(alert->PhaseTimer().interval(), 500);
    EXPECT_TRUE(alert->PhaseTimer().isActive() && LabelShown());
    alert->BlinkPhaseEnded();
    EXPECT_FALSE(LabelShown());
    form.Timer1_Timer();
    alert->Timer1_Timer();
    EXPECT_FALSE(LabelShown());
    alert->BlinkPhaseEnded();
    EXPECT_TRUE(LabelShown());
    alert->BlinkPhaseEnded();
    EXPECT_FALSE(LabelShown());
    EXPECT_TRUE(alert->isVisible());
}

// The blink state outlives the alert: one closed with the label hidden goes on by showing it,
// so the next alert keeps its label up for two phases.
TEST_F(Alert, ClosesAtTheEndOfThePhaseAfterARestoreAndComesBackVisible) {
    MinimiseTickAndStart();
    form.showNormal();
    EXPECT_TRUE(alert->isVisible()) << "the state is checked only at the end of a phase";
    alert->BlinkPhaseEnded();
    EXPECT_FALSE(alert->isVisible() || alert->IsBlinking() || alert->PhaseTimer().isActive());

    MinimiseTickAndStart();
    EXPECT_TRUE(alert->isVisible() && LabelShown());
    alert->BlinkPhaseEnded();
    EXPECT_TRUE(LabelShown());
    alert->BlinkPhaseEnded();
    EXPECT_FALSE(LabelShown());
}

// Real time, once: the alert's own timers start the blink and end a phase, and while it blinks
// only the phase timer is left to wake the program.
TEST_F(Alert, ItsOwnTimersBlinkItAndOnlyThePhaseTimerKeepsRunning) {
    form.showMinimized();
    form.Timer1_Timer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !LabelShown(); }, 2000));
    for (const QTimer* timer : alert->findChildren<QTimer*>())
        EXPECT_EQ(timer->isActive(), timer == &alert->PhaseTimer())
            << qPrintable(timer->objectName());
}

}  // namespace
}  // namespace dyeland::test
