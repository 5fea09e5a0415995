#include "platform/Clock.h"

namespace {
class RealClock final : public Clock {
public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
};

const RealClock realClock;
const Clock* activeClock = &realClock;
} // namespace

QDateTime SystemClock::Now() {
    return activeClock->Now();
}

void SystemClock::Install(const Clock* clock) {
    activeClock = clock ? clock : &realClock;
}
