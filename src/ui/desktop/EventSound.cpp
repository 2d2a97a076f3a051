// The sound thread. Opening the sound system can take its time (a sound server to reach, or
// one to start) and so can a play that has to load its sample first: none of it may hold up a
// move, so all of it happens here, away from the window.
#include "desktop/EventSound.h"

#include <canberra.h>
#include <dlfcn.h>

#include <QApplication>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

namespace dyeland {
namespace {

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// libasound writes eight lines to stderr each time it fails to open a sound card, that is at
// every bell on a machine without one. The game says once why it has no sound instead.
void QuietenAlsa() {
    // Loaded only where libcanberra chose its ALSA backend: otherwise there is nothing to quieten.
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_NOLOAD);
    if (!alsa) return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    if (auto setHandler =
            reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler")))
        setHandler(IgnoreAlsaError);
    dlclose(alsa);
}

// libcanberra is opened when the first bell needs it, so a game without a refusal never loads
// it, nor the codecs and libraries it brings: they cost a sixth of the game's start.
struct Canberra {
    decltype(&ca_context_create) create = nullptr;
    decltype(&ca_context_destroy) destroy = nullptr;
    decltype(&ca_context_change_props) changeProps = nullptr;
    decltype(&ca_context_open) open = nullptr;
    decltype(&ca_context_play) play = nullptr;
    decltype(&ca_strerror) strerror = nullptr;
};

template <typename Function>
bool Find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

// Null where the library or one of its functions is missing.
const Canberra* LoadCanberra() {
    static const Canberra* const loaded = []() -> const Canberra* {
        static Canberra library;
        void* handle = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!handle) return nullptr;
        Canberra& c = library;
        const bool found = Find(handle, "ca_context_create", c.create) &&
                           Find(handle, "ca_context_destroy", c.destroy) &&
                           Find(handle, "ca_context_change_props", c.changeProps) &&
                           Find(handle, "ca_context_open", c.open) &&
                           Find(handle, "ca_context_play", c.play) &&
                           Find(handle, "ca_strerror", c.strerror);
        return found ? &library : nullptr;
    }();
    return loaded;
}

const char* Reason(int result) {
    const Canberra* c = LoadCanberra();
    return c ? c->strerror(result) : "libcanberra.so.0 could not be loaded";
}

}  // namespace

struct EventSound::Shared {
    std::function<Player()> openPlayer;
    std::function<void()> fallback;
    std::mutex mutex;
    std::condition_variable wake;
    bool started = false;
    bool pending = false;  // bells asked for while one played ring once
    bool toldWhy = false;
    bool stop = false;
};

EventSound::EventSound(std::function<Player()> openPlayer, std::function<void()> fallback)
    : shared_(std::make_shared<Shared>()) {
    shared_->openPlayer = std::move(openPlayer);
    shared_->fallback = std::move(fallback);
}

// The thread may be stuck in the sound system; it is told to stop and left to finish alone.
EventSound::~EventSound() {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->stop = true;
    }
    shared_->wake.notify_one();
}

void EventSound::Bell() {
    std::lock_guard lock(shared_->mutex);
    shared_->pending = true;
    if (shared_->started) {
        shared_->wake.notify_one();
        return;
    }
    // Started at the first bell: a game without a refusal never touches the sound system.
    shared_->started = true;
    std::thread([shared = shared_] {
        Player player;
        bool opened = false;
        std::unique_lock held(shared->mutex);
        while (true) {
            shared->wake.wait(held, [&] { return shared->stop || shared->pending; });
            if (shared->stop) return;
            shared->pending = false;
            held.unlock();
            if (!opened) player = shared->openPlayer();
            opened = true;
            const int result = player ? player("bell") : CA_ERROR_NODRIVER;
            // Under the lock, and only while the window's sound is alive: the window goes before
            // the application object, so qApp is still there.
            held.lock();
            if (shared->stop) return;
            // Event sounds switched off on the desktop stay off: no X bell in their place.
            if (result == CA_SUCCESS || result == CA_ERROR_DISABLED) continue;
            if (!shared->toldWhy)
                std::fprintf(stderr,
                             "Dyeland: no event sound can be played (libcanberra: %s); the X bell "
                             "stands in.\n",
                             Reason(result));
            shared->toldWhy = true;
            if (qApp) QMetaObject::invokeMethod(qApp, shared->fallback, Qt::QueuedConnection);
        }
    }).detach();
}

// A sound system that cannot be opened gives a player that fails with the reason it could not.
EventSound::Player EventSound::OpenCanberra() {
    const Canberra* c = LoadCanberra();
    if (!c) return {};
    auto failing = [](int error) { return Player([error](const char*) { return error; }); };
    ca_context* context = nullptr;
    if (const int error = c->create(&context); error != CA_SUCCESS) return failing(error);
    std::shared_ptr<ca_context> owner(context, c->destroy);
    c->changeProps(context, CA_PROP_APPLICATION_NAME, "Dyeland", CA_PROP_APPLICATION_ID,
                   "org.dyeland.Dyeland", nullptr);
    if (const int error = c->open(context); error != CA_SUCCESS) return failing(error);
    QuietenAlsa();
    return [c, owner](const char* eventId) {
        return c->play(owner.get(), 0, CA_PROP_EVENT_ID, eventId, nullptr);
    };
}

void EventSound::XBell() {
    QApplication::beep();
}

}  // namespace dyeland
