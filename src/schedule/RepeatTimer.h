#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

// A repeating timer whose period is counted on the program's clock and may be far longer
// than a QTimer can wait (about 24.8 days): the internal wake-up never waits more than an
// hour, and the timer fires only when the clock says a whole period has passed since its
// count began.
//
// It behaves as a window timer with an enabled flag and an interval: starting a started
// timer changes nothing, setting the period it already has changes nothing, a new period
// restarts the count, and a period of 0 (or less) never fires while it lasts.
class RepeatTimer : public QObject {
    Q_OBJECT
public:
    explicit RepeatTimer(qint64 periodMs, QObject* parent = nullptr);

    qint64 period() const { return period_; }
    void setPeriod(qint64 periodMs);
    void start();
    void stop();
    // Started (the period may still be 0).
    bool isEnabled() const { return enabled_; }
    // Started with a period that will fire.
    bool isRunning() const { return enabled_ && period_ > 0; }
    // When the running count began.
    QDateTime countStart() const { return countStart_; }

    // Fires when a whole period has passed on the clock since the count began; the count
    // then begins again. The internal wake-up calls this; tests call it after moving the
    // clock. Returns whether it fired.
    bool checkElapsed();

    // The longest the internal wake-up sleeps before it looks at the clock again.
    static constexpr qint64 kLongestWakeMs = 3600000;

signals:
    void fired();

private:
    void restartCount();
    void arm();

    QTimer wake_;
    qint64 period_;
    bool enabled_ = false;
    QDateTime countStart_;
};
