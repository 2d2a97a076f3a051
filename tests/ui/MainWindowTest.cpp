// The main window's own behaviour: the player's platform, windows kept on screen, the beep's
// fallback, a double-click on a picker, the About box's texts, texts under a dark palette, the
// Yes/No question, the help window's keys and the end of the program.
#include <gtest/gtest.h>

#include <qtestspontaneevent.h>
#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <functional>

#include "WindowTestSupport.h"
#include "desktop/EventSound.h"
#include "desktop/OnScreen.h"
#include "desktop/Platform.h"
#include "windows/AboutBox.h"
#include "windows/HelpWindow.h"
#include "windows/MainWindow.h"
#include "windows/MinimisedAlert.h"

namespace dyeland::test {
namespace {

using Window = AWindow;

// A window off the free area moves up and left just enough, its corner never leaving it.
TEST(OnScreen, AWindowOffTheFreeAreaMovesBackJustEnough) {
    const QRect screen(0, 0, 960, 540);
    const struct {
        const char* name;
        QRect frame, fitted;
    } cases[] = {{"taller than the screen", {242, 97, 450, 565}, {242, 0, 450, 565}},
                 {"off the right and the bottom", {900, 500, 100, 100}, {860, 440, 100, 100}},
                 {"wider, its corner kept in", {-5, -5, 1000, 30}, {0, 0, 1000, 30}}};
    for (const auto& c : cases)
        EXPECT_EQ(FitOnScreen(c.frame, screen), c.fitted) << c.name;
}

// The player's own choice of platform wins; otherwise X11 comes first wherever Xwayland is,
// except under GNOME with a screen scaled by a fraction, where Wayland draws the board crisp.
TEST(Platform, ThePlayersChoiceWinsAndOtherwiseTheCrispestPlatformComesFirst) {
    const struct {
        const char *name, *choice, *desktop;
        bool fraction;
        const char* chosen;
    } cases[] = {{"the player's Wayland", "wayland", "KDE", false, "wayland"},
                 {"the player's X11 at 125 %", "xcb", "GNOME", true, "xcb"},
                 {"the player's offscreen", "offscreen", "GNOME", true, "offscreen"},
                 {"Plasma at 125 %", nullptr, "KDE", true, "xcb;wayland"},
                 {"GNOME at 200 %", nullptr, "GNOME", false, "xcb;wayland"},
                 {"Ubuntu's GNOME at 150 %", nullptr, "ubuntu:GNOME", true, "wayland;xcb"}};
    for (const auto& c : cases)
        EXPECT_EQ(
            ChoosePlatform(c.choice, ":1", "wayland-1", c.desktop, [&] { return c.fraction; }),
            c.chosen)
            << c.name;
}

// Counted outside every test: a bell posted late must not write into a test that is gone.
std::atomic<int> xBells = 0, plays = 0;

// A bell that cannot be played gets the X bell in its place, and one line on stderr says why,
// once; event sounds switched off on the desktop stay off, with neither. The sound thread plays
// its bells in turn, so once the last has played, whatever an earlier one posted waits.
TEST(EventSound, WhatStandsInForABellThatCannotBePlayed) {
    const struct {
        const char* name;
        bool opens;
        int played, xBells, lines;
    } cases[] = {{"no sound system", false, 0, 3, 1},
                 {"a sound that fails to play", true, -1, 3, 1},
                 {"event sounds switched off", true, -16, 0, 0}};  // -16: CA_ERROR_DISABLED
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        xBells = plays = 0;
        testing::internal::CaptureStderr();
        EventSound sound(
            [&] {
                return c.opens ? EventSound::Player([&](auto) { return ++plays, c.played; })
                               : nullptr;
            },
            [] { ++xBells; });
        for (int bell = 1; bell <= 3; ++bell) {
            sound.Bell();  // the line, if any, comes before the X bell
            EXPECT_TRUE(QTest::qWaitFor([&] { return (c.xBells ? xBells : plays) == bell; }));
        }
        QCoreApplication::processEvents();
        EXPECT_EQ(xBells, c.xBells);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), c.lines) << said;
    }
}

