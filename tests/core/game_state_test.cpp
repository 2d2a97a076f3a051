// The state of a fresh window, the score formula and the random colour.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "board_text.h"
#include "game/game_state.h"

namespace dyeland {
namespace {

// A fresh window holds an empty board with only the two corner start cells marked.
TEST(GameState, LoadValuesMarkOnlyTheTwoCorners) {
    GameState s;
    s.ClassicGame = false;
    s.ShowGrid = false;
    s.SetLoadValues();
    EXPECT_EQ(s.Colors, Grid{});
    Grid player, computer;
    player(0, 29) = computer(29, 0) = Marked;
    EXPECT_EQ(s.PlayerMarks, player);
    EXPECT_EQ(s.ComputerMarks, computer);
    EXPECT_TRUE(s.ClassicGame && s.ShowGrid && s.PlayerTurn);
    EXPECT_EQ(std::tuple(s.PlayerColor, s.ComputerColor, s.PlayerMoves), std::tuple(0, 0, 0));
    EXPECT_EQ(s.HighScore, 0.0f);
    EXPECT_FALSE(s.Best4 || s.Best5);
}

// The centre game adds 500 so that a close loss still scores; a lost Classic game is negative.
TEST(GameState, ScoreDependsOnTheVariant) {
    GameState s;
    struct Case {
        int player, computer;
        bool classic;
        int score;
    };
    for (Case c : {Case{451, 300, true, 151}, Case{451, 300, false, 651},
                   Case{200, 451, true, -251}, Case{200, 451, false, 249}}) {
        s.PlayerCount = c.player;
        s.ComputerCount = c.computer;
        s.ClassicGame = c.classic;
        s.ComputeScore();
        EXPECT_EQ(s.Score, c.score) << c.player << "/" << c.computer << " classic " << c.classic;
    }
}

// floor(r·8)+8 stays within 8..15 even at the largest r below 1, where r·8+8 rounds to 16.
TEST(RandomColour, StaysWithinThePlayableColours) {
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(RandomColour(k / 8.0), 8 + k);
    EXPECT_EQ(RandomColour(std::nextafter(1.0, 0.0)), 15);
    EXPECT_EQ(RandomColour(static_cast<double>(std::nextafter(1.0f, 0.0f))), 15);
    // Out-of-contract values from a faulty source still give a playable colour.
    EXPECT_EQ(RandomColour(1.0), 15);
    EXPECT_EQ(RandomColour(-0.5), 8);
    EXPECT_EQ(RandomColour(std::numeric_limits<double>::quiet_NaN()), 8);
}

}  // namespace
}  // namespace dyeland
