#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

// Runs the work that nobody is waiting for (the polls, the refresh of the lists and of open
// popups) so that a store in trouble neither freezes the windows nor buries the user in
// boxes:
// - the work never waits for another copy's lock: a busy store is tried again at the next
//   round, silently, and told only once it has stayed unreachable for over a minute;
// - a store file that is no longer at its path pauses the work, with one box, until a store
//   is back there, which is then opened again by itself;
// - any other fault is told once, and not again until the store has worked in between. A
//   server that went away (restarted, or the network to it gone) is such a fault: its
//   connection is opened again by the next round's statement, with no pause and no file to
//   wait for.
class StoreWatch {
public:
    explicit StoreWatch(QString connectionName);

    // Runs the work on the store; false when it could not run through this time.
    bool run(const std::function<void()>& work);

    // The store file went away and the work waits for it.
    bool isPaused() const { return missing_; }

    static constexpr qint64 kBusyReportAfterMs = 60000;

private:
    bool reopen();
    void report(const QString& text);

    QString connectionName_;
    QString path_;
    bool missing_ = false;
    // This episode's box has been shown; the next one comes only after the store worked.
    bool reported_ = false;
    QDateTime busySince_;
};
