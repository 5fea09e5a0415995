#include "support/ServerLink.h"
#include "support/LoopbackListener.h"

#include "support/TempStore.h"

#include <QFile>
#include <QRegularExpression>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace {
int connectTo(const QString& socketPath) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(socketPath);
    qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}
} // namespace

ServerLink::ServerLink() {
    QFile state(TempStore::serverStateFile());
    state.open(QIODevice::ReadOnly);
    const QRegularExpressionMatch folder =
        QRegularExpression(QStringLiteral("^folder=(.*)$"), QRegularExpression::MultilineOption)
            .match(QString::fromUtf8(state.readAll()));
    if (!folder.hasMatch())
        throw std::runtime_error("no PostgreSQL test server (QX_TEST_POSTGRES)");
    serverSocket_ = folder.captured(1) + QStringLiteral("/.s.PGSQL.5432");

    listener_ = listenOnLoopback(port_);
    thread_ = std::thread([this] { carry(); });
}

ServerLink::~ServerLink() {
    stop_ = true;
    thread_.join();
    ::close(listener_);
}

void ServerLink::cut() {
    cut_ = true;
    // Two rounds of the carrying thread: it has closed what it carried.
    const int seen = rounds_;
    while (rounds_ < seen + 2)
        std::this_thread::yield();
}

QString ServerLink::uri(const QString& database, int connectTimeoutSeconds) const {
    // The relay carries no TLS: the program would otherwise insist on it over TCP.
    return QStringLiteral("postgresql://127.0.0.1:%1/%2?connect_timeout=%3&sslmode=disable")
        .arg(port_)
        .arg(database)
        .arg(connectTimeoutSeconds);
}

void ServerLink::carry() {
    struct Pair {
        int client;
        int server;
    };
    std::vector<Pair> pairs;
    std::vector<int> unanswered;
    auto closeAll = [&] {
        for (const Pair& pair : pairs) {
            ::close(pair.client);
            ::close(pair.server);
        }
        pairs.clear();
    };
    for (; !stop_; ++rounds_) {
        if (cut_) {
            closeAll();
        } else {
            for (int fd : unanswered)
                ::close(fd);
            unanswered.clear();
        }
        std::vector<pollfd> watched{{listener_, POLLIN, 0}};
        for (const Pair& pair : pairs) {
            watched.push_back({pair.client, POLLIN, 0});
            watched.push_back({pair.server, POLLIN, 0});
        }
        if (::poll(watched.data(), watched.size(), 10) <= 0)
            continue;
        const std::size_t watchedPairs = pairs.size();
        if (watched[0].revents & POLLIN) {
            const int client = ::accept(listener_, nullptr, nullptr);
            const int server = cut_ ? -1 : connectTo(serverSocket_);
            if (server < 0)
                unanswered.push_back(client);
            else
                pairs.push_back({client, server});
        }
        std::vector<Pair> open(pairs.begin() + static_cast<std::ptrdiff_t>(watchedPairs),
                               pairs.end());
        for (std::size_t i = 0; i < watchedPairs; ++i) {
            bool ended = false;
            for (int side = 0; side < 2 && !ended; ++side) {
                const pollfd& from = watched[1 + 2 * i + side];
                if (!(from.revents & (POLLIN | POLLHUP | POLLERR)))
                    continue;
                char buffer[16384];
                const ssize_t n = ::read(from.fd, buffer, sizeof buffer);
                const int to = side == 0 ? pairs[i].server : pairs[i].client;
                ended = n <= 0 || ::write(to, buffer, static_cast<size_t>(n)) != n;
            }
            if (ended) {
                ::close(pairs[i].client);
                ::close(pairs[i].server);
            } else {
                open.push_back(pairs[i]);
            }
        }
        pairs = open;
    }
    closeAll();
    for (int fd : unanswered)
        ::close(fd);
}
