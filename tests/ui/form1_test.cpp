// The main window as laid out (places, captions, colours, fonts, menus, timers), the keyboard's
// way to the hidden buttons, the Host operations behind them, the display platform, the beep,
// and the end of the program.
#include <gtest/gtest.h>

#include <qtestspontaneevent.h>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <cmath>
#include <map>

#include "EventSound.h"
#include "Form1.h"
#include "Form3.h"
#include "OnScreen.h"
#include "Platform.h"
#include "window_test_support.h"

namespace dyeland::test {
namespace {

QString CaptionOf(const QWidget* control) {
    if (auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
    return {};
}

// Pixels converted by hand from the layout's twips, so a wrong conversion in the code shows.
TEST(Form1Layout, EveryControlHasItsPlaceAndCaption) {
    const struct {
        const char* name;
        QRect place;
        const char* caption;
    } controls[] = {
        {"Image1", {8, 2, 93, 36}, ""},
        {"Label4", {192, 0, 73, 17}, "Player"},
        {"Label5", {264, 0, 73, 17}, "Computer"},
        {"Label9", {344, 0, 89, 17}, "High score"},
        {"Label6", {192, 16, 73, 17}, ""},
        {"Label7", {264, 16, 73, 17}, ""},
        {"Label10", {344, 16, 89, 17}, ""},
        {"Picture1", {8, 40, 433, 433}, ""},
        {"Frame2", {120, 472, 209, 41}, ""},
        {"cmdStart", {16, 480, 73, 25}, "Start"},
        {"Command2", {360, 480, 73, 25}, "Exit"},
        {"cmdStep", {472, 208, 41, 33}, "Step"},
        {"cmdOppoStart", {456, 336, 65, 33}, "OppoStart"},
        {"Label1", {464, 16, 49, 17}, "Label1"},
        {"Label2", {464, 40, 49, 17}, "Label2"},
        {"Label3", {464, 72, 49, 25}, "Label3"},
        {"Label8", {464, 104, 57, 41}, "Label8"},
    };
    Form1 form;
    form.show();
    LetPaintsHappen();
    QWidget* client = form.centralWidget();
    EXPECT_EQ(client->geometry(), QRect(0, form.menuBar()->height(), 448, 519));
    EXPECT_EQ(client->mapToGlobal(QPoint(0, 0)), QPoint(243, 117));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.windowTitle(), "Dyeland");
    EXPECT_TRUE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    for (const auto& c : controls) {
        const QWidget* control = Control(form, c.name);
        EXPECT_EQ(control->parentWidget(), client) << c.name;
        EXPECT_EQ(control->geometry(), c.place) << c.name;
        EXPECT_EQ(CaptionOf(control), c.caption) << c.name;
        // Right of the client area: working controls the user never sees.
        if (c.place.x() >= 448) {
            EXPECT_TRUE(control->visibleRegion().isEmpty()) << c.name;
        }
    }
}

TEST(Form1Layout, ScoreBoxesHaveTheirColoursFontsAndBorders) {
    Form1 form;
    for (const char* name : {"Label4", "Label5", "Label9", "Label6", "Label7", "Label10"}) {
        const auto* label = Control<QLabel>(form, name);
        const bool header = label->text() != "";
        const QFont font = label->font();
        const QPalette colours = label->palette();
        EXPECT_EQ(label->frameShape(), QFrame::Box) << name;
        EXPECT_TRUE(label->autoFillBackground()) << name;
        EXPECT_EQ(colours.color(QPalette::Window), QColor(header ? 0x00C000 : 0x80FF80)) << name;
        EXPECT_TRUE(label->alignment() & (header ? Qt::AlignHCenter : Qt::AlignLeft)) << name;
        if (header) {
            EXPECT_EQ(font.family(), "MS Sans Serif") << name;
            EXPECT_EQ(font.pointSizeF(), 8.25) << name;
            EXPECT_EQ(font.weight(), QFont::Bold) << name;
            EXPECT_EQ(font.styleHint(), QFont::SansSerif) << name;  // the fallback's guide
        } else {
            EXPECT_EQ(font, QApplication::font(label)) << name;
            EXPECT_EQ(colours.color(QPalette::WindowText), QColor(Qt::black)) << name;
        }
    }
}

TEST(Form1Layout, PickersShowTheirColoursAndTooltips) {
    const QRgb colours[] = {0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                            0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    Form1 form;
    form.show();
    const QWidget* frame = Control(form, "Frame2");
    for (int k = 0; k < 8; ++k) {
        auto* picker = frame->findChild<QWidget*>(QString("sPicture9_%1").arg(k));
        ASSERT_NE(picker, nullptr) << k;
        EXPECT_EQ(picker->geometry(), QRect(8 + 24 * k, 8, 25, 25)) << k;
        EXPECT_EQ(picker->toolTip(), "Click Me!") << k;
        EXPECT_EQ(picker->grab().toImage().pixel(12, 12) & 0xFFFFFF, colours[k]) << k;
    }
}

// Contrast as the accessibility guidelines measure it, from 1 to 21.
double Contrast(QRgb a, QRgb b) {
    auto luminance = [](QRgb c) {
        auto linear = [](int v) {
            const double s = v / 255.0;
            return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
    };
    const auto [darker, lighter] = std::minmax(luminance(a), luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

// Every text, and each letter of the logo, keeps 4.5 : 1 against what is behind it under the
// default palette and a dark one. In each box of the rendered window the commonest pixel is the
// background and the one farthest from it the text; borders are cut off first.
TEST(Form1Layout, TextsAndLogoStandOutUnderTheDefaultAndADarkPalette) {
    const QPalette original = QApplication::palette();
    QPalette dark(QColor(0x353535), QColor(0x2A2A2A));  // button, window: light texts follow
    dark.setColor(QPalette::ToolTipBase, QColor(0x202020));
    for (bool isDark : {false, true}) {
        QApplication::setPalette(isDark ? dark : original);
        Form1 form;
        for (Caption value : {Caption::Label6, Caption::Label7, Caption::Label10})
            form.SetCaption(value, "450");
        const QImage shot = form.grab().toImage(), alert = form.alert()->grab().toImage();
        std::vector<std::pair<const QImage*, QRect>> boxes = {
            {&alert, alert.rect().adjusted(3, 3, -3, -3)}, {&shot, form.menuBar()->geometry()}};
        for (const char* name : {"Label4", "Label5", "Label9", "Label6", "Label7", "Label10",
                                 "cmdStart", "Command2"}) {
            const QWidget* control = Control(form, name);
            const QRect box(control->mapTo(&form, QPoint(0, 0)), control->size());
            boxes.push_back({&shot, box.adjusted(3, 3, -3, -3)});
        }
        const QPoint logo = Control(form, "Image1")->mapTo(&form, QPoint(0, 0));
        for (int left : {0, 15, 30, 45, 51, 66, 81})
            boxes.push_back({&shot, QRect(logo.x() + left, logo.y(), left == 45 ? 3 : 12, 24)});
        for (const auto& [image, box] : boxes) {
            std::map<QRgb, int> counts;
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x)
                    ++counts[image->pixel(x, y)];
            const QRgb back =
                std::ranges::max_element(counts, {}, &std::pair<const QRgb, int>::second)->first;
            double best = 1;
            for (const auto& [colour, n] : counts)
                best = std::max(best, Contrast(back, colour));
            EXPECT_GE(best, 4.5) << box.x() << "," << box.y() << (isDark ? " dark" : "");
        }
    }
    QApplication::setPalette(original);
}

TEST(Form1Keyboard, TabReachesTheHiddenButtonsAndSpaceOrEnterPressesThem) {
    Form1 form;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QStringList order;
    QWidget* w = QApplication::focusWidget();
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && form.centralWidget()->isAncestorOf(w))
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != QApplication::focusWidget());
    EXPECT_EQ(order.join(' '),
              "Picture1 cmdOppoStart sPicture9_7 sPicture9_6 sPicture9_5 sPicture9_4 "
              "sPicture9_3 sPicture9_2 sPicture9_1 sPicture9_0 cmdStart cmdStep Command2");
    for (const char* name : {"cmdStep", "cmdOppoStart"}) {
        auto* button = Control<QPushButton>(form, name);
        QSignalSpy clicks(button, &QPushButton::clicked);
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, Qt::Key_Space);
        QTest::keyClick(button, Qt::Key_Return);
        EXPECT_EQ(clicks.count(), 2) << name;
    }
    form.FocusStepButton();
    EXPECT_TRUE(Control(form, "cmdStep")->hasFocus());
}

// The second press of a double-click is no second pick; two clicks apart are two.
TEST(Form1Mouse, ADoubleClickOnAPickerIsOnePick) {
    Form1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QPoint at = Control(form, "sPicture9_3")->mapTo(&form, QPoint(12, 12));
    QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {}, at);
    EXPECT_EQ(form.game.state.PlayerMoves, 1);
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, at);
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, at);
    EXPECT_EQ(form.game.state.PlayerMoves, 3);
}

