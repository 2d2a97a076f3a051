// The main window: its controls, menus and timers, built as the game has always had them, and
// the window events that reach the game.
#include "windows/Form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>

#include "board/BoardAccessible.h"
#include "board/BoardPicture.h"
#include "board/Controls.h"
#include "board/Twips.h"
#include "desktop/OnScreen.h"
#include "desktop/Platform.h"
#include "windows/Artwork.h"
#include "windows/Form3.h"
#include "windows/HelpWindow.h"
#include "windows/MenuStyle.h"
#include "windows/frmAbout.h"

namespace dyeland {
namespace {

constexpr Qt::WindowFlags MainWindowFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

// The header labels' own font. Where "MS Sans Serif" is missing the style hint picks the
// desktop's sans-serif instead of whatever font happens to come first.
QFont HeaderFont() {
    QFont font("MS Sans Serif");
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setWeight(QFont::Bold);
    return font;
}

template <typename Label = QLabel>
Label* AddLabel(QWidget* parent, const char* name, const QString& caption, const QRect& place) {
    auto* label = new Label(caption, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

// A score box: a single-line border around black text on a solid background, whatever the
// desktop's colours: a dark theme's light text would hardly show on the greens.
template <typename Label = QLabel>
Label* AddScoreBox(QWidget* parent, const char* name, const QString& caption, const QRect& place,
                   QRgb background) {
    Label* label = AddLabel<Label>(parent, name, caption, place);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(background));
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    return label;
}

CommandButton* AddButton(QWidget* parent, const char* name, const QString& caption,
                         const QRect& place) {
    auto* button = new CommandButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

// What a screen reader says of a control: a name (the caption, where a control has one that
// says it) and a line on what it is for.
void Describe(QWidget* control, const QString& name, const QString& description) {
    if (!name.isEmpty()) control->setAccessibleName(name);
    control->setAccessibleDescription(description);
}

constexpr const char* StepDescription = "Not shown on screen: plays your last colour again";

}  // namespace

Form1::Form1(Sources sources) : Form1(std::make_unique<WindowHost>(std::move(sources)), nullptr) {}

Form1::Form1(WindowHost& host) : Form1(nullptr, &host) {}

Form1::Form1(std::unique_ptr<WindowHost> own, WindowHost* given)
    : QMainWindow(nullptr, MainWindowFlags),
      ownHost_(std::move(own)),
      host_(given ? *given : *ownHost_),
      game(host_) {
    setObjectName("Form1");
    setWindowTitle(QString::fromUtf8(AppTitle.data(), static_cast<qsizetype>(AppTitle.size())));
    setWindowIcon(WindowIcon());
    setPalette(ClassicPalette());

    auto* client = new QWidget(this);
    client->setObjectName("ClientArea");
    client->setFixedSize(ClientSize);
    setCentralWidget(client);
    BuildControls(client);
    BuildMenus();

    Timer1_ = AddTimer("Timer1", 1000, true, &Form1::Timer1_Timer);
    Timer2_ = AddTimer("Timer2", 3000, false, &Form1::Timer2_Timer);
    // The player's three seconds: a coarse timer could move them by up to 150 ms.
    Timer2_->setTimerType(Qt::PreciseTimer);
    // The warm-up timer is never started: the first deal throws away the draws its ticks would
    // have made, and the start screen sleeps instead of waking a hundred times a second.
    auto* tmrRnd = new QTimer(this);
    tmrRnd->setObjectName("tmrRnd");
    tmrRnd->setInterval(static_cast<int>(WarmUpTickMs));

    // The layout's client area starts below the menu bar, so the window grows by the bar.
    // setGeometry places the window's inside, not its frame.
    const int menuHeight = menuBar()->sizeHint().height();
    const QSize windowSize(ClientSize.width(), ClientSize.height() + menuHeight);
    setFixedSize(windowSize);
    setGeometry(QRect(ClientPosition - QPoint(0, menuHeight), windowSize));
    KeepOnScreen(this);

    // The board box holds the lowest tab index, so it has the focus when the window opens.
    Picture1_->setFocus(Qt::OtherFocusReason);
    host_.Attach({this,
                  cmdStart_,
                  cmdStep_,
                  captionLabels_,
                  {mnuClassic_, mnuCenture_, mnuLine_, mnuArcade_},
                  {Timer1_, Timer2_},
                  Picture1_},
                 game);
    game.SetUp();
}

Form1::~Form1() = default;

void Form1::BuildControls(QWidget* client) {
    auto* Image1 = new LogoImage(client);
    Image1->setObjectName("Image1");
    Image1->move(Px(120), Px(30));

    // Headers in their own font on green.
    auto header = [client](const char* name, const char* caption, const QRect& place,
                           const char* description) {
        QLabel* label = AddScoreBox(client, name, caption, place, 0x00C000);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setFont(HeaderFont());
        Describe(label, "", description);
    };
    header("Label4", "Player", TwipsRect(2880, 0, 1095, 255), "Heading of your cell count");
    header("Label5", "Computer", TwipsRect(3960, 0, 1095, 255),
           "Heading of the computer's cell count");
    header("Label9", "High score", TwipsRect(5160, 0, 1335, 255), "Heading of the high score");
    // The values under them, on light green.
    auto value = [client](const char* name, const QRect& place, const char* accessibleName,
                          const char* description) {
        auto* label = AddScoreBox<ValueLabel>(client, name, "", place, 0x80FF80);
        Describe(label, accessibleName, description);
        return label;
    };
    ValueLabel* Label6 = value("Label6", TwipsRect(2880, 240, 1095, 255), "Player cells",
                               "Cells of the board in your region");
    ValueLabel* Label7 = value("Label7", TwipsRect(3960, 240, 1095, 255), "Computer cells",
                               "Cells of the board in the computer's region");
    ValueLabel* Label10 = value("Label10", TwipsRect(5160, 240, 1335, 255), "High score",
                                "Best score stored for the game being played");

    InstallBoardAccessible();
    Picture1_ = new BoardPicture(game.state, client);
    Picture1_->setObjectName("Picture1");
    AddCellCursor(*Picture1_);
    Picture1_->move(Px(120), Px(600));
    Describe(Picture1_, "Board",
             "A table of 30 rows by 30 columns; the arrow keys, Home, End, Page Up and Page Down "
             "move over the cells, and each says its colour, whose it is and its place. Your "
             "region starts at row 30, column 1, the computer's at row 1, column 30 or in the "
             "centre. Choose one of the eight colours below the board: your region takes it, "
             "with every cell of it that touches the region. The first past 450 cells wins");

    auto* Frame2 = new QFrame(client);
    Frame2->setObjectName("Frame2");
    Frame2->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Frame2->setGeometry(TwipsRect(1800, 7080, 3135, 615));
    Describe(Frame2, "Colours", "The eight colours you can choose for your region");
    std::array<PickerBox*, 8> pickers{};
    for (int k = 0; k < 8; ++k) {
        auto* picker = new PickerBox(PaletteRgb(FirstColour + k) | 0xFF000000, Frame2);
        picker->setObjectName(QString("sPicture9_%1").arg(k));
        picker->setGeometry(TwipsRect(120 + 360 * k, 120, 375, 375));
        picker->setToolTip("Click Me!");
        const QString colour = ColourName(FirstColour + k);
        picker->setAccessibleName(colour);
        SpeakPickerState(*picker, k, game.state);
        connect(picker, &PickerBox::clicked, this, [this, k] { game.PickColour(k); });
        pickers[k] = picker;
    }

    cmdStart_ = AddButton(client, "cmdStart", "Start", TwipsRect(240, 7200, 1095, 375));
    connect(cmdStart_, &QPushButton::clicked, this, [this] { game.NewGame(); });
    Describe(cmdStart_, "", "Starts a new game");
    auto* Command2 = AddButton(client, "Command2", "Exit", TwipsRect(5400, 7200, 1095, 375));
    connect(Command2, &QPushButton::clicked, this, [this] { game.Exit(); });
    Describe(Command2, "", "Ends the program");

    // Right of the client area's edge: never seen, yet working controls the game drives, and
    // the two buttons stay in the tab order. The keyboard can reach the buttons, so a screen
    // reader tells what they do; the labels it reports as off screen.
    cmdStep_ = AddButton(client, "cmdStep", "Step", TwipsRect(7080, 3120, 615, 495));
    connect(cmdStep_, &QPushButton::clicked, this, [this] { game.PlayPlayersMove(); });
    cmdStep_->SetHintOnce(StepDescription);
    auto* cmdOppoStart =
        AddButton(client, "cmdOppoStart", "OppoStart", TwipsRect(6840, 5040, 975, 495));
    connect(cmdOppoStart, &QPushButton::clicked, this, [this] { game.PlayOpeningMove(); });
    cmdOppoStart->SetHintOnce("Not shown on screen: makes the computer's opening move");
    auto hidden = [client](const char* name, const QRect& place, const char* accessibleName,
                           const char* description) {
        auto* label = AddLabel<ValueLabel>(client, name, name, place);
        Describe(label, accessibleName, description);
        return label;
    };
    ValueLabel* Label1 =
        hidden("Label1", TwipsRect(6960, 240, 735, 255), "Leader history 4",
               "Not shown on screen: the fourth entry of the computer's leading colours");
    ValueLabel* Label2 =
        hidden("Label2", TwipsRect(6960, 600, 735, 255), "Leader history 5",
               "Not shown on screen: the fifth entry of the computer's leading colours");
    ValueLabel* Label3 = hidden("Label3", TwipsRect(6960, 1080, 735, 375), "Computer's colour",
                                "Not shown on screen: the colour of the computer's last move");
    ValueLabel* Label8 = hidden("Label8", TwipsRect(6960, 1560, 855, 615), "Player moves",
                                "Not shown on screen: your moves since the program started");
    captionLabels_ = {Label1, Label2, Label3, Label6, Label7, Label8, Label10};

    // Tab order by tab index; the labels and the frame hold indices too but take no focus.
    QWidget* order[] = {Picture1_,  cmdOppoStart, pickers[7], pickers[6], pickers[5],
                        pickers[4], pickers[3],   pickers[2], pickers[1], pickers[0],
                        cmdStart_,  cmdStep_,     Command2};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QAction* Form1::AddItem(QMenu* menu, const char* name, const QString& caption,
                        void (Game::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (handler) connect(action, &QAction::triggered, this, [this, handler] { (game.*handler)(); });
    return action;
}

// A checkable action ticks itself before its handler runs. The mark belongs to the game,
// which sets it through SetChecked, so the action's own toggle is undone first.
QAction* Form1::AddCheckItem(QMenu* menu, const char* name, const QString& caption, bool checked,
                             void (Game::*handler)()) {
    QAction* action = AddItem(menu, name, caption, nullptr);
    action->setCheckable(true);
    action->setChecked(checked);
    connect(action, &QAction::triggered, this, [this, action, handler](bool nowChecked) {
        action->setChecked(!nowChecked);
        (game.*handler)();
    });
    return action;
}

void Form1::BuildMenus() {
    QMenu* mnuGame = menuBar()->addMenu("Game");
    mnuGame->setObjectName("mnuGame");
    AddItem(mnuGame, "mnuNGames", "New Game", &Game::NewGame);
    mnuGame->addSeparator()->setObjectName("Razrel3");
    AddItem(mnuGame, "mnuExit", "Exit", &Game::Exit);

    QMenu* mnuSetup = menuBar()->addMenu("Options");
    mnuSetup->setObjectName("mnuSetup");
    auto* checkMarkOnly = new CheckMarkOnlyStyle;
    checkMarkOnly->setParent(mnuSetup);
    mnuSetup->setStyle(checkMarkOnly);
    mnuClassic_ = AddCheckItem(mnuSetup, "mnuClassic", "Classic Game", true, &Game::ChooseClassic);
    mnuCenture_ = AddCheckItem(mnuSetup, "mnuCenture", "\"From The Centre\"  Game", false,
                               &Game::ChooseFromTheCentre);
    mnuSetup->addSeparator()->setObjectName("Razdel1");
    mnuLine_ = AddCheckItem(mnuSetup, "mnuLine", "Line", true, &Game::ToggleGridLines);
    mnuArcade_ = AddCheckItem(mnuSetup, "mnuArcade", "Arcade", false, &Game::ToggleArcade);
    AddItem(mnuSetup, "mnuScor", "New score", &Game::ClearHighScores);

    QMenu* mnuHelp = menuBar()->addMenu("Help");
    mnuHelp->setObjectName("mnuHelp");
    QAction* mnuCont = AddItem(mnuHelp, "mnuCont", "Contents", nullptr);
    connect(mnuCont, &QAction::triggered, this, &Form1::mnuCont_Click);
    QAction* mnuAbout = AddItem(mnuHelp, "mnuAbout", "About Dyeland", nullptr);
    connect(mnuAbout, &QAction::triggered, this, &Form1::mnuAbout_Click);
}

QTimer* Form1::AddTimer(const char* name, int intervalMs, bool enabled, void (Form1::*tick)()) {
    auto* timer = new QTimer(this);
    timer->setObjectName(name);
    timer->setInterval(intervalMs);
    connect(timer, &QTimer::timeout, this, tick);
    if (enabled) timer->start();
    return timer;
}

Form3* Form1::alert() {
    if (!alert_) alert_ = std::make_unique<Form3>(*this);
    return alert_.get();
}

void Form1::Timer1_Timer() {
    if (game.Ended()) return;
    game.ShowCounts();
    if (!game.Ended() && isMinimized()) alert()->ShowAlert();
}

void Form1::Timer2_Timer() {
    if (!game.Ended()) game.TurnClockRanOut();
}

// Posted, not sent: the menu returns before the key is handled, as a typed F1 would arrive.
void Form1::mnuCont_Click() {
    QWidget* window = QApplication::activeWindow();
    if (!window) window = this;
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QCoreApplication::postEvent(target,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier));
    QCoreApplication::postEvent(target,
                                new QKeyEvent(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier));
}

void Form1::mnuAbout_Click() {
    if (!about_) about_ = new frmAbout(this);
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void Form1::ShowHelp(const QString& page) {
    if (game.Ended()) return;
    if (!help_) help_ = new HelpWindow(this);
    const QString error = help_->Open(page);
    if (!error.isEmpty()) {
        host_.ShowWarning(QString("The help for Dyeland could not be opened.\n\n%1 (%2)")
                              .arg(error, page)
                              .toStdString(),
                          AppTitle);
        return;
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
}

// Closing the window ends the program, the way the Exit command does.
void Form1::closeEvent(QCloseEvent* event) {
    if (!game.Ended()) game.Exit();
    event->accept();
}

void Form1::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        ShowHelp(HelpWindow::ContentsPage);
        event->accept();
        return;
    }
    // F10 opens the first menu, as it always has; the items still have no keys of their own.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::NoModifier) {
        menuBar()->setActiveAction(menuBar()->actions().value(0));
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

// A window back from the taskbar is repainted by the system, which wipes what was drawn on
// the board with AutoRedraw off.
void Form1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if ((change->oldState() & Qt::WindowMinimized) && !isMinimized())
            Picture1_->RepaintFromRetained();
    }
    // Where the window system never says the window is minimised, the alert window cannot
    // know when to come up: a game left for another program asks the desktop for attention.
    if (event->type() == QEvent::ActivationChange && !QApplication::activeWindow() &&
        !game.Ended() && game.state.PlayerCount > 0 && PlatformHidesMinimised() && windowHandle())
        AskForAttention(*windowHandle());
    QMainWindow::changeEvent(event);
}

}  // namespace dyeland