// The main window cannot grow: a maximise asked of it, as Qt's own title bar on Wayland asks,
// is undone.
TEST_F(Window, AMaximiseOfTheWindowThatCannotGrowIsUndone) {
    form.show();
    form.setWindowState(Qt::WindowMaximized);
    EXPECT_FALSE(form.isMaximized());
}

// The second press of a double-click is no second pick.
TEST_F(Window, TheSecondPressOfADoubleClickIsNoSecondPick) {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QPoint at = Control(form, "sPicture9_3")->mapTo(&form, QPoint(12, 12));
    QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {}, at);
    EXPECT_EQ(s.playerMoves, 1);
}

// The score boxes cannot grow: each heading and count reads whole, every pixel of it that a box
// twice as tall shows, in the desktop's font and in a larger one.
TEST(MainWindow, EveryScoreBoxShowsItsWholeText) {
    const QFont desktopFont = QApplication::font();
    const auto putBack = qScopeGuard([&] { QApplication::setFont(desktopFont); });
    auto ink = [](QLabel* box) {  // text pixels inside the frame
        const QImage shown = box->grab().toImage();
        const int frame = static_cast<int>(shown.devicePixelRatio());
        int count = 0;
        for (int y = frame; y < shown.height() - frame; ++y)
            for (int x = frame; x < shown.width() - frame; ++x)
                count += shown.pixel(x, y) == box->palette().color(QPalette::Window).rgb() ? 0 : 1;
        return count;
    };
    for (const int points : {desktopFont.pointSize(), 14}) {
        QApplication::setFont(QFont(desktopFont.family(), points));
        StandardSources sources;
        WorkingDirFiles files;
        const MainWindow form(sources, files);
        for (QLabel* box :
             form.findChildren<QLabel*>(QRegularExpression("^Label(4|5|6|7|9|10)$"))) {
            if (box->text().isEmpty()) box->setText("450");
            const int shown = ink(box);
            box->resize(box->width(), 2 * box->height());
            EXPECT_EQ(shown, ink(box)) << points << " points, " << qPrintable(box->objectName());
        }
    }
}

// A text stands out from its background when the lighter colour's luminance is at least 4.5 times
// the darker's, as the accessibility guidelines measure it (less the sRGB curve's tiny linear end).
bool StandsOut(QColor text, QColor background) {
    auto luminance = [](QColor c) {
        auto linear = [](double v) { return std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) +
               0.0722 * linear(c.blueF()) + 0.05;
    };
    const auto [dark, light] = std::minmax({luminance(text), luminance(background)});
    return light >= 4.5 * dark;
}

// The About box cannot grow: every text in it reads whole, inside the box and above OK, in the
// desktop's font and in a larger one.
TEST(AboutBox, EveryTextStandsWhollyInsideTheBoxAboveOk) {
    const QFont desktopFont = QApplication::font();
    const auto putBack = qScopeGuard([&] { QApplication::setFont(desktopFont); });
    for (const int points : {desktopFont.pointSize(), 14}) {
        QApplication::setFont(QFont(desktopFont.family(), points));
        const AboutBox box(nullptr);
        for (const QLabel* label : box.findChildren<QLabel*>()) {
            const QRect text = label->fontMetrics().boundingRect(label->geometry(),
                                                                 Qt::TextWordWrap, label->text());
            EXPECT_TRUE(box.rect().contains(text) && text.bottom() < Control(box, "Command3")->y())
                << points << " points, " << label->objectName().toStdString();
        }
    }
}

// Under a dark desktop palette every text stands out from its background: the colours each label
// and button of the window and the alert draws its text and background with, and each pixel of
// the logo's letters (its top 24 pixels) against the window.
TEST(MainWindow, UnderADarkPaletteEveryTextStandsOutFromItsBackground) {
    const auto restore =
        qScopeGuard([saved = QApplication::palette()] { QApplication::setPalette(saved); });
    QApplication::setPalette(QPalette(QColor(0x353535), QColor(0x2A2A2A)));
    StandardSources sources;
    WorkingDirFiles files;
    MainWindow form(sources, files);
    for (const QWidget* text :
         form.findChildren<QWidget*>() + form.alert()->findChildren<QWidget*>()) {
        if (!qobject_cast<const QLabel*>(text) && !qobject_cast<const QAbstractButton*>(text))
            continue;
        text->ensurePolished();
        const QPalette& colours = text->palette();
        EXPECT_TRUE(
            StandsOut(colours.color(text->foregroundRole()), colours.color(text->backgroundRole())))
            << qPrintable(text->objectName());
    }
    const QColor window = form.palette().color(QPalette::Window);
    const QImage logo = Control(form, "Image1")->grab().toImage();
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < logo.width(); ++x)
            EXPECT_TRUE(logo.pixelColor(x, y) == window || StandsOut(logo.pixelColor(x, y), window))
                << x << "," << y;
}

