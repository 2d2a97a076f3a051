// Form1, the main window: the board, the colour pickers, the score boxes, the menus and the
// timers, laid out as the game has always had them. It is the core's Host and owns the Game.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <array>
#include <memory>
#include <random>

#include "desktop/EventSound.h"
#include "game/game.h"
#include "game/host.h"

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

class Form1 : public QMainWindow, public Host {
    Q_OBJECT
public:
    // The client area below the menu bar, and where its corner first sits on the screen.
    static constexpr QSize ClientSize{448, 519};
    static constexpr QPoint ClientPosition{243, 117};

    // Builds the window and runs the load handler; the caller shows it.
    Form1();
    ~Form1() override;

    Game game;

    // Host.
    void SetCaption(Caption control, std::string_view text) override;
    bool IsChecked(MenuItem item) const override;
    void SetChecked(MenuItem item, bool checked) override;
    bool IsTimerEnabled(Timer timer) const override;
    void SetTimerEnabled(Timer timer, bool enabled) override;
    void SetAutoRedraw(bool on) override;
    void DrawSolidBox(int x1, int y1, int x2, int y2, int colour) override;
    void DrawOutlineBox(int x1, int y1, int x2, int y2, int colour) override;
    void BoardDrawn() override;
    void FocusStepButton() override;
    bool AskYesNo(std::string_view prompt, std::string_view title) override;
    void ShowWarning(std::string_view text, std::string_view title) override;
    void Beep() override;
    void ProcessPendingEvents() override;
    void EndProgram() override;
    double Rnd() override;
    std::int64_t MillisecondsSinceLoad() const override;
    FileContents ReadFile(std::string_view name, std::size_t maxBytes) override;
    std::string UpdateFile(std::string_view name, std::size_t maxBytes,
                           const FileChange& change) override;
    std::string RemoveFile(std::string_view name, std::size_t maxBytes) override;

    // The tick handlers the timers call; a test calls them just the same.
    void Timer1_Timer();
    void Timer2_Timer();

    // Help ▸ Contents: hands an F1 press to the active window and returns at once.
    void mnuCont_Click();
    void mnuAbout_Click();
    // Opens the help window at page; a page that cannot be loaded is reported in a box.
    void ShowHelp(const QString& page);

    bool ProgramEnded() const { return ended_; }
    Form3* alert() const { return alert_.get(); }
    frmAbout* about() const { return about_; }
    HelpWindow* help() const { return help_; }

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
    QTimer* AddTimer(const char* name, int intervalMs, bool enabled, void (Form1::*tick)());
    QAction* MenuAction(MenuItem item) const;
    QTimer* TimerFor(Timer timer) const;

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

    EventSound sound_;
    std::mt19937_64 random_{std::random_device{}()};
    QElapsedTimer loadClock_;
    bool ended_ = false;
    // What the game did since a screen reader was last told.
    bool newGame_ = false;
    bool computerMoved_ = false;
};

}  // namespace dyeland
