// The main window: the board, the colour boxes, the score boxes, the menus and the timers, in
// their fixed places. It owns the Game, which tells it what happens through a WindowView.
#pragma once

#include <QMainWindow>
#include <memory>

#include "game/Game.h"
#include "windows/WindowView.h"

class QAction;
class QMenu;
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
    std::unique_ptr<WindowView> ownView_;
    WindowView& view_;

public:
    // The client area below the menu bar, and where its corner first sits on the screen.
    static constexpr QSize ClientSize{448, 519};
    static constexpr QPoint ClientPosition{243, 117};

    // Builds the window and the game on it; the caller shows it. The game tells the window
    // through a WindowView of the window's own, or through the one handed in, which a test may
    // have made to answer the game's questions itself.
    MainWindow(Sources& sources, ScoreFile& scoreFile, WindowView* view = nullptr);
    ~MainWindow() override;

    Game game;

    // What the timers call on each tick; a test calls them just the same. The refresh tick
    // shows the counts each second, the turn clock runs out the Arcade player's three seconds.
    void RefreshTick();
    void TurnClockTick();

    // Help ▸ Contents: the help opens once the menu has returned, as if F1 was pressed.
    void ShowHelpContents();
    void ShowAbout();
    // Opens the help window at page; a page that cannot be loaded is reported in a box.
    void ShowHelp(const QString& page);

    // The game's view on this window.
    WindowView& view() const { return view_; }
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
    QAction* AddCheckItem(QMenu* menu, const char* name, const QString& caption,
                          void (Game::*handler)());
    QTimer* AddTimer(const char* name, int intervalMs, bool enabled, void (MainWindow::*tick)());

    // The controls the game's events change, handed to the view.
    WindowParts parts_;
    BoardPicture* board_ = nullptr;
    ValueLabel* playerCount_ = nullptr;
    ValueLabel* computerCount_ = nullptr;

    // Not a child: a tool window owned by MainWindow would be minimised along with it.
    std::unique_ptr<MinimisedAlert> alert_;
    AboutBox* about_ = nullptr;
    HelpWindow* help_ = nullptr;
};

}  // namespace dyeland
