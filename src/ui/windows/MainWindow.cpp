// The main window: its controls, menus and timers in their fixed places, and the window events
// that reach the game.
#include "windows/MainWindow.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>
#include <array>

#include "board/BoardAccessible.h"
#include "board/BoardPicture.h"
#include "board/Controls.h"
#include "desktop/Attention.h"
#include "desktop/OnScreen.h"
#include "desktop/Platform.h"
#include "windows/AboutBox.h"
#include "windows/Artwork.h"
#include "windows/CommandButton.h"
#include "windows/FittedFont.h"
#include "windows/HelpWindow.h"
#include "windows/MenuAccessible.h"
#include "windows/MenuStyle.h"
#include "windows/MinimisedAlert.h"
#include "windows/Twips.h"

namespace dyeland {
namespace {

// The program's menus and tooltips are windows of their own: when one closes, the board hears
// where it lay, so that the expose of that place does not count as an uncovering.
class PopupWatch : public QObject {
public:
    explicit PopupWatch(BoardPicture* board) : QObject(board), board_(board) {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Hide || !watched->isWidgetType()) return false;
        const auto* gone = static_cast<QWidget*>(watched);
        if (gone->windowType() == Qt::Popup || gone->windowType() == Qt::ToolTip)
            board_->PopupClosed(gone->geometry());
        return false;
    }

private:
    BoardPicture* board_;
};

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

// A score box cannot grow: a desktop font whose letters would run past its bottom edge, as tall
// fonts such as Noto Sans do, is made smaller for it. The text stands below the indent QLabel
// gives a framed label, as much as half an "x".
void FitScoreBoxFont(QLabel& box, const QString& text) {
    ShrinkFontUntil(box, [&box, &text] {
        const QFontMetrics metrics = box.fontMetrics();
        const int indent = box.indent() >= 0 ? box.indent() : metrics.horizontalAdvance('x') / 2;
        const int inkBottom = indent + metrics.ascent() + metrics.tightBoundingRect(text).bottom();
        return inkBottom < box.contentsRect().height();
    });
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

MainWindow::MainWindow(Sources& sources, ScoreFile& scoreFile, WindowView* view)
    : QMainWindow(nullptr, MainWindowFlags),
      ownView_(view ? nullptr : std::make_unique<WindowView>()),
      view_(view ? *view : *ownView_),
      game({view_, sources, scoreFile}) {
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

    parts_.refresh = AddTimer("Timer1", 1000, true, &MainWindow::RefreshTick);
    parts_.turnClock = AddTimer("Timer2", 3000, false, &MainWindow::TurnClockTick);
    // The player's three seconds: a coarse timer could move them by up to 150 ms.
    parts_.turnClock->setTimerType(Qt::PreciseTimer);

    // The layout's client area starts below the menu bar, so the window grows by the bar.
    // setGeometry places the window's inside, not its frame.
    const int menuHeight = menuBar()->sizeHint().height();
    const QSize windowSize(ClientSize.width(), ClientSize.height() + menuHeight);
    setFixedSize(windowSize);
    setGeometry(QRect(ClientPosition - QPoint(0, menuHeight), windowSize));
    KeepOnScreen(this);

    // The board box holds the lowest tab index, so it has the focus when the window opens.
    board_->setFocus(Qt::OtherFocusReason);
    parts_.window = this;
    parts_.board = board_;
    view_.Attach(parts_, game);
    view_.ShowOptions();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildControls(QWidget* client) {
    auto* logo = new LogoImage(client);
    logo->setObjectName("Image1");
    logo->move(Px(120), Px(30));

    // Headers in their own font on green.
    auto header = [client](const char* name, const char* caption, const QRect& place,
                           const char* description) {
        QLabel* label = AddScoreBox(client, name, caption, place, 0x00C000);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setFont(HeaderFont());
        FitScoreBoxFont(*label, caption);
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
        FitScoreBoxFont(*label, "450");
        Describe(label, accessibleName, description);
        return label;
    };
    playerCount_ = value("Label6", TwipsRect(2880, 240, 1095, 255), "Player cells",
                         "Cells of the board in your region");
    computerCount_ = value("Label7", TwipsRect(3960, 240, 1095, 255), "Computer cells",
                           "Cells of the board in the computer's region");
    ValueLabel* highScore = value("Label10", TwipsRect(5160, 240, 1335, 255), "High score",
                                  "Best score stored for the game being played");

    InstallBoardAccessible();
    board_ = new BoardPicture(client);
    board_->setObjectName("Picture1");
    AddBoardReader(*board_, game);
    new PopupWatch(board_);
    board_->move(Px(120), Px(600));
    Describe(board_, "Board",
             "A table of 30 rows by 30 columns; the arrow keys, Home, End, Page Up and Page Down "
             "move over the cells, and each says its colour, whose it is and its place. Your "
             "region starts at row 30, column 1, the computer's at row 1, column 30 or in the "
             "centre. Choose one of the eight colours below the board: your region takes it, "
             "with every cell of it that touches the region. The first past 450 cells wins");

    auto* colourFrame = new QFrame(client);
    colourFrame->setObjectName("Frame2");
    colourFrame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    colourFrame->setGeometry(TwipsRect(1800, 7080, 3135, 615));
    Describe(colourFrame, "Colours", "The eight colours you can choose for your region");
    std::array<ColourBox*, 8> colourBoxes{};
    for (int k = 0; k < 8; ++k) {
        auto* box = new ColourBox(PaletteRgb(FirstColour + k) | 0xFF000000, colourFrame);
        box->setObjectName(QString("sPicture9_%1").arg(k));
        box->setGeometry(TwipsRect(120 + 360 * k, 120, 375, 375));
        box->setToolTip("Click Me!");
        const QString colour = ColourName(FirstColour + k);
        box->setAccessibleName(colour);
        SpeakColourBoxState(*box, k, game);
        connect(box, &ColourBox::clicked, this, [this, k] { game.PickColour(k); });
        colourBoxes[k] = box;
    }

    auto* startButton = AddButton(client, "cmdStart", "Start", TwipsRect(240, 7200, 1095, 375));
    connect(startButton, &QPushButton::clicked, this, [this] { game.NewGame(); });
    Describe(startButton, "", "Starts a new game");
    parts_.startButton = startButton;
    auto* exitButton = AddButton(client, "Command2", "Exit", TwipsRect(5400, 7200, 1095, 375));
    connect(exitButton, &QPushButton::clicked, this, [this] { game.Exit(); });
    Describe(exitButton, "", "Ends the program");

    // Right of the client area's edge: never seen, yet working controls the game drives, and
    // the two buttons stay in the tab order. The keyboard can reach the buttons, so a screen
    // reader tells what they do; the labels it reports as off screen.
    auto* stepButton = AddButton(client, "cmdStep", "Step", TwipsRect(7080, 3120, 615, 495));
    connect(stepButton, &QPushButton::clicked, this, [this] { game.PlayPlayersMove(); });
    stepButton->SetHintOnce(StepDescription);
    parts_.stepButton = stepButton;
    auto* openingButton =
        AddButton(client, "cmdOppoStart", "OppoStart", TwipsRect(6840, 5040, 975, 495));
    connect(openingButton, &QPushButton::clicked, this, [this] { game.PlayOpeningMove(); });
    openingButton->SetHintOnce("Not shown on screen: makes the computer's opening move");
    auto hidden = [client](const char* name, const QRect& place, const char* accessibleName,
                           const char* description) {
        auto* label = AddLabel<ValueLabel>(client, name, name, place);
        Describe(label, accessibleName, description);
        return label;
    };
    parts_.earlierLeader =
        hidden("Label1", TwipsRect(6960, 240, 735, 255), "Leader history 4",
               "Not shown on screen: the fourth entry of the computer's leading colours");
    parts_.earliestLeader =
        hidden("Label2", TwipsRect(6960, 600, 735, 255), "Leader history 5",
               "Not shown on screen: the fifth entry of the computer's leading colours");
    parts_.computersColour = hidden("Label3", TwipsRect(6960, 1080, 735, 375), "Computer's colour",
                                    "Not shown on screen: the colour of the computer's last move");
    parts_.playerMoves = hidden("Label8", TwipsRect(6960, 1560, 855, 615), "Player moves",
                                "Not shown on screen: your moves since the program started");
    parts_.highScore = highScore;

    // Tab order by tab index; the labels and the frame hold indices too but take no focus.
    QWidget* order[] = {board_,         openingButton,  colourBoxes[7], colourBoxes[6],
                        colourBoxes[5], colourBoxes[4], colourBoxes[3], colourBoxes[2],
                        colourBoxes[1], colourBoxes[0], startButton,    stepButton,
                        exitButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QAction* MainWindow::AddItem(QMenu* menu, const char* name, const QString& caption,
                             void (Game::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (handler) connect(action, &QAction::triggered, this, [this, handler] { (game.*handler)(); });
    return action;
}

// The action ticks itself before the game hears of the command; the game's option then shows in
// the mark, which the view sets from the game's state.
QAction* MainWindow::AddCheckItem(QMenu* menu, const char* name, const QString& caption,
                                  void (Game::*handler)()) {
    QAction* action = AddItem(menu, name, caption, handler);
    action->setCheckable(true);
    return action;
}

void MainWindow::BuildMenus() {
    InstallMenuAccessible();
    QMenu* gameMenu = menuBar()->addMenu("Game");
    gameMenu->setObjectName("mnuGame");
    AddItem(gameMenu, "mnuNGames", "New Game", &Game::NewGame);
    gameMenu->addSeparator()->setObjectName("Razrel3");
    AddItem(gameMenu, "mnuExit", "Exit", &Game::Exit);

    QMenu* optionsMenu = menuBar()->addMenu("Options");
    optionsMenu->setObjectName("mnuSetup");
    auto* checkMarkOnly = new CheckMarkOnlyStyle;
    checkMarkOnly->setParent(optionsMenu);
    optionsMenu->setStyle(checkMarkOnly);
    // One variant is always checked: choosing the checked one again only starts a new game.
    auto* variants = new QActionGroup(optionsMenu);
    parts_.classic = variants->addAction(
        AddCheckItem(optionsMenu, "mnuClassic", "Classic Game", &Game::ChooseClassic));
    parts_.fromTheCentre = variants->addAction(AddCheckItem(
        optionsMenu, "mnuCenture", "\"From The Centre\"  Game", &Game::ChooseFromTheCentre));
    optionsMenu->addSeparator()->setObjectName("Razdel1");
    parts_.gridLines = AddCheckItem(optionsMenu, "mnuLine", "Line", &Game::ToggleGridLines);
    parts_.arcade = AddCheckItem(optionsMenu, "mnuArcade", "Arcade", &Game::ToggleArcade);
    AddItem(optionsMenu, "mnuScor", "New score", &Game::ClearHighScores);

    QMenu* helpMenu = menuBar()->addMenu("Help");
    helpMenu->setObjectName("mnuHelp");
    QAction* contentsItem = AddItem(helpMenu, "mnuCont", "Contents", nullptr);
    connect(contentsItem, &QAction::triggered, this, &MainWindow::ShowHelpContents);
    QAction* aboutItem = AddItem(helpMenu, "mnuAbout", "About Dyeland", nullptr);
    connect(aboutItem, &QAction::triggered, this, &MainWindow::ShowAbout);
}

QTimer* MainWindow::AddTimer(const char* name, int intervalMs, bool enabled,
                             void (MainWindow::*tick)()) {
    auto* timer = new QTimer(this);
    timer->setObjectName(name);
    timer->setInterval(intervalMs);
    connect(timer, &QTimer::timeout, this, tick);
    if (enabled) timer->start();
    return timer;
}

MinimisedAlert* MainWindow::alert() {
    if (!alert_) alert_ = std::make_unique<MinimisedAlert>(*this);
    return alert_.get();
}

void MainWindow::RefreshTick() {
    if (game.Ended()) return;
    playerCount_->SetValue(QString::number(game.State().playerCount));
    computerCount_->SetValue(QString::number(game.State().computerCount));
    if (isMinimized()) alert()->ShowAlert();
}

void MainWindow::TurnClockTick() {
    if (!game.Ended()) game.TurnClockRanOut();
}

void MainWindow::ShowHelpContents() {
    QMetaObject::invokeMethod(
        this, [this] { ShowHelp(HelpWindow::ContentsPage); }, Qt::QueuedConnection);
}

void MainWindow::ShowAbout() {
    if (!about_) about_ = new AboutBox(this);
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void MainWindow::ShowHelp(const QString& page) {
    if (game.Ended()) return;
    if (!help_) help_ = new HelpWindow(this);
    const QString error = help_->Open(page);
    if (!error.isEmpty()) {
        view_.ShowWarning(QString("The help for Dyeland could not be opened.\n\n%1 (%2)")
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
void MainWindow::closeEvent(QCloseEvent* event) {
    if (!game.Ended()) game.Exit();
    event->accept();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        ShowHelp(HelpWindow::ContentsPage);
        event->accept();
        return;
    }
    // F10 opens the first menu; the items have no keys of their own.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::NoModifier) {
        menuBar()->setActiveAction(menuBar()->actions().value(0));
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

// A window back from the taskbar is repainted by the system, which wipes a board that was shown
// but not kept.
void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if ((change->oldState() & Qt::WindowMinimized) && !isMinimized())
            board_->RepaintFromRetained();
    }
    // Where the window system never says the window is minimised, the alert window cannot
    // know when to come up: a game left for another program asks the desktop for attention.
    if (event->type() == QEvent::ActivationChange && !QApplication::activeWindow() &&
        !game.Ended() && game.GameUnderWay() && PlatformHidesMinimised() && windowHandle())
        AskForAttention(*windowHandle());
    QMainWindow::changeEvent(event);
}

}  // namespace dyeland
