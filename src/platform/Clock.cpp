#include "platform/Clock.h"

namespace {
class RealClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

const RealClock realClock;
const Clock* activeClock = &realClock;
} // namespace

QDateTime SystemClock::now() {
    return activeClock->now();
}

void SystemClock::install(const Clock* clock) {
    activeClock = clock ? clock : &realClock;
}
