#include "support/FakeServer.h"
#include "support/LoopbackListener.h"

#include <QByteArray>
#include <QtEndian>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Reads exactly `size` bytes unless the peer goes or the server stops; false then.
bool readExactly(int fd, char* buffer, std::size_t size, const std::atomic<bool>& stop) {
    std::size_t got = 0;
    while (got < size) {
        if (stop)
            return false;
        pollfd readable{fd, POLLIN, 0};
        if (::poll(&readable, 1, 50) <= 0)
            continue;
        const ssize_t n = ::read(fd, buffer + got, size - got);
        if (n <= 0)
            return false;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

quint32 bigEndian(const char* bytes) {
    return qFromBigEndian<quint32>(bytes);
}

} // namespace

FakeServer::FakeServer(Behaviour behaviour) : behaviour_(behaviour) {
    listener_ = listenOnLoopback(port_);
    thread_ = std::thread([this] { serve(); });
}

FakeServer::~FakeServer() {
    stop_ = true;
    thread_.join();
    for (int client : clients_)
        ::close(client);
    ::close(listener_);
}

QString FakeServer::uri(const QString& extraParameters) const {
    QString uri = QStringLiteral("postgresql://127.0.0.1:%1/qx").arg(port_);
    if (!extraParameters.isEmpty())
        uri += QLatin1Char('?') + extraParameters;
    return uri;
}

void FakeServer::serve() {
    while (!stop_) {
        pollfd incoming{listener_, POLLIN, 0};
        if (::poll(&incoming, 1, 50) <= 0)
            continue;
        const int client = ::accept(listener_, nullptr, nullptr);
        if (client < 0)
            continue;
        ++connections_;
        clients_.push_back(client);
        if (behaviour_ == Behaviour::AsksClearTextPassword)
            playClearTextAsker(client);
        // A silent server keeps the connection open and says nothing.
    }
}

void FakeServer::playClearTextAsker(int client) {
    char header[8];
    if (!readExactly(client, header, sizeof header, stop_))
        return;
    // A TLS request (length 8, code 80877103) is refused: the client may go on in clear text.
    std::size_t read = sizeof header;
    if (bigEndian(header) == 8 && bigEndian(header + 4) == 80877103) {
        if (::write(client, "N", 1) != 1 || !readExactly(client, header, 4, stop_))
            return;
        read = 4;
    }
    const quint32 length = bigEndian(header);
    if (length < 8 || length > 10000)
        return;
    QByteArray rest(static_cast<int>(length - read), '\0');
    if (!readExactly(client, rest.data(), static_cast<std::size_t>(rest.size()), stop_))
        return;
    // AuthenticationCleartextPassword.
    const char askForPassword[] = {'R', 0, 0, 0, 8, 0, 0, 0, 3};
    if (::write(client, askForPassword, sizeof askForPassword) != sizeof askForPassword)
        return;
    char type = 0;
    if (readExactly(client, &type, 1, stop_) && type == 'p')
        receivedPassword_ = true;
}
