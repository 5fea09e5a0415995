#pragma once

#include <QDateTime>

// Every "now" of the program comes from here, so tests can fix and advance time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

namespace SystemClock {
// The current local date and time from the active clock.
QDateTime now();
// Replaces the active clock; nullptr restores the system clock. The caller keeps ownership.
void install(const Clock* clock);
} // namespace SystemClock
