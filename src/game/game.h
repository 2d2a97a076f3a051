// The game: every handler and procedure of the main window, working on one GameState and
// reaching the window, the random source, the clock and the score file only through its Host.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game/game_state.h"
#include "game/host.h"

namespace dyeland {

inline constexpr std::string_view AppTitle = "Dyeland";

// Before the first deal the game throws away one random draw for every WarmUpTickMs the player
// waited, as the 10 ms warm-up timer once drew them, up to WarmUpDrawLimit (almost three hours).
inline constexpr std::int64_t WarmUpTickMs = 10;
inline constexpr std::int64_t WarmUpDrawLimit = 1'000'000;

// The shortest decimal text that reads back as the same float: "0", "120", "120.5".
std::string ShortestText(float value);

class Game {
public:
    explicit Game(const Host& host)
        : window_(host.window), sources_(host.sources), scoreFile_(host.scoreFile) {}
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    GameState state;

    // The window has opened: the start values, before any game is dealt.
    void SetUp();
    // The refresh timer's tick: the two counts shown.
    void ShowCounts();
    // The Arcade turn clock ran out: the computer moves again.
    void TurnClockRanOut();

    // A fresh board, the player's start region and the computer's opening move.
    void NewGame();
    void PlayOpeningMove();
    // Colour box 0..7 picked: colour 8..15 becomes the player's, and the move is played.
    void PickColour(int box);
    // The player's move with the colour last picked, then the computer's answer.
    void PlayPlayersMove();
    void PlayComputersTurn();
    void Exit();

    // The Options menu.
    void ChooseClassic();
    void ChooseFromTheCentre();
    void ToggleGridLines();
    void ToggleArcade();
    // New score: both records cleared after a question, then a new game.
    void ClearHighScores();

    // Steps that several commands share.
    void RateColours();
    void DrawBoard();
    void SaveHighScore();

    // True once the program has been ended: from then on every handler returns at once.
    bool Ended() const { return ended_; }
    // True while one of the game's modal boxes is open.
    bool QuestionOpen() const { return openBoxes_ > 0; }

private:
    // The high-score file: read the current variant's record, delete the whole file.
    void ReadHighScore();
    void DeleteHighScoreFile();
    void EndProgram();
    bool Ask(std::string_view prompt, std::string_view title);
    void Warn(std::string_view text);
    enum class Side { Player, Computer };
    // A side's move: its region grows over its colour and takes it, the board is drawn and
    // the score follows.
    void Grow(Side side);
    // After a side's move: true when the game goes on. A side past half the board has won: the
    // score is saved and a new game offered, and true then means Yes and the new game set up.
    bool GameGoesOnAfter(Side side);
    // Clears the player's marks on (29, 1), (28, 0) and (29, 0), and on (28, 1) for the
    // whole 2 x 2 block.
    void ReleaseComputerCorner(bool wholeBlock);
    // The lowest colour neither side holds.
    int FirstAllowedColour() const;

    GameWindow& window_;
    Sources& sources_;
    ScoreFile& scoreFile_;
    bool ended_ = false;
    bool warmUpDone_ = false;
    int openBoxes_ = 0;
};

}  // namespace dyeland
