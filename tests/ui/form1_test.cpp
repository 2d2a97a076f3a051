// The main window's own behaviour: windows kept on screen, the display platform, the beep's
// fallback, then one window's life: a double-click on a picker, Help and About, texts under a
// dark palette, the Yes/No question and the end of the program.
#include <gtest/gtest.h>

#include <qtestspontaneevent.h>
#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <atomic>

#include "desktop/EventSound.h"
#include "desktop/OnScreen.h"
#include "desktop/Platform.h"
#include "window_test_support.h"
#include "windows/Form1.h"
#include "windows/Form3.h"
#include "windows/GameMessageBox.h"
#include "windows/HelpWindow.h"
#include "windows/frmAbout.h"

namespace dyeland::test {
namespace {

// A window off the free area moves up and left just enough, its corner never leaving it; xcb
// wherever an X server is named, Wayland without one, the user's own choice always. The X bell
// stands in where the sound system cannot be opened or fails to play, not where event sounds
// are switched off.
TEST(Form1, WindowsStayOnScreenXcbComesFirstAndTheXBellStandsIn) {
    // Taller than the screen; off the right and the bottom; wider, so the corner stays in.
    const QRect screen(0, 0, 960, 540), fits[][2] = {{{242, 97, 450, 565}, {242, 0, 450, 565}},
                                                     {{900, 500, 100, 100}, {860, 440, 100, 100}},
                                                     {{-5, -5, 1000, 30}, {0, 0, 1000, 30}}};
    for (const auto& c : fits)
        EXPECT_EQ(FitOnScreen(c[0], screen), c[1]) << c[0].x();
    const char* platforms[][4] = {{nullptr, ":0", "wayland-0", "xcb;wayland"},
                                  {"", nullptr, "wayland-0", "wayland"},
                                  {"offscreen", ":0", nullptr, "offscreen"}};
    for (const auto& c : platforms)
        EXPECT_EQ(ChoosePlatform(c[0], c[1], c[2]), c[3]) << c[3];
    const int cases[][3] = {{0, 0, 1}, {1, -1, 1}, {1, -16, 0}};  // opens, plays, X bells
    for (const auto& c : cases) {
        std::atomic<int> asked = 0, xBells = 0;
        EventSound sound(
            [&] {
                return ++asked, c[0] ? EventSound::Player([&](auto) { return c[1]; }) : nullptr;
            },
            [&] { ++xBells; });
        sound.Bell();
        QTRY_COMPARE(asked.load(), 1);
        QTest::qWait(50);  // for the play and the X bell it may post
        EXPECT_EQ(xBells, c[2]) << c[1];
    }
}

// Without sound the X bell stands in at every refusal, and one line on stderr says why, once.
TEST(Form1, ASoundThatFailsSaysWhyOnce) {
    std::atomic<int> xBells = 0;
    testing::internal::CaptureStderr();
    EventSound sound([] { return EventSound::Player([](auto) { return -1; }); }, [&] { ++xBells; });
    for (int bell = 1; bell <= 3; ++bell) {
        sound.Bell();
        QTRY_COMPARE(xBells.load(), bell);  // the line, if any, comes before the X bell
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

// A box has its final size when it shows. Resized while the window manager was still placing
// it, it sent the manager a place Qt had not learnt yet, and openbox put its title off the screen.
TEST(Form1, AMessageBoxKeepsTheSizeItShowsWith) {
    GameMessageBox box(QMessageBox::Critical, "Yes..! Yor score = 80", "Do you want new games ?",
                       QMessageBox::Yes | QMessageBox::No, nullptr);
    box.show();
    const int shown = box.width();
    QSignalSpy resized(box.windowHandle(), &QWindow::widthChanged);
    QEvent layout(QEvent::LayoutRequest);  // as after the window manager's first move
    QCoreApplication::sendEvent(&box, &layout);
    QCoreApplication::processEvents();
    for (const QList<QVariant>& width : resized)
        EXPECT_EQ(width[0].toInt(), shown);
}

// The second press of a double-click is no second pick. Help opens with its topics, it and the
// About box once, About not modal. Under a dark desktop palette the alert's text and the logo's
// letters (its top 24 pixels) stand out from their background, the alert's text whole and on
// the alert's colour. Escape and the window manager's close leave a question open, its box
// showing the whole title as plain text; closing the window then ends the program at once, the
// question open and the alert up. The end asks the main loop to return, which would make every
// later nested loop return at once: this test stays the file's last.
TEST(Form1, OneWindowFromADoubleClickToItsClose) {
    QApplication::setPalette(QPalette(QColor(0x353535), QColor(0x2A2A2A)));
    Form1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QPoint at = Control(form, "sPicture9_3")->mapTo(&form, QPoint(12, 12));
    QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {}, at);
    EXPECT_EQ(form.game.state.PlayerMoves, 1);

    for (int twice = 0; twice < 2; ++twice)
        form.ShowHelp(HelpWindow::ContentsPage), form.mnuAbout_Click();
    EXPECT_TRUE(form.help()->findChild<QTextBrowser*>()->toPlainText().contains("Good to know"));
    EXPECT_EQ(form.findChildren<HelpWindow*>().size() + form.findChildren<frmAbout*>().size(), 2);
    EXPECT_FALSE(form.about()->isModal());
    EXPECT_TRUE(Control<QLabel>(*form.about(), "Label4")->text().contains("MIT License"));

    // Contrast as the accessibility guidelines measure it (less the sRGB curve's tiny linear
    // end): at least 4.5 : 1 between the text, the pixel farthest from the background, and the
    // background, which the bottom right corner shows.
    auto linear = [](int v) { return std::pow((v / 255.0 + 0.055) / 1.055, 2.4); };
    auto luminance = [&](QRgb c) {
        return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
    };
    const QImage window = form.grab().toImage();
    std::vector<QImage> shots = {form.alert()->grab().toImage()};
    for (const char* name : {"Label4", "Label5", "Label9", "cmdStart", "Command2"})
        shots.push_back(Control(form, name)->grab().toImage());
    const QPoint logo = Control(form, "Image1")->mapTo(&form, QPoint());
    for (int left : {0, 15, 30, 45, 51, 66, 81})  // one letter each
        shots.push_back(window.copy(logo.x() + left - 3, logo.y() - 3, left == 45 ? 9 : 18, 27));
    for (const QImage& shot : shots) {
        double most = 1, back = luminance(shot.pixel(shot.width() - 3, shot.height() - 3)) + .05;
        for (int y = 3; y < shot.height() - 3; ++y)
            for (int x = 3; x < shot.width() - 3; ++x) {
                const double l = luminance(shot.pixel(x, y)) + .05;
                most = std::max({most, l / back, back / l});
            }
        EXPECT_GE(most, 4.5) << &shot - shots.data();
    }
    EXPECT_EQ(shots[0].pixel(80, 12), shots[0].pixel(3, 1)) << "the alert's text on its colour";
    Control(*form.alert(), "Label1")->clearMask();
    EXPECT_EQ(form.alert()->grab().toImage(), shots[0]) << "the alert's text cut by its repaint";
    QApplication::setPalette(QPalette());  // the dark palette no longer

    form.showMinimized();
    form.Timer1_Timer();
    ASSERT_TRUE(form.alert()->isVisible());
    const QString title = "No..! Yor score = -448, a title longer than its question";
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QTest::keyClick(box, Qt::Key_Escape);
        QCloseEvent close;
        QSpontaneKeyEvent::setSpontaneous(&close);
        qApp->notify(box, &close);  // as the window system delivers it
        EXPECT_TRUE(box->isVisible());
        EXPECT_EQ(box->textFormat(), Qt::PlainText);  // a path or a reason is never markup
        EXPECT_GT(box->width(), box->fontMetrics().horizontalAdvance(title) + 50);
        form.close();
    });
    EXPECT_FALSE(form.host().AskYesNo("Do you want new games ?", title.toStdString()));
    EXPECT_TRUE(form.game.Ended());
    EXPECT_FALSE(form.isVisible() || form.alert()->isVisible());
    for (const QTimer* timer : form.findChildren<QTimer*>(Qt::FindDirectChildrenOnly))
        EXPECT_FALSE(timer->isActive()) << qPrintable(timer->objectName());
}

}  // namespace
}  // namespace dyeland::test
