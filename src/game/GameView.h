// What the game tells whoever shows it, and the little it needs from them: a modal question or
// warning, the beep, one pass over pending events, and the end of the program.
#pragma once

#include <string_view>

#include "game/GameState.h"

namespace dyeland {

// Something that happened, told where it happens, with the values that go with it; the rest
// is in the game's state.
struct GameEvent {
    enum class Kind {
        // A fresh board: the variant's high score read, the computer's opening on it.
        BoardDealt,
        // The board's colours or grid lines changed. Not kept: a move the computer has not
        // answered yet, shown until the screen is next repainted from the kept board.
        BoardChanged,
        // The computer's opening move: its start region marked, nothing painted.
        OpeningMovePlayed,
        // A side's move is played and counted: side, colour.
        Moved,
        // The computer rated the colours; its leaders are in the state.
        ColoursRated,
        // The computer has answered and the player is to pick.
        PlayerToPick,
        // The player picked the computer's colour: colour.
        PickRefused,
        // A side went past half the board: side.
        Won,
        // The Arcade turn clock: started for a full interval, or stopped.
        ClockStarted,
        ClockStopped,
        // The variant, grid lines or Arcade changed.
        OptionsChanged,
    };

    Kind kind;
    Side side = Side::Player;
    int colour = 0;
    bool kept = true;

    bool operator==(const GameEvent&) const = default;
};

class GameView {
public:
    virtual ~GameView() = default;

    virtual void Tell(const GameEvent& event) = 0;
    // A modal question with Yes and No, the stop icon and No as the default; true for Yes.
    virtual bool AskYesNo(std::string_view prompt, std::string_view title) = 0;
    // A modal warning with an OK button.
    virtual void ShowWarning(std::string_view text, std::string_view title) = 0;
    virtual void Beep() = 0;
    // Runs every pending event handler once, in the middle of the caller.
    virtual void ProcessPendingEvents() = 0;
    // Ends the program; the game runs nothing of its own after calling it.
    virtual void EndProgram() = 0;
};

}  // namespace dyeland
