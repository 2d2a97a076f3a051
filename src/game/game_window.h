// The window as the game sees it: captions, check marks, timers, the board picture, the focus,
// modal boxes, the beep, the event pump, the end of the program, and the news of the game.
#pragma once

#include <string_view>

namespace dyeland {

// Controls whose caption the game writes: the Start button, the two older leaders of the
// computer's rating and its last colour (kept off the visible window), the two counts, the
// player's move counter and the high score.
enum class Caption {
    StartButton,
    EarlierLeader,
    EarliestLeader,
    ComputersColour,
    PlayerCount,
    ComputerCount,
    PlayerMoves,
    HighScore
};
// Menu items that carry a check mark.
enum class MenuItem { Classic, FromTheCentre, GridLines, Arcade };
// The once-a-second refresh of the counts, and the Arcade turn clock.
enum class Timer { Refresh, TurnClock };

// What happened that a player must hear of, told where it happens: a new board with the
// computer's opening on it, a computer move the game goes on after, the player's pick of the
// computer's colour, a win of either side before its question.
enum class GameEvent { BoardDealt, ComputerMoved, PickRefused, PlayerWon, ComputerWon };

class GameWindow {
public:
    virtual ~GameWindow() = default;

    virtual void SetCaption(Caption control, std::string_view text) = 0;
    virtual bool IsChecked(MenuItem item) const = 0;
    virtual void SetChecked(MenuItem item, bool checked) = 0;
    virtual bool IsTimerEnabled(Timer timer) const = 0;
    virtual void SetTimerEnabled(Timer timer, bool enabled) = 0;

    // The board picture, in board units (twips from the board's top-left corner).
    // With AutoRedraw on, drawing goes into the retained image the picture shows on every
    // repaint; with it off, drawing reaches the screen only.
    virtual void SetAutoRedraw(bool on) = 0;
    virtual void DrawSolidBox(int x1, int y1, int x2, int y2, int colour) = 0;
    virtual void DrawOutlineBox(int x1, int y1, int x2, int y2, int colour) = 0;
    // A drawing pass over the whole board has ended and the counts are up to date.
    virtual void BoardDrawn() {}

    virtual void FocusStepButton() = 0;
    // A modal question with Yes and No, the stop icon and No as the default; true for Yes.
    virtual bool AskYesNo(std::string_view prompt, std::string_view title) = 0;
    // A modal warning with an OK button.
    virtual void ShowWarning(std::string_view text, std::string_view title) = 0;
    virtual void Beep() = 0;
    virtual void Tell(GameEvent event) = 0;
    // Runs every pending event handler once, in the middle of the caller.
    virtual void ProcessPendingEvents() = 0;
    // Ends the program; the core runs nothing of its own after calling it.
    virtual void EndProgram() = 0;
};

}  // namespace dyeland
