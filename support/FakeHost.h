// The game's doors on nothing real, for tests, the fuzz target and the benchmarks: a view that
// remembers what the game told it and answers from a script, a seeded random source with a clock
// that stands still, and score files in memory.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "game/Board.h"
#include "game/Host.h"

namespace dyeland::test {

class FakeHost : public GameView, public Sources, public ScoreFile {
public:
    Host Parts() { return {*this, *this, *this}; }
    // Uniform values from a fixed seed, the same on every run.
    void Seed(std::uint64_t seed) {
        randomSource = [source = std::make_shared<StandardSources>(seed)] {
            return source->Random();
        };
    }
    // The state whose board a change shows; without one, changes are only counted.
    const GameState* watched = nullptr;

    std::vector<GameEvent> events;
    bool clockRuns = false;
    int clockRestarts = 0;  // a running clock told to start again, which restarts its interval
    Grid shown, kept;  // each cell's colour on the screen and in the picture every repaint shows
    int boardChanges = 0, beeps = 0, endCalls = 0;
    std::vector<std::pair<std::string, std::string>> questions;  // prompt, title
    std::deque<bool> answers;  // Yes/No in order; an unscripted question is answered No
    std::vector<std::string> warnings;
    // Run at a yield (once, then cleared) and inside a question before it is answered.
    std::function<void()> onYield, onQuestion;
    std::function<double()> randomSource;  // 0 without one
    std::map<std::string, std::vector<unsigned char>> files;
    std::string fileError;  // a non-empty text makes reads and saves fail

    std::optional<GameEvent::Kind> LastTold() const {
        if (events.empty()) return std::nullopt;
        return events.back().kind;
    }
    // The last event of a kind, if it was told.
    std::optional<GameEvent> Last(GameEvent::Kind kind) const {
        for (auto e = events.rbegin(); e != events.rend(); ++e)
            if (e->kind == kind) return *e;
        return std::nullopt;
    }

    void Tell(const GameEvent& event) override {
        events.push_back(event);
        using enum GameEvent::Kind;
        if (event.kind == ClockStarted) clockRestarts += std::exchange(clockRuns, true);
        if (event.kind == ClockStopped) clockRuns = false;
        if (event.kind != BoardChanged) return;
        ++boardChanges;
        if (!watched) return;
        shown = watched->colours;
        if (event.kept) kept = shown;
    }
    bool AskYesNo(std::string_view prompt, std::string_view title) override {
        questions.emplace_back(prompt, title);
        if (onQuestion) onQuestion();
        const bool yes = !answers.empty() && answers.front();
        if (!answers.empty()) answers.pop_front();
        return yes;
    }
    void ShowWarning(std::string_view text, std::string_view) override {
        warnings.emplace_back(text);
    }
    void Beep() override { ++beeps; }
    void ProcessPendingEvents() override {
        if (auto script = std::exchange(onYield, nullptr)) script();
    }
    void EndProgram() override { ++endCalls; }
    double Random() override { return randomSource ? randomSource() : 0.0; }
    std::int64_t MillisecondsSinceStart() const override { return 0; }
    FileContents Read(std::string_view name, std::size_t maxBytes) override {
        if (!fileError.empty()) return {{}, fileError};
        auto& file = files[std::string(name)];  // created empty when missing
        return {{file.begin(), file.begin() + static_cast<long>(std::min(maxBytes, file.size()))},
                {}};
    }
    std::string Update(std::string_view name, std::size_t maxBytes, const Change& change) override {
        if (!fileError.empty()) return fileError;
        auto& file = files[std::string(name)];
        if (auto next = change({file.data(), std::min(maxBytes, file.size())})) file = *next;
        return {};
    }
    std::string Remove(std::string_view name, std::size_t) override {
        files.erase(std::string(name));
        return {};
    }
};

}  // namespace dyeland::test