// The end-of-game question on the real window, looked at from inside its own event loop and
// then answered with its Yes button.
struct Question : AWindow {
    const QString title = "No..! Yor score = -448, a title longer than its question";
    bool Ask(const std::function<void(QMessageBox&)>& whileOpen) {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            whileOpen(*box);
            box->button(QMessageBox::Yes)->click();
        });
        return form.view().AskYesNo("Do you want new games ?", title.toStdString());
    }
};

// Escape and the window manager's close leave the question open; only a button answers it.
TEST_F(Question, OnlyAButtonAnswersIt) {
    EXPECT_TRUE(Ask([](QMessageBox& box) {
        QTest::keyClick(&box, Qt::Key_Escape);
        QCloseEvent close;
        QSpontaneKeyEvent::setSpontaneous(&close);
        qApp->notify(&box, &close);  // as the window system delivers it
        EXPECT_TRUE(box.isVisible());
    }));
}

// A colour box pressed the way a screen reader presses it gets no move past the open question.
TEST_F(Question, NoPressOnAColourBoxGetsPastIt) {
    Ask([&](QMessageBox&) {
        QAccessible::queryAccessibleInterface(Control(form, "sPicture9_0"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
    });
    EXPECT_EQ(s.playerMoves, 0);
}

// The box is wide enough for its whole title, which the window manager would otherwise cut.
TEST_F(Question, ItsBoxShowsTheWholeTitle) {
    Ask([&](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), title);
        EXPECT_GT(box.width(), box.fontMetrics().horizontalAdvance(title) + 50);
    });
}

// The help window closes with Escape and with the desktop's Close keys, as document windows do;
// other keys stay the text's.
TEST_F(Window, TheHelpWindowClosesWithEscapeAndTheCloseKeysAlone) {
    const struct {
        const char* name;
        QKeySequence key;
        bool closes;
    } cases[] = {{"Escape", Qt::Key_Escape, true},
                 {"Close", QKeySequence::Close, true},
                 {"Ctrl+W", Qt::CTRL | Qt::Key_W, true},
                 {"Page Down", Qt::Key_PageDown, false}};
    for (const auto& c : cases) {
        Control<QAction>(form, "mnuCont")->trigger();  // Help ▸ Contents, once the menu returns
        QCoreApplication::processEvents();
        auto* help = form.findChild<HelpWindow*>();
        ASSERT_TRUE(help && QTest::qWaitForWindowActive(help)) << c.name;
        QTest::keySequence(Control(*help, "HelpText"), c.key);
        EXPECT_EQ(help->isVisible(), !c.closes) << c.name;
    }
}

// Closing the window ends the program at once, a question open and the alert up. The end asks
// the main loop to return, which makes every later nested loop return at once: the test runs
// that loop afterwards, which takes the request back for the tests after it.
TEST_F(Window, ClosingTheWindowEndsTheProgramWithAQuestionOpen) {
    const auto takeBackTheEnd = qScopeGuard([] {
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    });
    form.showMinimized();
    form.RefreshTick();
    ASSERT_TRUE(form.alert()->isVisible());
    QTimer::singleShot(0, [&] { form.close(); });
    EXPECT_FALSE(form.view().AskYesNo("Do you want new games ?", "No..! Yor score = -448"));
    EXPECT_TRUE(form.game.Ended());
    EXPECT_FALSE(form.isVisible() || form.alert()->isVisible());
    for (const QTimer* timer : form.findChildren<QTimer*>(Qt::FindDirectChildrenOnly))
        EXPECT_FALSE(timer->isActive()) << qPrintable(timer->objectName());
}

}  // namespace
}  // namespace dyeland::test
