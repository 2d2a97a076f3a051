// Every field of the main window's game and the four program-wide values, in one object.
// The names are the game's own; handlers read and write them directly.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "game/board.h"

namespace dyeland {

struct GameState {
    Grid Colors;
    Grid PlayerMarks;
    Grid ComputerMarks;
    Grid ComputerMarksCopy;
    // Entry k (1..8) is the computer's trial result for colour k + 7; entry 0 is unused.
    std::array<std::int16_t, 9> ColorTally{};

    bool ClassicGame = false;
    bool ShowGrid = false;
    bool PlayerTurn = false;
    std::int16_t PlayerColor = 0;
    int ComputerColor = 0;
    int StartColor = 0;
    std::int16_t OpeningMoves = 0;
    std::int16_t PlayerMoves = 0;
    float HighScoreClassic = 0;
    float HighScoreCentre = 0;

    // Working variables of the board loops.
    int Sweep = 0;
    int CellX = 0;
    int CellY = 0;
    int CellSize = 0;
    int CellColor = 0;
    int OppoStartColor = 0;

    // The computer's evaluation. Best4 and Best5 start empty and are never reset.
    int TrialIndex = 0;
    int TrialColor = 0;
    int Best1 = 0;
    int Best2 = 0;
    int Best3 = 0;
    std::optional<int> Best4;
    std::optional<int> Best5;
    int BestCount = 0;
    std::int16_t ChoiceAttempt = 0;
    std::int16_t ChosenColor = 0;

    // Program-wide values.
    int PlayerCount = 0;
    int ComputerCount = 0;
    int Score = 0;
    float HighScore = 0;

    // The values the window's load handler sets.
    void SetLoadValues();
    // Score from the two counts: their difference, or in the centre game 500 more.
    void ComputeScore();
    void CopyComputerMarks();
};

// Start cells of the two sides.
inline constexpr int PlayerStartX = 0, PlayerStartY = 29;
inline constexpr int ClassicStartX = 29, ClassicStartY = 0;
inline constexpr int CentreStartX = 15, CentreStartY = 15;

}  // namespace dyeland
