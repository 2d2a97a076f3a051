// Long random play on the real window, offscreen: picker clicks, keys on the hidden buttons,
// every menu command that keeps the program running, minimising, timer ticks, and events that
// arrive in the middle of a computer turn. The game's invariants are checked after every event
// and right after every move of either side.
//
// DYELAND_SOAK_SEED replays a run, DYELAND_SOAK_EVENTS scales it, DYELAND_SOAK_SECONDS bounds
// its time; a run that meets the bound stops early and says how far it got.
#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <iostream>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "Form1.h"
#include "Form3.h"
#include "table.h"
#include "window_test_support.h"

namespace dyeland::test {
namespace {

// The offscreen platform reports every raise and size hint it cannot honour; thousands of
// those would bury the soak's own report.
QtMessageHandler qtHandler = nullptr;
void QuietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.startsWith("This plugin does not support")) qtHandler(type, context, text);
}

using dyeland::testing::BoardIsPlayable;
using dyeland::testing::RegionIsPainted;

std::uint64_t EnvNumber(const char* name, std::uint64_t fallback) {
    bool ok = false;
    const qulonglong value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

// Every question is answered Yes at once, warnings are only counted, beeps are silent, and the
// invariants are checked at the moments a side's move is complete.
class SoakForm : public Form1 {
public:
    explicit SoakForm(std::uint64_t seed) : random_(dyeland::testing::SeededSource(seed)) {}

    bool AskYesNo(std::string_view, std::string_view title) override {
        if (title.find("Yor score") != std::string_view::npos) ++gameEnds;
        // Yes deals a new game before the computer's turn reaches its end.
        computerMoved_ = false;
        return true;
    }
    void ShowWarning(std::string_view, std::string_view) override { ++warnings; }
    void Beep() override {}
    double Rnd() override { return random_(); }
    std::int64_t MillisecondsSinceLoad() const override { return 0; }
    void ProcessPendingEvents() override {
        ++yieldDepth_;
        Form1::ProcessPendingEvents();
        --yieldDepth_;
    }

    // The player's move ends by writing its move count; the computer's names its colour and
    // ends by focusing the Step button, with nothing but the end of the game in between.
    void SetCaption(Caption control, std::string_view text) override {
        Form1::SetCaption(control, text);
        if (control == Caption::cmdStart) {
            started_ = true;
            blackAllowed_ = false;
        } else if (control == Caption::Label8) {
            AfterMove(true);
        } else if (control == Caption::Label3) {
            computerMoved_ = true;
        }
    }
    void FocusStepButton() override {
        Form1::FocusStepButton();
        if (!computerMoved_) return;
        computerMoved_ = false;
        AfterMove(false);
    }

    // Between events no handler runs: the player is to move and nothing is left open.
    void CheckAtRest() {
        const GameState& s = game.state;
        if (!s.PlayerTurn) Fail("PlayerTurn is false between events");
        if (ProgramEnded()) Fail("the program ended");
        if (QApplication::activeModalWidget()) Fail("a modal box is open between events");
        CheckBoard();
    }

    void Fail(const std::string& what) {
        if (failure.empty()) failure = what;
    }

    std::string failure;  // the first broken invariant
    int gameEnds = 0, warnings = 0, nestedMoves = 0;

private:
    void AfterMove(bool player) {
        const GameState& s = game.state;
        if (yieldDepth_ > 0) ++nestedMoves;
        // Only a move made before the player's first pick of the run paints black.
        if (player && s.PlayerColor == 0) blackAllowed_ = true;
        const auto painted =
            player ? RegionIsPainted(s.PlayerMarks, s.Colors, s.PlayerColor, s.PlayerCount)
                   : RegionIsPainted(s.ComputerMarks, s.Colors, s.ComputerColor, s.ComputerCount);
        if (!painted) Fail((player ? "player: " : "computer: ") + std::string(painted.message()));
        CheckBoard();
    }

    // Before the first new game the board is all 0 and a move paints on it freely.
    void CheckBoard() {
        if (!started_) return;
        if (const auto playable = BoardIsPlayable(game.state.Colors, blackAllowed_); !playable)
            Fail(playable.message());
    }

    std::function<double()> random_;
    int yieldDepth_ = 0;
    bool started_ = false;
    bool blackAllowed_ = false;
    bool computerMoved_ = false;
};

class Soak {
public:
    explicit Soak(std::uint64_t seed) : form(seed), dice_(seed + 1) {
        for (int k = 0; k < 8; ++k)
            pickers_[k] = Control(form, qPrintable(QString("sPicture9_%1").arg(k)));
        cmdStep_ = Control<QPushButton>(form, "cmdStep");
        cmdOppoStart_ = Control<QPushButton>(form, "cmdOppoStart");
        for (const char* name :
             {"mnuNGames", "mnuClassic", "mnuCenture", "mnuScor", "mnuLine", "mnuArcade"})
            menu_.push_back(Control<QAction>(form, name));
        // The soak ticks the game's clocks itself. Stretched real intervals keep wall time
        // from changing the course of a game, so a seed replays exactly.
        Control<QTimer>(form, "Timer2")->setInterval(24 * 3600 * 1000);
        form.show();
    }

    // Runs one event, then lets everything it posted run, as the main loop would; returns the
    // kind of event, to name beside a failure.
    const char* Step() {
        double roll = std::uniform_real_distribution<double>(0, totalWeight_)(dice_);
        const Kind* kind = &kinds_.front();
        while ((roll -= kind->weight) >= 0 && kind != &kinds_.back())
            ++kind;
        kind->run();
        QCoreApplication::processEvents();
        form.CheckAtRest();
        return kind->name;
    }

    SoakForm form;

private:
    struct Kind {
        const char* name;
        double weight;
        std::function<void()> run;
    };

    int Roll(int sides) { return std::uniform_int_distribution<int>(0, sides - 1)(dice_); }

    QWidget* RandomPicker() { return pickers_[Roll(8)]; }

    // Menu commands that start a new game are rare enough that most games reach their end.
    QAction* RandomMenuItem() {
        const int roll = Roll(32);
        return menu_[roll < 4 ? roll : roll < 18 ? 4 : 5];
    }

    // Sometimes a move finds events already waiting: they run at the computer turn's yield,
    // nested inside it, or after the move when a refusal left no yield.
    void MaybePostBeforeMove() {
        if (Roll(6) != 0) return;
        for (int n = 1 + Roll(3); n > 0; --n) {
            QWidget* picker = RandomPicker();
            QAction* item = RandomMenuItem();
            const std::function<void()> waiting[] = {
                [picker] { QTest::mouseClick(picker, Qt::LeftButton); },
                [this] { QTest::keyClick(cmdStep_, Qt::Key_Space); },
                [this] { form.Timer2_Timer(); },
                [item] { item->trigger(); },
            };
            QTimer::singleShot(0, &form, waiting[Roll(4)]);
        }
    }

    void ClickPicker() {
        QWidget* picker = RandomPicker();
        MaybePostBeforeMove();
        QTest::mouseClick(picker, Qt::LeftButton);
    }

    // Space on a hidden button or, as a keyboard player picks, on a picker.
    void PressSpace() {
        QWidget* target = Roll(4) == 0 ? RandomPicker() : Roll(8) == 0 ? cmdOppoStart_ : cmdStep_;
        target->setFocus(Qt::TabFocusReason);
        MaybePostBeforeMove();
        QTest::keyClick(target, Qt::Key_Space);
    }

    void AlertTick() {
        Form3* alert = form.alert();
        alert->Timer1_Timer();
        if (Roll(4) == 0) alert->BlinkPhaseEnded();
    }

    std::mt19937_64 dice_;
    std::array<QWidget*, 8> pickers_{};
    QPushButton* cmdStep_ = nullptr;
    QPushButton* cmdOppoStart_ = nullptr;
    std::vector<QAction*> menu_;
    // A move costs dozens of times what any other event does. About one event in seven is a
    // move, which keeps a full run near two minutes under the sanitizers while most games still
    // run to their end.
    std::vector<Kind> kinds_ = {
        {"pick", 6, [this] { ClickPicker(); }},
        {"space", 2, [this] { PressSpace(); }},
        {"Timer2", 1, [this] { form.Timer2_Timer(); }},
        {"Timer1", 20, [this] { form.Timer1_Timer(); }},
        {"alert", 8, [this] { AlertTick(); }},
        {"minimise", 6, [this] { form.isMinimized() ? form.showNormal() : form.showMinimized(); }},
        {"mnuLine", 3, [this] { menu_[4]->trigger(); }},
        {"mnuArcade", 5, [this] { menu_[5]->trigger(); }},
        {"mnuNGames", 0.03, [this] { menu_[0]->trigger(); }},
        {"mnuClassic", 0.03, [this] { menu_[1]->trigger(); }},
        {"mnuCenture", 0.03, [this] { menu_[2]->trigger(); }},
        {"mnuScor", 0.03, [this] { menu_[3]->trigger(); }},
    };
    const double totalWeight_ =
        std::accumulate(kinds_.begin(), kinds_.end(), 0.0,
                        [](double sum, const Kind& k) { return sum + k.weight; });
};

TEST(Soak, RandomPlayKeepsEveryInvariant) {
    const std::uint64_t seed = EnvNumber("DYELAND_SOAK_SEED", std::random_device{}());
    const long events = static_cast<long>(EnvNumber("DYELAND_SOAK_EVENTS", 100000));
    const auto budget = std::chrono::seconds(EnvNumber("DYELAND_SOAK_SECONDS", 240));
    // Flushed at once: a sanitizer report ends the process before any buffered text.
    std::cout << "soak seed " << seed << " (replay: DYELAND_SOAK_SEED=" << seed << ")" << std::endl;
    RecordProperty("seed", std::to_string(seed));

    qtHandler = qInstallMessageHandler(QuietOffscreen);
    Soak soak(seed);
    SoakForm& form = soak.form;
    const auto start = std::chrono::steady_clock::now();
    long done = 0;
    const char* last = "";
    while (done < events && form.failure.empty()) {
        last = soak.Step();
        if (++done % 256 == 0 && std::chrono::steady_clock::now() - start > budget) break;
    }
    std::cout << "soak ran " << done << " of " << events << " events; games won " << form.gameEnds
              << ", nested moves " << form.nestedMoves << std::endl;
    qInstallMessageHandler(qtHandler);
    ASSERT_TRUE(form.failure.empty())
        << form.failure << " at event #" << done - 1 << " (" << last << ") of seed " << seed;
    EXPECT_EQ(form.warnings, 0) << "the score file failed in a writable folder";
    // A long run that never nested a move or finished a game has not soaked what matters.
    if (done >= 20000) {
        EXPECT_GT(form.nestedMoves, 0);
        EXPECT_GT(form.gameEnds, 0);
    }
}

}  // namespace
}  // namespace dyeland::test
