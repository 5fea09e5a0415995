#pragma once

#include <QString>
#include <atomic>
#include <thread>
#include <vector>

// A TCP listener on the loopback address that plays a PostgreSQL server badly: one that takes
// connections and never says a word, or one that refuses TLS and asks for the password in
// clear text, noting whether a password came.
class FakeServer {
public:
    enum class Behaviour { Silent, AsksClearTextPassword };

    explicit FakeServer(Behaviour behaviour);
    ~FakeServer();
    FakeServer(const FakeServer&) = delete;
    FakeServer& operator=(const FakeServer&) = delete;

    // A store URI of a database on it.
    QString uri(const QString& extraParameters = QString()) const;
    int connections() const { return connections_; }
    bool receivedPassword() const { return receivedPassword_; }

private:
    void serve();
    void playClearTextAsker(int client);

    Behaviour behaviour_;
    int listener_ = -1;
    int port_ = 0;
    std::vector<int> clients_;
    std::atomic<int> connections_{0};
    std::atomic<bool> receivedPassword_{false};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
