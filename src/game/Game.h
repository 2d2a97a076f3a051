// The game: its state, the commands a player gives it, the questions a window asks it, and the
// events it tells through its view. Everything outside it is reached through its Host.
#pragma once

#include <cstdint>
#include <string_view>

#include "game/GameState.h"
#include "game/Host.h"

namespace dyeland {

inline constexpr std::string_view AppTitle = "Dyeland";

// Before the first deal the game throws away one random draw for every WarmUpTickMs the player
// waited, up to WarmUpDrawLimit (almost three hours).
inline constexpr std::int64_t WarmUpTickMs = 10;
inline constexpr std::int64_t WarmUpDrawLimit = 1'000'000;

// What picking a colour would do for the player now.
struct PickPreview {
    bool refused;  // it is the computer's colour
    bool yours;    // the player's region shows it already
    int gain;      // cells the region would take
};

class Game {
public:
    // The start state: the Classic game, grid lines on, Arcade off, nothing dealt.
    explicit Game(const Host& host)
        : view_(host.view), sources_(host.sources), scoreFile_(host.scoreFile) {}
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    const GameState& State() const { return state_; }
    // For tests and benchmarks: the state to set a position up in. Nothing is told.
    GameState& ArrangeForTest() { return state_; }

    // A fresh board, the player's start region and the computer's opening move.
    void NewGame();
    void PlayOpeningMove();
    // Colour box 0..7 picked: colour 8..15 becomes the player's, and the move is played.
    void PickColour(int box);
    // The player's move with the colour last picked, then the computer's answer.
    void PlayPlayersMove();
    void PlayComputersTurn();
    // The Arcade turn clock ran out: the computer moves again.
    void TurnClockRanOut();
    void Exit();

    // The options. Both variants abandon the game in progress for a new one, even the variant
    // already played; Arcade takes effect when the computer next gives the turn back.
    void ChooseClassic();
    void ChooseFromTheCentre();
    void ToggleGridLines();
    void ToggleArcade();
    // New score: both records cleared after a question, then a new game.
    void ClearHighScores();

    // The questions a window asks.
    // A board was dealt: before the first deal no side holds a colour.
    bool BoardDealt() const { return state_.computerColour >= FirstColour; }
    // The player has moved in the game on the board: a game a player would come back to.
    bool GameUnderWay() const { return state_.playerCount > 0; }
    // Neither side can pass half a full board: only a new game ends it.
    bool DrawnOnAFullBoard() const {
        return state_.playerCount == WinningCount && state_.computerCount == WinningCount;
    }
    // The cells each region holds now, counted or not.
    int RegionSize(Side side) const;
    // Whose region the cell (x, y) is in, if anyone's.
    std::optional<Side> Owner(int x, int y) const;
    PickPreview Preview(int colour) const;
    // True once the program has been ended: from then on every command returns at once.
    bool Ended() const { return ended_; }
    // True while one of the game's modal boxes is open.
    bool QuestionOpen() const { return openBoxes_ > 0; }

    // Steps that commands share; public for the tests and benchmarks.
    void SaveHighScore();

private:
    void Tell(GameEvent::Kind kind, Side side = Side::Player, int colour = 0);
    void TellBoardChanged();
    // The high-score file: read the current variant's record, delete the whole file.
    void ReadHighScore();
    void DeleteHighScoreFile();
    void EndProgram();
    bool Ask(std::string_view prompt, std::string_view title);
    void Warn(std::string_view text);
    void StopClock();
    // A side's move: its region grows over its colour and takes it, the board changes and the
    // score follows.
    void Grow(Side side);
    // After a side's move: true when the game goes on. A side past half the board has won: the
    // score is saved and a new game offered, and true then means Yes and the new game set up.
    bool GameGoesOnAfter(Side side);
    // Clears the player's marks on (29, 1), (28, 0) and (29, 0), and on (28, 1) for the
    // whole 2 x 2 block.
    void ReleaseComputerCorner(bool wholeBlock);

    GameState state_;
    GameView& view_;
    Sources& sources_;
    ScoreFile& scoreFile_;
    bool ended_ = false;
    bool warmUpDone_ = false;
    // From a colour pick until the computer begins its answer (or a new board, or its opening),
    // the board is shown but not kept: a repaint of the screen brings the kept board back.
    bool pickUnanswered_ = false;
    int openBoxes_ = 0;
};

}  // namespace dyeland
