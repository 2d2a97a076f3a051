// The minimised alert: shown by a refresh tick while the main window is minimised, its text
// drawn whole on its colour, blinking by its own timers in half-second phases that start with the
// label visible, and closing at the end of the phase in which the window came back.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <QWindow>

#include "WindowTestSupport.h"
#include "windows/MainWindow.h"
#include "windows/MinimisedAlert.h"

namespace dyeland::test {
namespace {

// A window with its alert, minimised or not, and the refresh tick that may show the alert.
struct Alert : AWindow {
    MinimisedAlert* alert = form.alert();
    QWidget* label = Control(*alert, "Label1");
    void Tick(bool minimised) {
        minimised ? form.showMinimized() : form.showNormal();
        form.RefreshTick();
    }
};

// A refresh tick opens the alert while the window is minimised, and only then. The alert is no
// window a window manager handles: KWin 5.27 minimised a managed one along with the game.
TEST_F(Alert, OpensOnlyWhileTheWindowIsMinimised) {
    Tick(false);
    EXPECT_FALSE(alert->isVisible());
    Tick(true);
    EXPECT_TRUE(alert->isVisible());
    EXPECT_TRUE(alert->windowHandle()->flags().testFlag(Qt::X11BypassWindowManagerHint));
}

// The label shows first, then the end of a phase hides it.
TEST_F(Alert, BlinksFromAVisibleLabel) {
    Tick(true);
    EXPECT_FALSE(label->isHidden());
    ASSERT_TRUE(QTest::qWaitFor([&] { return label->isHidden(); }, 2000));
}

// The text lies on the alert's own colour, and the mask that limits its repaint cuts none of it.
TEST_F(Alert, ItsTextIsDrawnWholeOnTheAlertsColour) {
    const QImage shown = alert->grab().toImage();
    // The mask's corner lies off the glyphs; without a font the mask is a dot at the label's own.
    const QPoint inMask =
        label->mapTo(alert, (label->mask().boundingRect() & label->rect()).topLeft());
    EXPECT_EQ(shown.pixel(inMask), shown.pixel(3, 1)) << "the text's own background";
    label->clearMask();
    EXPECT_EQ(alert->grab().toImage(), shown);
}

// The window's state is read only at the end of a phase: after a restore the alert stays up
// for the rest of it, then closes and stops blinking.
TEST_F(Alert, ClosesAtTheEndOfThePhaseInWhichTheWindowCameBack) {
    Tick(true);
    alert->StartDelayEnded();
    form.showNormal();
    EXPECT_TRUE(alert->isVisible());
    alert->BlinkPhaseEnded();
    EXPECT_FALSE(alert->isVisible() || alert->PhaseTimer().isActive());
}

}  // namespace
}  // namespace dyeland::test
