#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QSqlDatabase;

// What the store needs to know about a PostgreSQL server beyond what Qt SQL offers: how a
// connection URI becomes the driver's options, whether a connection is still alive, and
// whether anything changed. Nothing outside the store layer uses this.
namespace PostgresServer {

inline const QString kDriver = QStringLiteral("QPSQL");
// Connecting gives up after this many seconds (the URI may ask for less).
inline constexpr int kConnectTimeoutSeconds = 10;

// Whether a store location names a server (libpq's URI form) rather than a file.
bool isUri(const QString& location);

// The driver's connect options for a URI: every parameter of the URI, plus the connect
// timeout, a timeout for unanswered sends and the program's name where the URI has none.
// Throws StoreError (BadUri, PasswordInUri, SemicolonInUri) when the URI cannot be used; a URI
// that carries a password is refused: passwords belong in ~/.pgpass or the environment, never
// in the settings.
QString connectOptions(const QString& uri);

// What the server said, without the statement's echo, position marks and code that libpq
// and the driver add around it.
QString cleanMessage(const QString& message);

// Opens a database added with the driver kDriver on the server the URI names, and makes
// the settings every connection of the program has: no notices, and a statement that
// waits for another's lock gives up after lockTimeoutMs. Throws StoreError on failure (NoDriver,
// the URI's kinds, Unreachable with the server's message, Refused for a setting it refused).
void open(QSqlDatabase& db, const QString& uri, int lockTimeoutMs);

// Whether the connection to the server is gone: the server closed it (restart, shutdown,
// an administrator) or a statement found it broken. Reads what the server may have sent
// meanwhile without waiting for anything.
bool connectionLost(const QSqlDatabase& db);

// A number that changes whenever any transaction began writing or ended on the server since
// the last call; empty when it cannot be read.
std::optional<qint64> changeCounter(const QSqlDatabase& db);

} // namespace PostgresServer
