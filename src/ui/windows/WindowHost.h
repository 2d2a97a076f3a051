// The game's door to the window: what the core asks of the window, carried out on the main
// window's controls, with the event sound and the news a screen reader hears. MainWindow builds
// the window and hands its controls over; the game sees nothing else of it.
#pragma once

#include <array>

#include "desktop/EventSound.h"
#include "game/game.h"
#include "game/game_window.h"

class QAction;
class QPushButton;
class QTimer;
class QWidget;

namespace dyeland {

class BoardPicture;
class ValueLabel;

// The controls the game writes and reads, as the window built them.
struct WindowParts {
    QWidget* window = nullptr;
    QPushButton* startButton = nullptr;
    QPushButton* stepButton = nullptr;
    std::array<ValueLabel*, 7> captions{};  // in Caption's order, after Start
    std::array<QAction*, 4> checks{};       // MenuItem order
    std::array<QTimer*, 2> timers{};        // Timer order
    BoardPicture* board = nullptr;
};

class WindowHost : public GameWindow {
public:
    // The window's controls and the game on them; before this no operation may be called.
    void Attach(const WindowParts& parts, const Game& game);

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
    void Tell(GameEvent event) override;
    void ProcessPendingEvents() override;
    void EndProgram() override;

protected:
    const Game& game() const { return *game_; }

private:
    WindowParts parts_;
    const Game* game_ = nullptr;
    EventSound sound_;
};

}  // namespace dyeland
