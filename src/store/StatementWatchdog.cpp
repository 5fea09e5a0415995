#include "store/StatementWatchdog.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <sys/socket.h>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

struct Watched {
    int socket;
    Clock::time_point deadline;
    bool fired = false;
};

// One thread for the whole program, started with the first statement it watches. The socket is
// shut down under the lock that the statement's end also takes, so a socket is never touched
// once its statement is over (and its number perhaps given to another file).
class Watchdog {
public:
    int watch(int socket, Clock::time_point deadline) {
        std::lock_guard lock(mutex_);
        if (!thread_.joinable())
            thread_ = std::thread([this] { run(); });
        const int id = ++lastId_;
        watched_[id] = Watched{socket, deadline};
        wake_.notify_one();
        return id;
    }
    bool release(int id) {
        std::lock_guard lock(mutex_);
        const auto found = watched_.find(id);
        const bool fired = found != watched_.end() && found->second.fired;
        watched_.erase(id);
        return fired;
    }
    bool fired(int id) {
        std::lock_guard lock(mutex_);
        const auto found = watched_.find(id);
        return found != watched_.end() && found->second.fired;
    }
    int firedCount() {
        std::lock_guard lock(mutex_);
        return firedCount_;
    }
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
            wake_.notify_one();
        }
        if (thread_.joinable())
            thread_.join();
    }

private:
    void run() {
        std::unique_lock lock(mutex_);
        while (!stopping_) {
            Clock::time_point next = Clock::time_point::max();
            const Clock::time_point now = Clock::now();
            for (auto& [id, watched] : watched_) {
                if (watched.fired)
                    continue;
                if (watched.deadline <= now) {
                    ::shutdown(watched.socket, SHUT_RDWR);
                    watched.fired = true;
                    ++firedCount_;
                } else {
                    next = std::min(next, watched.deadline);
                }
            }
            if (next == Clock::time_point::max())
                wake_.wait(lock);
            else
                wake_.wait_until(lock, next);
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::map<int, Watched> watched_;
    std::thread thread_;
    int lastId_ = 0;
    int firedCount_ = 0;
    bool stopping_ = false;
};

Watchdog& watchdog() {
    static Watchdog instance;
    return instance;
}

} // namespace

StatementWatchdog::StatementWatchdog(int socket, std::chrono::milliseconds bound)
    : id_(socket < 0 ? 0 : watchdog().watch(socket, Clock::now() + bound)) {}

StatementWatchdog::~StatementWatchdog() {
    if (id_ != 0)
        watchdog().release(id_);
}

bool StatementWatchdog::fired() const {
    return id_ != 0 && watchdog().fired(id_);
}

int StatementWatchdog::firedCount() {
    return watchdog().firedCount();
}
