// The main window: the board, the colour boxes, the score boxes, the menus and the timers, laid
// out as the game has always had them. It owns the Game, which reaches it through a WindowHost.
#pragma once

#include <QMainWindow>
#include <array>
#include <memory>

#include "game/game.h"
#include "windows/WindowHost.h"

class QAction;
class QMenu;
class QPushButton;
class QTimer;

namespace dyeland {

class AboutBox;
class BoardPicture;
class CommandButton;
class HelpWindow;
class MinimisedAlert;
class ValueLabel;

class MainWindow : public QMainWindow {
    Q_OBJECT
    // Before the game, which is built on them.
    std::unique_ptr<WindowHost> ownHost_;
    WindowHost& host_;

public:
    // The client area below the menu bar, and where its corner first sits on the screen.
    static constexpr QSize ClientSize{448, 519};
    static constexpr QPoint ClientPosition{243, 117};

    // Builds the window and sets the game up on it; the caller shows it. The game reaches the
    // window through a WindowHost of the window's own, or through the one handed in, which a
    // test may have made to answer the game's questions itself.
    MainWindow(Sources& sources, ScoreFile& scoreFile, WindowHost* host = nullptr);
    ~MainWindow() override;

    Game game;

    // What the timers call on each tick; a test calls them just the same. The refresh tick
    // writes the counts each second, the turn clock runs out the Arcade player's three seconds.
    void RefreshTick();
    void TurnClockTick();

    // Help ▸ Contents: hands an F1 press to the active window and returns at once.
    void ShowHelpContents();
    void ShowAbout();
    // Opens the help window at page; a page that cannot be loaded is reported in a box.
    void ShowHelp(const QString& page);

    // The game's door to this window.
    WindowHost& host() const { return host_; }
    // The alert is made when it is first needed: its 24-point text costs a good part of a start.
    MinimisedAlert* alert();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildControls(QWidget* client);
    void BuildMenus();
    QAction* AddItem(QMenu* menu, const char* name, const QString& caption,
                     void (Game::*handler)());
    QAction* AddCheckItem(QMenu* menu, const char* name, const QString& caption, bool checked,
                          void (Game::*handler)());
    QTimer* AddTimer(const char* name, int intervalMs, bool enabled, void (MainWindow::*tick)());

    BoardPicture* board_ = nullptr;
    QPushButton* startButton_ = nullptr;
    CommandButton* stepButton_ = nullptr;
    std::array<ValueLabel*, 7> captionLabels_{};  // in Caption's order, after Start
    QAction* classicItem_ = nullptr;
    QAction* centreItem_ = nullptr;
    QAction* lineItem_ = nullptr;
    QAction* arcadeItem_ = nullptr;
    QTimer* refreshTimer_ = nullptr;
    QTimer* turnClock_ = nullptr;

    // Not a child: a tool window owned by MainWindow would be minimised along with it.
    std::unique_ptr<MinimisedAlert> alert_;
    AboutBox* about_ = nullptr;
    HelpWindow* help_ = nullptr;
};

}  // namespace dyeland
