// Everything the game is at one moment: the board and both regions, the options, the turn and
// the Arcade clock, the counts, the score and the high scores, and the computer's leaders.
#pragma once

#include <cstdint>
#include <optional>

#include "game/Board.h"

namespace dyeland {

enum class Side { Player, Computer };

struct GameState {
    Grid colours;
    Grid playerMarks;
    Grid computerMarks;

    // The options: the variant (false for "From The Centre"), grid lines and Arcade.
    bool classicGame = true;
    bool showGrid = true;
    bool arcade = false;
    // Whether the Arcade turn clock runs. Arcade switched off leaves a running clock alone.
    bool clockRuns = false;

    // False only while a move is being played.
    bool playerTurn = true;
    // 0 until the player's first pick; the picks are 8 to 15.
    std::int16_t playerColour = 0;
    int computerColour = 0;
    // The computer's moves in this game, counted up to five.
    std::int16_t openingMoves = 0;
    // The player's moves since the program started; no new game resets them.
    std::int16_t playerMoves = 0;
    // The best scores of the two variants as last read or reached, and the one of the variant
    // being played as the last deal read it: the high score shown.
    float highScoreClassic = 0;
    float highScoreCentre = 0;
    float highScore = 0;

    // The leaders of the computer's last rating, as numbers 1 to 8 while it rates and colours 8
    // to 15 after it: best1 the last leader, best2 the one it displaced. best4 and best5, older
    // leaders, start empty and carry over from turn to turn and game to game.
    int best1 = 0;
    int best2 = 0;
    std::optional<int> best4;
    std::optional<int> best5;

    // The regions' sizes as of each side's last move: 0 from a deal until that side moves.
    int playerCount = 0;
    int computerCount = 0;
    int score = 0;

    // Each region its start cell; the computer's the Classic one.
    GameState();
    // Score from the two counts: their difference, or in the centre game 500 more.
    void ComputeScore();
};

// Start cells of the two sides.
inline constexpr int PlayerStartX = 0, PlayerStartY = 29;
inline constexpr int ClassicStartX = 29, ClassicStartY = 0;
inline constexpr int CentreStartX = 15, CentreStartY = 15;

}  // namespace dyeland
