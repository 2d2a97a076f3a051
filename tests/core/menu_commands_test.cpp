// The Game and Options menus and the Exit button: check marks, the redraw of the Line option,
// new games, clearing the high scores, and the end of the program.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include "table.h"

namespace dyeland {
namespace {

using testing::Table;

// New Game, and a variant command, which also checks its item and unchecks the other, start a
// new game at once, also of the variant being played; the game in progress is dropped without
// a word, and the move counter carries on.
TEST(MenuCommands, NewGameAndVariantCommandsStartAGameAtOnce) {
    Table t;
    t.game.cmdStart_Click();
    t.s.Score = 900;
    t.Forget();

    t.game.mnuCenture_Click();
    EXPECT_FALSE(t.s.ClassicGame);
    EXPECT_TRUE(t.host.IsChecked(MenuItem::mnuCenture));
    EXPECT_FALSE(t.host.IsChecked(MenuItem::mnuClassic));
    EXPECT_EQ(t.host.randomDraws, CellCount);
    EXPECT_EQ(t.s.ComputerMarks(15, 15), Marked);

    t.game.mnuCenture_Click();
    EXPECT_EQ(t.host.randomDraws, 2 * CellCount);

    t.game.mnuClassic_Click();
    EXPECT_TRUE(t.s.ClassicGame);
    EXPECT_FALSE(t.host.IsChecked(MenuItem::mnuCenture));
    EXPECT_TRUE(t.host.IsChecked(MenuItem::mnuClassic));
    EXPECT_EQ(t.host.randomDraws, 3 * CellCount);

    t.game.sPicture9_Click(t.FreePicker());
    t.game.mnuNGames_Click();
    EXPECT_TRUE(t.s.ClassicGame);
    EXPECT_EQ(t.host.randomDraws, 4 * CellCount);
    EXPECT_EQ(t.s.PlayerCount, 0);
    EXPECT_EQ(t.s.PlayerMoves, 1);
    EXPECT_TRUE(t.host.questions.empty());
    EXPECT_EQ(t.host.replaces, 0);
}

// Line toggles the outlines and redraws all 900 cells; before any game the board is all 0 and
// is drawn black.
TEST(MenuCommands, LineTogglesTheGridAndRedrawsTheBoard) {
    Table t;
    t.game.mnuLine_Click();
    EXPECT_FALSE(t.s.ShowGrid);
    EXPECT_FALSE(t.host.IsChecked(MenuItem::mnuLine));
    EXPECT_EQ(t.host.SolidDraws(), CellCount);
    EXPECT_EQ(t.host.OutlineDraws(), 0);
    EXPECT_EQ(t.host.shown, Grid{});

    t.game.cmdStart_Click();
    t.Forget();
    t.game.mnuLine_Click();
    EXPECT_TRUE(t.s.ShowGrid);
    EXPECT_TRUE(t.host.IsChecked(MenuItem::mnuLine));
    EXPECT_EQ(t.host.SolidDraws(), CellCount);
    EXPECT_EQ(t.host.OutlineDraws(), CellCount);
    EXPECT_EQ(t.host.shown, t.s.Colors);
}

// New score asks first; No changes nothing, Yes deletes the file and starts a game with 0.
TEST(MenuCommands, NewScoreAsksThenClearsTheFileAndStartsAGame) {
    Table t;
    const std::vector<unsigned char> record = {0x00, 0x00, 0xF0, 0x42};  // 120
    t.host.files["res"] = record;
    t.game.mnuScor_Click();
    ASSERT_EQ(t.host.questions.size(), 1u);
    EXPECT_EQ(t.host.questions[0].first, "Do you want to kill file resultates ?");
    EXPECT_EQ(t.host.questions[0].second, "Dyeland");
    EXPECT_EQ(t.host.files["res"], record);
    EXPECT_EQ(t.host.randomDraws, 0);

    t.host.answers = {true};
    t.game.mnuScor_Click();
    EXPECT_TRUE(t.host.files["res"].empty()) << "deleted, then created empty by the new game";
    EXPECT_EQ(t.host.randomDraws, CellCount);
    EXPECT_EQ(t.host.CaptionOf(Caption::Label10), "0");
}

// Exit and the Exit button end the program without a dialog, and from then on no handler
// does anything.
TEST(MenuCommands, ExitEndsTheProgramAndEveryHandlerAfterIt) {
    for (bool button : {false, true}) {
        Table t;
        t.game.cmdStart_Click();
        t.host.checks[MenuItem::mnuArcade] = true;
        t.host.answers = {true, true};
        button ? t.game.Command2_Click() : t.game.mnuExit_Click();
        EXPECT_EQ(t.host.endCalls, 1);
        EXPECT_TRUE(t.game.Ended());
        EXPECT_TRUE(t.host.questions.empty());

        const GameState before = t.s;
        t.Forget();
        Game& g = t.game;
        const std::vector<std::function<void()>> handlers = {
            [&] { g.cmdStart_Click(); },   [&] { g.cmdOppoStart_Click(); },
            [&] { g.sPicture9_Click(0); }, [&] { g.sPicture9_Click(7); },
            [&] { g.cmdStep_Click(); },    [&] { g.Timer2_Timer(); },
            [&] { g.ComputerTurn(); },     [&] { g.EvaluateColors(); },
            [&] { g.mnuNGames_Click(); },  [&] { g.mnuClassic_Click(); },
            [&] { g.mnuCenture_Click(); }, [&] { g.mnuLine_Click(); },
            [&] { g.mnuArcade_Click(); },  [&] { g.mnuScor_Click(); },
            [&] { g.mnuExit_Click(); },    [&] { g.Command2_Click(); },
        };
        for (const auto& handler : handlers)
            handler();
        EXPECT_EQ(t.s.Colors, before.Colors);
        EXPECT_EQ(t.s.PlayerMarks, before.PlayerMarks);
        EXPECT_EQ(t.s.ComputerMarks, before.ComputerMarks);
        EXPECT_EQ(std::tuple(t.s.ClassicGame, t.s.ShowGrid, t.s.Best1),
                  std::tuple(before.ClassicGame, before.ShowGrid, before.Best1));
        EXPECT_TRUE(t.host.draws.empty() && t.host.questions.empty() && t.host.captions.empty() &&
                    t.host.timerSwitches.empty());
        EXPECT_EQ(t.host.beeps + t.host.yields + t.host.randomDraws + t.host.stepFocus, 0);
        EXPECT_TRUE(t.host.IsChecked(MenuItem::mnuArcade));
        EXPECT_EQ(t.host.endCalls, 1);
    }
}

}  // namespace
}  // namespace dyeland
