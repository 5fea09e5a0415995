#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

// Raised on one thread and awaited on another, so that a test can put what two threads do in
// order instead of sleeping and hoping. The wait is bounded only so that a broken program
// fails the test instead of hanging it.
class ThreadFlag {
public:
    void raise() {
        {
            std::lock_guard lock(mutex_);
            raised_ = true;
        }
        changed_.notify_all();
    }
    // Whether it was raised before the bound ran out.
    bool await(std::chrono::seconds bound = std::chrono::seconds(60)) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, bound, [this] { return raised_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool raised_ = false;
};
