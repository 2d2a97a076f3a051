// Benchmarks of the game core: the capture rule, the computer's rating and a whole
// computer turn, on boards dealt the way a new game deals them.
#include <benchmark/benchmark.h>

#include "FakeHost.h"
#include "game/ComputerPlayer.h"
#include "game/Game.h"

namespace dyeland::bench {
namespace {

// The same deals on every run; the view does next to nothing.
struct NullHost : test::FakeHost {
    NullHost() { Seed(12345); }
};

// A game some moves in, so the regions have borders worth sweeping.
GameState MidGame(NullHost& host) {
    Game game(host.Parts());
    game.NewGame();
    for (int move = 0; move < 6 && game.State().playerCount <= WinningCount &&
                       game.State().computerCount <= WinningCount;
         ++move) {
        game.PickColour(move % 8);
    }
    return game.State();
}

void BM_GrowRegion(benchmark::State& bench, SweepOrder order) {
    NullHost host;
    const GameState start = MidGame(host);
    const Grid& marks = order == SweepOrder::Player ? start.playerMarks : start.computerMarks;
    int colour = FirstColour;
    for (auto _ : bench) {
        Grid grown = marks;
        GrowRegion(grown, start.colours, colour, order);
        benchmark::DoNotOptimize(grown);
        colour = colour == LastColour ? FirstColour : colour + 1;
    }
}
BENCHMARK_CAPTURE(BM_GrowRegion, player, SweepOrder::Player);
BENCHMARK_CAPTURE(BM_GrowRegion, computer, SweepOrder::Computer);

void BM_RateColours(benchmark::State& bench) {
    NullHost host;
    GameState state = MidGame(host);
    for (auto _ : bench) {
        RateColours(state);
        benchmark::DoNotOptimize(state.best1);
    }
}
BENCHMARK(BM_RateColours);

void BM_ComputerTurn(benchmark::State& bench) {
    NullHost host;
    Game game(host.Parts());
    const GameState start = MidGame(host);
    for (auto _ : bench) {
        bench.PauseTiming();
        game.ArrangeForTest() = start;
        host.events.clear();
        bench.ResumeTiming();
        game.PlayComputersTurn();
        benchmark::DoNotOptimize(game.State().computerCount);
    }
}
BENCHMARK(BM_ComputerTurn);

}  // namespace
}  // namespace dyeland::bench