// Escape and the window manager's close leave a question open; its box shows the whole title.
TEST(Form1Questions, OnlyYesOrNoAnswersAndTheWholeTitleShows) {
    Form1 form;
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QString title = "No..! Yor score = -448, a title longer than its question";
    for (auto answer : {QMessageBox::Yes, QMessageBox::No}) {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QTest::keyClick(box, Qt::Key_Escape);
            QCloseEvent close;
            QSpontaneKeyEvent::setSpontaneous(&close);
            qApp->notify(box, &close);  // as the window system delivers it
            EXPECT_TRUE(box->isVisible());
            EXPECT_GT(box->width(), QFontMetrics(font).horizontalAdvance(title) + 50);
            box->button(answer)->click();
        });
        EXPECT_EQ(form.AskYesNo("Do you want new games ?", title.toStdString()),
                  answer == QMessageBox::Yes);
    }
}

// A window that would run off the screen's free area moves up and left just enough, but never
// so far that its top-left corner leaves it.
TEST(Form1Layout, WindowsAreKeptOnScreen) {
    const QRect screen(0, 0, 960, 540);
    const struct {
        QRect frame, fitted;
    } cases[] = {
        {{242, 97, 450, 565}, {242, 0, 450, 565}},     // taller than the screen
        {{486, 234, 450, 300}, {486, 234, 450, 300}},  // inside: unchanged
        {{818, 65, 230, 40}, {730, 65, 230, 40}},      // off the right edge
        {{900, 500, 100, 100}, {860, 440, 100, 100}},  // off both
        {{-5, -5, 1000, 30}, {0, 0, 1000, 30}},        // wider: the corner stays in
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitOnScreen(c.frame, screen), c.fitted) << c.frame.x() << "," << c.frame.y();
}

