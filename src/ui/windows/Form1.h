// Form1, the main window: the board, the colour pickers, the score boxes, the menus and the
// timers, laid out as the game has always had them. It owns the Game, which reaches it through
// a WindowHost.
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

class BoardPicture;
class CommandButton;
class Form3;
class HelpWindow;
class ValueLabel;
class frmAbout;

class Form1 : public QMainWindow {
    Q_OBJECT
    // Before the game, which is built on them.
    std::unique_ptr<WindowHost> ownHost_;
    WindowHost& host_;

public:
    // The client area below the menu bar, and where its corner first sits on the screen.
    static constexpr QSize ClientSize{448, 519};
    static constexpr QPoint ClientPosition{243, 117};

    // Builds the window and runs the load handler; the caller shows it. The game reaches the
    // window through a WindowHost of the window's own, or through the one handed in, which a
    // test may have made to answer the game's questions itself.
    explicit Form1(Sources sources = {});
    explicit Form1(WindowHost& host);
    ~Form1() override;

    Game game;

    // The tick handlers the timers call; a test calls them just the same.
    void Timer1_Timer();
    void Timer2_Timer();

    // Help ▸ Contents: hands an F1 press to the active window and returns at once.
    void mnuCont_Click();
    void mnuAbout_Click();
    // Opens the help window at page; a page that cannot be loaded is reported in a box.
    void ShowHelp(const QString& page);

    // The game's door to this window.
    WindowHost& host() const { return host_; }
    // The alert is made when it is first needed: its 24-point text costs a good part of a start.
    Form3* alert();
    frmAbout* about() const { return about_; }
    HelpWindow* help() const { return help_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    Form1(std::unique_ptr<WindowHost> own, WindowHost* given);
    void BuildControls(QWidget* client);
    void BuildMenus();
    QAction* AddItem(QMenu* menu, const char* name, const QString& caption,
                     void (Game::*handler)());
    QAction* AddCheckItem(QMenu* menu, const char* name, const QString& caption, bool checked,
                          void (Game::*handler)());
    QTimer* AddTimer(const char* name, int intervalMs, bool enabled, void (Form1::*tick)());

    BoardPicture* Picture1_ = nullptr;
    QPushButton* cmdStart_ = nullptr;
    CommandButton* cmdStep_ = nullptr;
    std::array<ValueLabel*, 7> captionLabels_{};  // Caption order after cmdStart
    QAction* mnuClassic_ = nullptr;
    QAction* mnuCenture_ = nullptr;
    QAction* mnuLine_ = nullptr;
    QAction* mnuArcade_ = nullptr;
    QTimer* Timer1_ = nullptr;
    QTimer* Timer2_ = nullptr;

    // Not a child: a tool window owned by Form1 would be minimised along with it.
    std::unique_ptr<Form3> alert_;
    frmAbout* about_ = nullptr;
    HelpWindow* help_ = nullptr;
};

}  // namespace dyeland
