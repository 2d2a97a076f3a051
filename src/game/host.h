// The core's only view of the window, the machine and the files around it. The main window
// implements it; tests use a fake that records every call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dyeland {

// Controls whose caption the game writes: the Start button, the two older leaders of the
// computer's rating and its last colour (kept off the visible window), the two counts, the
// player's move counter and the high score.
enum class Caption {
    StartButton,
    EarlierLeader,
    EarliestLeader,
    ComputersColour,
    PlayerCount,
    ComputerCount,
    PlayerMoves,
    HighScore
};
// Menu items that carry a check mark.
enum class MenuItem { Classic, FromTheCentre, GridLines, Arcade };
// The once-a-second refresh of the counts, and the Arcade turn clock.
enum class Timer { Refresh, TurnClock };

struct FileContents {
    std::vector<unsigned char> bytes;
    std::string error;  // the system's reason; empty when the read worked
};

class Host {
public:
    virtual ~Host() = default;

    virtual void SetCaption(Caption control, std::string_view text) = 0;
    virtual bool IsChecked(MenuItem item) const = 0;
    virtual void SetChecked(MenuItem item, bool checked) = 0;
    virtual bool IsTimerEnabled(Timer timer) const = 0;
    virtual void SetTimerEnabled(Timer timer, bool enabled) = 0;

    // The board picture, in board units (twips from the board's top-left corner).
    // With AutoRedraw on, drawing goes into the retained image the picture shows on every
    // repaint; with it off, drawing reaches the screen only.
    virtual void SetAutoRedraw(bool on) = 0;
    virtual void DrawSolidBox(int x1, int y1, int x2, int y2, int colour) = 0;
    virtual void DrawOutlineBox(int x1, int y1, int x2, int y2, int colour) = 0;
    // A drawing pass over the whole board has ended and the counts are up to date.
    virtual void BoardDrawn() {}

    virtual void FocusStepButton() = 0;
    // A modal question with Yes and No, the stop icon and No as the default; true for Yes.
    virtual bool AskYesNo(std::string_view prompt, std::string_view title) = 0;
    // A modal warning with an OK button.
    virtual void ShowWarning(std::string_view text, std::string_view title) = 0;
    virtual void Beep() = 0;
    // Runs every pending event handler once, in the middle of the caller.
    virtual void ProcessPendingEvents() = 0;
    // Ends the program; the core runs nothing of its own after calling it.
    virtual void EndProgram() = 0;

    // The program's one uniform random source: a value in [0, 1).
    virtual double Rnd() = 0;
    // Time since the main window was created, from a clock that never goes back.
    virtual std::int64_t MillisecondsSinceLoad() const = 0;

    // Files in the working directory, by bare name.
    // Reads at most maxBytes; a missing file is created empty first.
    virtual FileContents ReadFile(std::string_view name, std::size_t maxBytes) = 0;
    // The new content of a file, worked out from its current first bytes; nullopt keeps it.
    using FileChange = std::function<std::optional<std::vector<unsigned char>>(
        std::span<const unsigned char> current)>;
    // Reads at most maxBytes of the file and replaces the whole file atomically with what change
    // makes of them, with no other copy of the game changing it in between. Returns "" when that
    // worked or nothing needed changing, else the reason nothing was changed.
    virtual std::string UpdateFile(std::string_view name, std::size_t maxBytes,
                                   const FileChange& change) = 0;
    // Removes the file; a file that does not exist is not an error. A link stays: the file it
    // names is emptied instead, as UpdateFile would write it, and a link to nothing is refused
    // as a save refuses it. Returns "" or the reason.
    virtual std::string RemoveFile(std::string_view name, std::size_t maxBytes) = 0;
};

}  // namespace dyeland
