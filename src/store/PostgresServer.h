#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

class QSqlDatabase;

// What the store needs to know about a PostgreSQL server beyond what Qt SQL offers: which
// connection URIs it accepts and how they become the driver's options, how a failed login is
// told from a server that cannot be reached, whether a connection is still alive, and whether
// anything changed. Nothing outside the store layer uses this.
namespace PostgresServer {

inline const QString kDriver = QStringLiteral("QPSQL");
// A user's action waits at most this long for the server, whatever the number of hosts.
inline constexpr int kConnectTimeoutSeconds = 10;
// libpq waits at least this long for each address it tries.
inline constexpr int kShortestAddressTimeoutSeconds = 2;
// The SQLSTATE of a wrong password.
inline const QString kWrongPasswordCode = QStringLiteral("28P01");

// Whether a store location names a server (libpq's URI form, any letter case of the scheme)
// rather than a file.
bool isUri(const QString& location);

// Who reads a URI: the program connects as the account that logs in, so its URIs name no
// user; the store tool runs as the server's administrator, named in the URI or by libpq.
enum class UriUse { Program, Tool };

// A server's address as a URI names it, checked. Its parameters reach libpq unchanged, except
// that the program asks for a verified TLS connection with channel binding to a server it
// reaches over the network (unless the URI names sslmode itself), and bounds every wait.
class ServerAddress {
public:
    // Throws StoreError when the URI cannot be used: BadUri (libpq cannot read it, or it names
    // no database), PasswordInUri (a password or sslpassword), UserInUri (the program's URI
    // names a user), ForbiddenUriParameter (hostaddr or service: the program looks up the
    // hosts itself and never lets a service file redirect it), SemicolonInUri.
    static ServerAddress parse(const QString& uri, UriUse use);

    const QString& database() const { return database_; }
    // Whether any host is reached over TCP (not a local socket).
    bool usesNetwork() const;
    // The URI as it may be shown: any password part dropped.
    static QString printable(const QString& uri);

    // One place to try: a host name (kept for TLS verification), the address it was found at
    // (empty for a local socket, or a host left for libpq to look up) and the port.
    struct Endpoint {
        QString host;
        QString address;
        QString port;
    };
    // The places to try, in the URI's order. With `resolveHosts`, every host name is looked up
    // here (blocking: call it from a worker thread), so that libpq never waits for a name
    // lookup without a bound. Throws StoreError Unreachable when no host can be found.
    std::vector<Endpoint> endpoints(bool resolveHosts) const;
    // The driver's options for trying one endpoint, waiting at most `timeoutSeconds` for it.
    QString connectOptions(const Endpoint& endpoint, int timeoutSeconds) const;

private:
    std::vector<std::pair<QString, QString>> parameters_; // every parameter but host and port
    QStringList hosts_;
    QStringList ports_;
    QString database_;
    UriUse use_ = UriUse::Program;
};

// What the server said, without the statement's echo, position marks and code that libpq
// and the driver add around it, cut to a length a box can show.
QString cleanMessage(const QString& message);

// Opens a database added with the driver kDriver (its user and password set, or not) on the
// server at the address, and makes the settings every connection of the program has: no
// notices, and a statement that waits for another's lock gives up after lockTimeoutMs.
// Throws StoreError: NoDriver; WrongPassword when the server refused the password (told by
// its error code, never its words); Unreachable with the server's message for any other
// failure to connect; Refused for a setting it refused.
//
// Every endpoint is first tried with libpq alone, within the deadline, so that a server that
// does not answer is given up at the deadline however many addresses it has, and a refusal is
// read by its code; the driver then connects to the endpoint that answered.
void openWithin(QSqlDatabase& db, const ServerAddress& address, bool resolveHosts, int deadlineMs,
                int lockTimeoutMs);
// The same for a URI read with the store tool's rules, without looking up hosts.
void open(QSqlDatabase& db, const QString& uri, int lockTimeoutMs);

// Whether the connection to the server is gone: the server closed it (restart, shutdown,
// an administrator) or a statement found it broken. Reads what the server may have sent
// meanwhile without waiting for anything.
bool connectionLost(const QSqlDatabase& db);
// The socket of an open connection, or -1.
int socketOf(const QSqlDatabase& db);

// A number that changes whenever any transaction began writing or ended on the server since
// the last call; empty when it cannot be read.
std::optional<qint64> snapshotCounter(const QSqlDatabase& db);

} // namespace PostgresServer
