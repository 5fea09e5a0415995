#pragma once

#include <QString>
#include <atomic>
#include <thread>

// A TCP link to the PostgreSQL test server (which listens on its socket only) that a test
// can cut as a network would go: cut() ends the connections it carries and leaves new ones
// hanging unanswered, as a server behind a dead route; restore() carries them again.
class ServerLink {
public:
    ServerLink();
    ~ServerLink();
    ServerLink(const ServerLink&) = delete;
    ServerLink& operator=(const ServerLink&) = delete;

    // The URI of a database of the test server through this link.
    QString uri(const QString& database, int connectTimeoutSeconds) const;

    void cut();
    void restore() { cut_ = false; }

private:
    void carry();

    int listener_ = -1;
    int port_ = 0;
    QString serverSocket_;
    std::atomic<bool> cut_{false};
    std::atomic<bool> stop_{false};
    std::atomic<int> rounds_{0};
    std::thread thread_;
};
