// Benchmarks of the game core: the capture rule, the computer's evaluation and a whole
// computer turn, on boards dealt the way a new game deals them.
#include <benchmark/benchmark.h>

#include "fake_host.h"
#include "game/game.h"

namespace dyeland::bench {
namespace {

// The same deals on every run; the window's part does next to nothing.
struct NullHost : testing::FakeHost {
    NullHost() { Seed(12345); }
};

// A game some moves in, so the regions have borders worth sweeping.
GameState MidGame(NullHost& host) {
    Game game(host.Parts());
    game.SetUp();
    game.NewGame();
    for (int move = 0; move < 6 && game.state.PlayerCount <= WinningCount &&
                       game.state.ComputerCount <= WinningCount;
         ++move) {
        game.PickColour(move % 8);
    }
    return game.state;
}

void BM_GrowRegion(benchmark::State& bench, SweepOrder order) {
    NullHost host;
    const GameState start = MidGame(host);
    const Grid& marks = order == SweepOrder::Player ? start.PlayerMarks : start.ComputerMarks;
    int colour = FirstColour;
    for (auto _ : bench) {
        Grid grown = marks;
        GrowRegion(grown, start.Colors, colour, order);
        benchmark::DoNotOptimize(grown);
        colour = colour == LastColour ? FirstColour : colour + 1;
    }
}
BENCHMARK_CAPTURE(BM_GrowRegion, player, SweepOrder::Player);
BENCHMARK_CAPTURE(BM_GrowRegion, computer, SweepOrder::Computer);

void BM_EvaluateColors(benchmark::State& bench) {
    NullHost host;
    Game game(host.Parts());
    game.state = MidGame(host);
    for (auto _ : bench) {
        game.RateColours();
        benchmark::DoNotOptimize(game.state.Best1);
    }
}
BENCHMARK(BM_EvaluateColors);

void BM_ComputerTurn(benchmark::State& bench) {
    NullHost host;
    Game game(host.Parts());
    const GameState start = MidGame(host);
    for (auto _ : bench) {
        bench.PauseTiming();
        game.state = start;
        bench.ResumeTiming();
        game.PlayComputersTurn();
        benchmark::DoNotOptimize(game.state.ComputerCount);
    }
}
BENCHMARK(BM_ComputerTurn);

}  // namespace
}  // namespace dyeland::bench
