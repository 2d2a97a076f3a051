// The main window's own behaviour: the player's platform, windows kept on screen, the beep's
// fallback, a double-click on a picker, texts under a dark palette, the Yes/No question and the end
// of the program.
#include <gtest/gtest.h>

#include <qtestspontaneevent.h>
#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QProcessEnvironment>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "desktop/EventSound.h"
#include "desktop/OnScreen.h"
#include "desktop/Platform.h"
#include "window_test_support.h"
#include "windows/MainWindow.h"
#include "windows/MinimisedAlert.h"

namespace dyeland::test {
namespace {

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

// The player's own choice of platform, in QT_QPA_PLATFORM or as a -platform argument, wins over
// every display the environment names.
TEST(Platform, ThePlayersOwnChoiceWinsOverEveryDisplayFound) {
    const char* names[] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"};
    const OnExit restore{[names, saved = QProcessEnvironment::systemEnvironment()] {
        for (const char* name : names)
            saved.contains(name) ? qputenv(name, saved.value(name).toLocal8Bit()) : qunsetenv(name);
    }};
    qputenv("DISPLAY", ":1"), qputenv("WAYLAND_DISPLAY", "wayland-1");
    const struct {
        const char *name, *variable;
        std::vector<std::string> arguments;
        const char* chosen;
    } cases[] = {{"in QT_QPA_PLATFORM", "wayland", {}, "wayland"},
                 {"as -platform", "", {"-platform", "offscreen"}, "offscreen"},
                 {"as --platform, over the variable", "wayland", {"--platform", "vnc"}, "vnc"}};
    for (auto c : cases) {
        SCOPED_TRACE(c.name);
        qputenv("QT_QPA_PLATFORM", c.variable);
        c.arguments.insert(c.arguments.begin(), "dyeland");
        std::vector<char*> argv;
        for (std::string& argument : c.arguments)
            argv.push_back(argument.data());
        ASSERT_TRUE(PrepareDisplayPlatform(static_cast<int>(argv.size()), argv.data()));
        EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), c.chosen);
    }
}

// Counted outside every test: a bell posted late must not write into a test that is gone.
std::atomic<int> xBells = 0, plays = 0;

// Where the sound system cannot be opened or fails to play, the X bell stands in at every
// bell, and one line on stderr says why, once.
TEST(EventSound, WithoutSoundTheXBellStandsInAndOneLineSaysWhy) {
    for (const bool opens : {false, true}) {
        SCOPED_TRACE(opens ? "a sound that fails to play" : "no sound system");
        xBells = 0;
        testing::internal::CaptureStderr();
        EventSound sound(
            [&] { return opens ? EventSound::Player([](auto) { return -1; }) : nullptr; },
            [] { ++xBells; });
        for (int bell = 1; bell <= 3; ++bell) {
            sound.Bell();  // the line, if any, comes before the X bell
            EXPECT_TRUE(QTest::qWaitFor([&] { return xBells == bell; })) << bell;
        }
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    }
}

// Event sounds switched off on the desktop stay off: no X bell in their place. The sound
// thread plays its bells in turn, so once the second plays, whatever the first posted waits.
TEST(EventSound, SoundsSwitchedOffOnTheDesktopGetNoXBell) {
    xBells = plays = 0;
    EventSound sound([] { return EventSound::Player([](auto) { return ++plays, -16; }); },
                     [] { ++xBells; });  // -16: CA_ERROR_DISABLED
    for (int bell = 1; bell <= 2; ++bell) {
        sound.Bell();
        ASSERT_TRUE(QTest::qWaitFor([&] { return plays == bell; }));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(xBells, 0);
}

// The second press of a double-click is no second pick.
TEST(MainWindow, TheSecondPressOfADoubleClickIsNoSecondPick) {
    WindowDoors doors;
    MainWindow form{doors.sources, doors.files};
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QPoint at = Control(form, "sPicture9_3")->mapTo(&form, QPoint(12, 12));
    QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {}, at);
    EXPECT_EQ(form.game.state.PlayerMoves, 1);
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

// Under a dark desktop palette every text stands out from its background: the colours each label
// and button of the window and the alert draws its text and background with, and each pixel of
// the logo's letters (its top 24 pixels) against the window.
TEST(MainWindow, UnderADarkPaletteEveryTextStandsOutFromItsBackground) {
    const OnExit restore{[saved = QApplication::palette()] { QApplication::setPalette(saved); }};
    QApplication::setPalette(QPalette(QColor(0x353535), QColor(0x2A2A2A)));
    WindowDoors doors;
    MainWindow form{doors.sources, doors.files};
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
struct Question : ::testing::Test, WindowDoors {
    MainWindow form{sources, files};
    const QString title = "No..! Yor score = -448, a title longer than its question";
    bool Ask(const std::function<void(QMessageBox&)>& whileOpen) {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            whileOpen(*box);
            box->button(QMessageBox::Yes)->click();
        });
        return form.host().AskYesNo("Do you want new games ?", title.toStdString());
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

// The box is wide enough for its whole title, which the window manager would otherwise cut.
TEST_F(Question, ItsBoxShowsTheWholeTitle) {
    Ask([&](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), title);
        EXPECT_GT(box.width(), box.fontMetrics().horizontalAdvance(title) + 50);
    });
}

// Closing the window ends the program at once, a question open and the alert up. The end asks
// the main loop to return, which makes every later nested loop return at once: the test runs
// that loop afterwards, which takes the request back for the tests after it.
TEST(MainWindowEnd, ClosingTheWindowEndsTheProgramWithAQuestionOpen) {
    const OnExit takeBackTheEnd{[] {
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }};
    WindowDoors doors;
    MainWindow form{doors.sources, doors.files};
    form.showMinimized();
    form.RefreshTick();
    ASSERT_TRUE(form.alert()->isVisible());
    QTimer::singleShot(0, [&] { form.close(); });
    EXPECT_FALSE(form.host().AskYesNo("Do you want new games ?", "No..! Yor score = -448"));
    EXPECT_TRUE(form.game.Ended());
    EXPECT_FALSE(form.isVisible() || form.alert()->isVisible());
    for (const QTimer* timer : form.findChildren<QTimer*>(Qt::FindDirectChildrenOnly))
        EXPECT_FALSE(timer->isActive()) << qPrintable(timer->objectName());
}

}  // namespace
}  // namespace dyeland::test
