#include "ClickSound.h"

#include "platform/Logging.h"
#include "platform/Paths.h"

#include <QFileInfo>

#include <canberra.h>
#include <dlfcn.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace qbx {

namespace {

// The event-sound library is loaded when the first sound is asked for, on the sound thread: the
// program starts without it and its own libraries (codecs, the sound system's client).
struct Canberra {
    decltype(&ca_context_create) create = nullptr;
    decltype(&ca_context_change_props) changeProps = nullptr;
    decltype(&ca_context_open) open = nullptr;
    decltype(&ca_context_play) play = nullptr;
    decltype(&ca_context_cancel) cancel = nullptr;
    decltype(&ca_context_destroy) destroy = nullptr;
    decltype(&ca_strerror) strerror = nullptr;

    // Loads the library once; false (logged) when it is not there: every press stays silent.
    bool load()
    {
        if (tried_)
            return create != nullptr;
        tried_ = true;
        void* lib = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!lib) {
            qCInfo(lcWindows, "no event-sound library for the click sound: %s", dlerror());
            return false;
        }
        const bool all = find(lib, create, "ca_context_create") &&
                         find(lib, changeProps, "ca_context_change_props") &&
                         find(lib, open, "ca_context_open") && find(lib, play, "ca_context_play") &&
                         find(lib, cancel, "ca_context_cancel") && find(lib, destroy, "ca_context_destroy") &&
                         find(lib, strerror, "ca_strerror");
        if (!all) {
            qCInfo(lcWindows, "the event-sound library lacks a function the click sound needs");
            create = nullptr;
        }
        return all;
    }

private:
    template <typename F>
    static bool find(void* lib, F& fn, const char* name)
    {
        fn = reinterpret_cast<F>(dlsym(lib, name));
        return fn != nullptr;
    }

    bool tried_ = false;
};

} // namespace

// The sound library's context lives on a thread of its own: connecting to the sound server and
// handing it a sound wait for the server, which the window must never do. The window thread only
// leaves the latest request; the worker carries it out.
class ClickSound::Player {
public:
    Player() : worker_([this] { run(); }) {}

    ~Player()
    {
        {
            const std::lock_guard lock(mutex_);
            quit_ = true;
        }
        wake_.notify_one();
        worker_.join();
    }

    void play(QByteArray file) { ask(Request::Play, std::move(file)); }
    void stop() { ask(Request::Stop, {}); }

private:
    enum class Request { None, Play, Stop };
    static constexpr uint32_t kSoundId = 1;

    void ask(Request r, QByteArray file)
    {
        {
            const std::lock_guard lock(mutex_);
            // A later request replaces one not yet carried out: only the latest press counts.
            pending_ = r;
            file_ = std::move(file);
        }
        wake_.notify_one();
    }

    void run()
    {
        ca_context* ctx = nullptr;
        for (;;) {
            Request r;
            QByteArray file;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [this] { return quit_ || pending_ != Request::None; });
                if (quit_)
                    break;
                r = std::exchange(pending_, Request::None);
                file = std::move(file_);
            }
            // Nothing plays before the first sound: a stop then has nothing to cut.
            if (!ctx && (r != Request::Play || !(ca_.load() && connect(ctx))))
                continue;
            // One sound at a time: a new press cuts the one still playing.
            ca_.cancel(ctx, kSoundId);
            if (r != Request::Play)
                continue;
            if (const int err =
                    ca_.play(ctx, kSoundId, CA_PROP_MEDIA_FILENAME, file.constData(), CA_PROP_MEDIA_ROLE,
                             "event", CA_PROP_CANBERRA_CACHE_CONTROL, "volatile", nullptr);
                err != CA_SUCCESS)
                qCInfo(lcWindows, "the click sound did not play: %s", ca_.strerror(err));
        }
        if (ctx)
            ca_.destroy(ctx);
    }

    // Makes the context and connects it; without a sound server it is tried again at the next press.
    bool connect(ca_context*& ctx)
    {
        if (ca_.create(&ctx) != CA_SUCCESS) {
            ctx = nullptr;
            return false;
        }
        ca_.changeProps(ctx, CA_PROP_APPLICATION_NAME, "Quillbox", CA_PROP_APPLICATION_ID, "quillbox",
                        nullptr);
        if (const int err = ca_.open(ctx); err != CA_SUCCESS) {
            qCInfo(lcWindows, "no sound server for the click sound: %s", ca_.strerror(err));
            ca_.destroy(ctx);
            ctx = nullptr;
            return false;
        }
        return true;
    }

    Canberra ca_; // used on the worker thread only
    std::mutex mutex_;
    std::condition_variable wake_;
    Request pending_ = Request::None;
    QByteArray file_;
    bool quit_ = false;
    std::thread worker_;
};

ClickSound::ClickSound(std::filesystem::path appDir, QObject* parent)
    : QObject(parent), appDir_(std::move(appDir))
{}

ClickSound::~ClickSound() = default;

QString ClickSound::soundFile() const
{
    return pathText(appDir_ / "click.wav");
}

bool ClickSound::PlayClickSound()
{
    const QString path = soundFile();
    // The file is looked for on every press, as the sound may be added or removed while the
    // program runs; a missing file keeps the press silent.
    if (!QFileInfo(path).isFile()) {
        if (player_)
            player_->stop();
        return false;
    }
    if (!player_)
        player_ = std::make_unique<Player>();
    player_->play(QFile::encodeName(path));
    ++started_;
    return true;
}

} // namespace qbx