TEST(Form1Menus, CaptionsSeparatorsAndMarksAsLaidOut) {
    // name=caption, "-name" a separator, a trailing '+' or '-' the first check mark.
    const QStringList menus[] = {
        {"Game", "mnuNGames=New Game", "-Razrel3", "mnuExit=Exit"},
        {"Options", "mnuClassic=Classic Game+", "mnuCenture=\"From The Centre\"  Game-", "-Razdel1",
         "mnuLine=Line+", "mnuArcade=Arcade-", "mnuScor=New score"},
        {"Help", "mnuCont=Contents", "mnuAbout=About Dyeland"},
    };
    Form1 form;
    QStringList seen, want;
    for (QAction* title : form.menuBar()->actions()) {
        seen << title->text();
        for (QAction* item : title->menu()->actions()) {
            EXPECT_TRUE(item->shortcut().isEmpty() && item->isEnabled())
                << qPrintable(item->objectName());
            QString line = item->isSeparator() ? "-" + item->objectName()
                                               : item->objectName() + "=" + item->text();
            if (item->isCheckable()) line += item->isChecked() ? "+" : "-";
            seen << line;
        }
    }
    for (const QStringList& menu : menus)
        want << menu;
    EXPECT_EQ(seen, want);
}

// A checkable QAction ticks itself; the game's handlers read the mark and set it, so one
// choice of an item must change its mark exactly once.
TEST(Form1Menus, ACheckMarkChangesOnlyThroughTheGame) {
    Form1 form;
    auto* line = Control<QAction>(form, "mnuLine");
    line->trigger();
    EXPECT_FALSE(line->isChecked() || form.game.state.ShowGrid);
    line->trigger();
    EXPECT_TRUE(line->isChecked() && form.game.state.ShowGrid);
    Control<QAction>(form, "mnuArcade")->trigger();
    EXPECT_TRUE(form.IsChecked(MenuItem::mnuArcade));
}

