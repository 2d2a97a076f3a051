// Every field of the main window's game and the four program-wide values, in one object.
// The names are the game's own; handlers read and write them directly.
#pragma once

#include <cstdint>
#include <optional>

#include "game/board.h"

namespace dyeland {

struct GameState {
    Grid Colors;
    Grid PlayerMarks;
    Grid ComputerMarks;

    bool ClassicGame = false;
    bool ShowGrid = false;
    // False only while a move is being played.
    bool PlayerTurn = false;
    // 0 until the player's first pick; the picks are 8 to 15.
    std::int16_t PlayerColor = 0;
    int ComputerColor = 0;
    // The computer's moves in this game, counted up to five.
    std::int16_t OpeningMoves = 0;
    // The player's moves since the program started; no new game resets them.
    std::int16_t PlayerMoves = 0;
    float HighScoreClassic = 0;
    float HighScoreCentre = 0;

    // The leaders of the computer's last rating, as numbers 1 to 8 while it rates and colours 8
    // to 15 after it: Best1 the last leader, Best2 the one it displaced. Best4 and Best5, older
    // leaders, start empty and carry over from turn to turn and game to game.
    int Best1 = 0;
    int Best2 = 0;
    std::optional<int> Best4;
    std::optional<int> Best5;

    // Program-wide values.
    int PlayerCount = 0;
    int ComputerCount = 0;
    int Score = 0;
    float HighScore = 0;

    // The values the program starts with.
    void SetStartValues();
    // Score from the two counts: their difference, or in the centre game 500 more.
    void ComputeScore();
};

// Start cells of the two sides.
inline constexpr int PlayerStartX = 0, PlayerStartY = 29;
inline constexpr int ClassicStartX = 29, ClassicStartY = 0;
inline constexpr int CentreStartX = 15, CentreStartY = 15;

}  // namespace dyeland
