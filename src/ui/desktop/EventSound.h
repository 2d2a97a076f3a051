// The refusal sound: the desktop's "bell" event played through libcanberra on a thread of its
// own, with the X bell where no sound can be played.
#pragma once

#include <functional>
#include <memory>

namespace dyeland {

class EventSound {
public:
    // Plays one named event sound: 0, or a libcanberra error code.
    using Player = std::function<int(const char* eventId)>;

    // openPlayer runs on the sound thread at the first bell and returns no player when there is
    // no sound to be had; fallback runs on the thread of the application object.
    explicit EventSound(std::function<Player()> openPlayer = OpenCanberra,
                        std::function<void()> fallback = XBell);
    ~EventSound();

    // Returns at once, whatever the sound system does meanwhile.
    void Bell();

    static Player OpenCanberra();
    static void XBell();

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};

}  // namespace dyeland
