#pragma once

#include "platform/Clock.h"

// A clock the test sets and advances; installed for the life of the object.
class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime now = QDateTime(QDate(2010, 11, 12), QTime(8, 51, 37)))
        : now_(std::move(now)) {
        SystemClock::install(this);
    }
    ~FakeClock() override { SystemClock::install(nullptr); }
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    QDateTime now() const override { return now_; }
    void set(const QDateTime& now) { now_ = now; }
    void advanceMs(qint64 ms) { now_ = now_.addMSecs(ms); }
    void advanceSecs(qint64 secs) { now_ = now_.addSecs(secs); }

private:
    QDateTime now_;
};
