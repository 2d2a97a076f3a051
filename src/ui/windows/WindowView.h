// The game's view on the main window: what the game tells, shown on the window's controls and
// said to a screen reader, and the boxes, beep and event pump it needs. MainWindow builds the
// window and hands its controls over; the game sees nothing else of it.
#pragma once

#include "desktop/EventSound.h"
#include "game/Game.h"
#include "game/GameView.h"

class QAction;
class QPushButton;
class QTimer;
class QWidget;

namespace dyeland {

class BoardPicture;
class ValueLabel;

// The controls the game's events change, as the window built them.
struct WindowParts {
    QWidget* window = nullptr;
    BoardPicture* board = nullptr;
    QPushButton* startButton = nullptr;
    QPushButton* stepButton = nullptr;
    ValueLabel* playerMoves = nullptr;
    ValueLabel* computersColour = nullptr;
    ValueLabel* earlierLeader = nullptr;
    ValueLabel* earliestLeader = nullptr;
    ValueLabel* highScore = nullptr;
    QAction* classic = nullptr;
    QAction* fromTheCentre = nullptr;
    QAction* gridLines = nullptr;
    QAction* arcade = nullptr;
    QTimer* turnClock = nullptr;
    QTimer* refresh = nullptr;
};

class WindowView : public GameView {
public:
    // The window's controls and the game on them; before this the game may tell nothing.
    void Attach(const WindowParts& parts, const Game& game);

    void Tell(const GameEvent& event) override;
    bool AskYesNo(std::string_view prompt, std::string_view title) override;
    void ShowWarning(std::string_view text, std::string_view title) override;
    void Beep() override;
    void ProcessPendingEvents() override;
    void EndProgram() override;

    // The menus' check marks as the game's options stand.
    void ShowOptions();

protected:
    const Game& game() const { return *game_; }

private:
    WindowParts parts_;
    const Game* game_ = nullptr;
    EventSound sound_;
};

}  // namespace dyeland
