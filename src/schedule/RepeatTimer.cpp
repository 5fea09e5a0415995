#include "schedule/RepeatTimer.h"

#include "platform/Clock.h"

#include <algorithm>

RepeatTimer::RepeatTimer(qint64 periodMs, QObject* parent) : QObject(parent), period_(periodMs) {
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    connect(&wake_, &QTimer::timeout, this, [this] { checkElapsed(); });
}

void RepeatTimer::setPeriod(qint64 periodMs) {
    if (periodMs == period_)
        return;
    period_ = periodMs;
    if (enabled_)
        restartCount();
}

void RepeatTimer::start() {
    if (enabled_)
        return;
    enabled_ = true;
    restartCount();
}

void RepeatTimer::stop() {
    enabled_ = false;
    countStart_ = QDateTime();
    wake_.stop();
}

bool RepeatTimer::checkElapsed() {
    if (!isRunning())
        return false;
    const QDateTime now = SystemClock::now();
    const qint64 elapsed = countStart_.msecsTo(now);
    if (elapsed < 0) {
        // The clock was set back: count the period afresh rather than wait out the gap.
        restartCount();
        return false;
    }
    if (elapsed < period_) {
        arm();
        return false;
    }
    restartCount();
    emit fired();
    return true;
}

void RepeatTimer::restartCount() {
    countStart_ = SystemClock::now();
    arm();
}

void RepeatTimer::arm() {
    if (!isRunning()) {
        wake_.stop();
        return;
    }
    const qint64 remaining = period_ - countStart_.msecsTo(SystemClock::now());
    wake_.start(static_cast<int>(std::clamp<qint64>(remaining, 1, kLongestWakeMs)));
}
