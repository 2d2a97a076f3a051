// The game: every handler and procedure of the main window, working on one GameState and
// reaching the window only through its Host.
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
    explicit Game(Host& host) : host_(host) {}
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    GameState state;

    // Window and timers.
    void Form_Load();
    void Timer1_Timer();  // writes the two counts
    void Timer2_Timer();  // the Arcade turn clock

    // Buttons and pickers.
    void cmdStart_Click();
    void cmdOppoStart_Click();
    void cmdStep_Click();
    void sPicture9_Click(int index);
    void Command2_Click();

    // Menu commands.
    void mnuNGames_Click();
    void mnuExit_Click();
    void mnuClassic_Click();
    void mnuCenture_Click();
    void mnuLine_Click();
    void mnuArcade_Click();
    void mnuScor_Click();

    // Procedures the handlers share.
    void ComputerTurn();
    void EvaluateColors();
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
    // Saves the score and asks for a new game, whose title ends with the score. True when
    // the caller goes on: Yes was answered and the new game is set up.
    bool EndOfGame(std::string_view prompt, std::string_view titleStart);
    // Clears the player's marks on (29, 1), (28, 0) and (29, 0), and on (28, 1) for the
    // whole 2 x 2 block.
    void ReleaseComputerCorner(bool wholeBlock);
    // The lowest colour neither side holds.
    int FirstAllowedColour() const;

    Host& host_;
    bool ended_ = false;
    bool warmUpDone_ = false;
    int openBoxes_ = 0;
};

}  // namespace dyeland
