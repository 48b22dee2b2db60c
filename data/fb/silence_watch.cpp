#include "data/fb/silence_watch.h"

#include "data/fb/client.h"

#include <condition_variable>
#include <thread>
#include <vector>

namespace quelmaro::fb {

namespace {

using namespace std::chrono;

std::atomic<std::int64_t> limitSeconds{300};

// Ends an attachment from outside the call that waits on it: the client closes its side of the connection,
// which makes the waiting call return with an error.
void end(Link& link) {
    const std::lock_guard lock(link.mutex);
    if (!link.attachment)
        return;
    Status status;
    try {
        link.attachment->cancelOperation(&status, fb_cancel_abort);
    } catch (const std::exception&) {
        // The call it ended fails and says so; there is nothing else to tell.
    }
}

class Watch {
public:
    ~Watch() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        if (thread_.joinable())
            thread_.join();
    }

    void add(const std::shared_ptr<Link>& link) {
        const std::lock_guard lock(mutex_);
        std::erase_if(links_, [](const std::weak_ptr<Link>& watched) { return watched.expired(); });
        links_.push_back(link);
        if (!thread_.joinable())
            thread_ = std::thread([this] { run(); });
    }

private:
    void run() {
        std::unique_lock lock(mutex_);
        while (!wake_.wait_for(lock, milliseconds(250), [this] { return stopping_; })) {
            const std::int64_t now = silenceClock();
            const std::int64_t limit = limitSeconds * 1000;
            for (const std::weak_ptr<Link>& watched : links_) {
                const std::shared_ptr<Link> link = watched.lock();
                if (!link || link->silent)
                    continue;
                const std::int64_t since = link->waitingSince;
                if (since != 0 && now - since > limit) {
                    link->silent = true;
                    end(*link);
                }
            }
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::vector<std::weak_ptr<Link>> links_;
    std::thread thread_;
};

Watch& watch() {
    static Watch instance;
    return instance;
}

} // namespace

void setSilenceLimit(seconds limit) {
    limitSeconds = limit.count();
}

seconds silenceLimit() {
    return seconds(limitSeconds.load());
}

void watchForSilence(const std::shared_ptr<Link>& link) {
    watch().add(link);
}

std::int64_t silenceClock() {
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count() + 1;
}

QString silenceText() {
    return QStringLiteral("connection lost to database: no answer from the server in %1 s")
        .arg(limitSeconds.load());
}

} // namespace quelmaro::fb
