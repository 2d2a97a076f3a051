// Benchmarks of the window, offscreen: the board painted into the retained image with the
// repaint that shows it, and one whole player move as the window runs it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <array>
#include <chrono>
#include <random>
#include <vector>

#include "board/BoardPicture.h"
#include "files/WorkingDirFiles.h"
#include "windows/MainWindow.h"

namespace dyeland::bench {
namespace {

// An end of game that never waits for a click.
struct BenchHost : WindowView {
    bool AskYesNo(std::string_view, std::string_view) override { return true; }
};

// The window on that host, shown, with its board's paints counted.
struct BenchForm {
    BenchForm() {
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
        board = window.findChild<BoardPicture*>("Picture1");
        for (int k = 0; k < 8; ++k)
            pickers[k] = window.findChild<QWidget*>(QString("sPicture9_%1").arg(k));
        board->installEventFilter(&paints);
    }

    void NewGame() {
        QTest::mouseClick(window.findChild<QWidget*>("cmdStart"), Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    BenchHost host;
    StandardSources sources{1, 0};  // the same deals on every run
    WorkingDirFiles files;
    MainWindow window{sources, files, &host};
    Game& game = window.game;

    struct PaintCounter : QObject {
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint) ++count;
            return false;
        }
        long count = 0;
    } paints;
    BoardPicture* board = nullptr;
    std::array<QWidget*, 8> pickers{};
};

void BM_ShowBoard(benchmark::State& bench, bool grid) {
    BenchForm form;
    form.NewGame();
    for (auto _ : bench) {
        form.board->ShowBoard(form.game.State().colours, grid, true);
        form.board->repaint();
    }
}
BENCHMARK_CAPTURE(BM_ShowBoard, grid_on, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ShowBoard, grid_off, false)->Unit(benchmark::kMicrosecond);

// A click on a picker of a colour the computer does not hold, the player's move, the
// computer's answer with its yield, both redraws, and the repaints the event loop then runs.
// A fresh game is dealt, untimed, well before either side could win, so every timed move is an
// ordinary one in the first half of a game.
void BM_PlayerMove(benchmark::State& bench) {
    using Clock = std::chrono::steady_clock;
    BenchForm form;
    const GameState& s = form.game.State();
    std::mt19937 dice(7);
    std::vector<double> seconds;
    form.NewGame();
    int movesInGame = 0;
    long paints = 0;
    for (auto _ : bench) {
        int k;
        do {
            k = static_cast<int>(dice() % 8);
        } while (k + FirstColour == s.computerColour);
        const long paintsBefore = form.paints.count;
        const auto start = Clock::now();
        QTest::mouseClick(form.pickers[k], Qt::LeftButton);
        QCoreApplication::processEvents();
        const double took = std::chrono::duration<double>(Clock::now() - start).count();
        bench.SetIterationTime(took);
        seconds.push_back(took);
        paints += form.paints.count - paintsBefore;
        if (++movesInGame == 20 || std::max(s.playerCount, s.computerCount) > 350) {
            form.NewGame();
            movesInGame = 0;
        }
    }
    std::sort(seconds.begin(), seconds.end());
    bench.counters["median_ms"] = seconds[seconds.size() / 2] * 1e3;
    bench.counters["p90_ms"] = seconds[seconds.size() * 9 / 10] * 1e3;
    bench.counters["paints"] =
        benchmark::Counter(static_cast<double>(paints), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PlayerMove)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dyeland::bench

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // New games read and create the score file; keep it out of the caller's folder.
    QTemporaryDir folder;
    if (folder.isValid()) QDir::setCurrent(folder.path());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
