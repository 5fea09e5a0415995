#pragma once

#include <chrono>

// Bounds a statement on a server connection. Qt's driver waits for the server's answer with
// no limit and cannot cancel; a server that went silent while its host still acknowledges
// packets defeats keepalives and the TCP user timeout. While one of these lives, a watchdog
// thread shuts the connection's socket down once the bound has passed: the driver's wait then
// ends at once with a broken connection, which the next statement opens again.
class StatementWatchdog {
public:
    StatementWatchdog(int socket, std::chrono::milliseconds bound);
    ~StatementWatchdog();
    StatementWatchdog(const StatementWatchdog&) = delete;
    StatementWatchdog& operator=(const StatementWatchdog&) = delete;

    // Whether the bound passed and the socket was shut down.
    bool fired() const;

    // How many statements the watchdog ended since the program started (for the tests).
    static int firedCount();

private:
    int id_;
};