TEST(Form1Timers, IntervalsAndStates) {
    Form1 form;
    const auto* timer2 = Control<QTimer>(form, "Timer2");
    EXPECT_EQ(Control<QTimer>(form, "Timer1")->interval(), 1000);
    EXPECT_EQ(timer2->interval(), 3000);
    EXPECT_EQ(Control<QTimer>(form, "tmrRnd")->interval(), 10);
    EXPECT_TRUE(form.IsTimerEnabled(Timer::Timer1) && !Control<QTimer>(form, "tmrRnd")->isActive());
    EXPECT_FALSE(form.IsTimerEnabled(Timer::Timer2));

    // A stopped timer starts a full interval; enabling a running one gives no time back.
    form.SetTimerEnabled(Timer::Timer2, true);
    EXPECT_GT(timer2->remainingTime(), 2900);
    QThread::msleep(120);
    const int before = timer2->remainingTime();
    form.SetTimerEnabled(Timer::Timer2, true);
    EXPECT_LE(timer2->remainingTime(), before);
}

// xcb wherever an X server is named, as window places and the minimised state work only
// there; Wayland without one; the user's own choice always; no display at all, nothing.
TEST(Platform, XcbFirstUnlessTheUserChose) {
    const struct {
        const char *user, *display, *wayland, *chosen;
    } cases[] = {
        {nullptr, nullptr, nullptr, ""},           {nullptr, ":0", nullptr, "xcb;wayland"},
        {"", nullptr, "wayland-0", "wayland"},     {nullptr, ":0", "wayland-0", "xcb;wayland"},
        {"wayland", ":0", "wayland-0", "wayland"}, {"offscreen", nullptr, nullptr, "offscreen"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChoosePlatform(c.user, c.display, c.wayland), c.chosen) << &c - cases;
}

// A refusal is heard: the desktop's bell where it plays, the X bell where the sound system
// cannot be opened or fails to play, and nothing where event sounds are switched off.
TEST(Form1Sound, TheXBellStandsInWhenNoEventSoundPlays) {
    const struct {
        bool opens;
        int played, xBells;
    } cases[] = {{true, 0, 0}, {false, 0, 1}, {true, -1, 1}, {true, -16, 0}};
    for (const auto& c : cases) {
        std::atomic<int> asked = 0;
        int xBells = 0;
        EventSound sound(
            [&]() -> EventSound::Player {
                if (!c.opens) return ++asked, nullptr;
                return [&](const char* id) {
                    return ++asked, std::string(id) == "bell" ? c.played : 0;
                };
            },
            [&] { ++xBells; });
        sound.Bell();
        QTRY_COMPARE(asked.load(), 1);
        QTest::qWait(50);
        EXPECT_EQ(xBells, c.xBells) << &c - cases;
    }
}

// Closing the window ends the program at once, with a question open and the alert up.
TEST(ProgramEnd, ClosingTheWindowEndsEverythingAtOnce) {
    {
        Form1 form;
        form.show();
        form.showMinimized();
        form.Timer1_Timer();
        ASSERT_TRUE(form.alert()->isVisible());
        QTimer::singleShot(0, &form, [&] { form.close(); });
        EXPECT_FALSE(form.AskYesNo("Do you want new games ?", "Dyeland"));
        EXPECT_TRUE(form.ProgramEnded() && form.game.Ended());
        EXPECT_FALSE(form.isVisible() || form.alert()->isVisible());
        for (const char* name : {"Timer1", "Timer2", "tmrRnd"})
            EXPECT_FALSE(form.findChild<QTimer*>(name)->isActive()) << name;
        form.Timer1_Timer();
        EXPECT_FALSE(form.alert()->isVisible());
    }
    // The end asked the main loop to return; until one has run, every nested loop would
    // return at once in the tests that follow.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

}  // namespace
}  // namespace dyeland::test
