#include "store/PostgresServer.h"
#include "store/StoreError.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <libpq-fe.h>
#include <poll.h>

namespace {

// A value as libpq reads it in a "key=value" list.
QString quoted(QString value) {
    value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    value.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}

PGconn* handleOf(const QSqlDatabase& db) {
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "pg_conn*") != 0)
        return nullptr;
    return *static_cast<PGconn* const*>(handle.constData());
}

} // namespace

bool PostgresServer::isUri(const QString& location) {
    return location.startsWith(QLatin1String("postgresql://")) ||
           location.startsWith(QLatin1String("postgres://"));
}

QString PostgresServer::connectOptions(const QString& uri) {
    char* parseError = nullptr;
    PQconninfoOption* const options = PQconninfoParse(uri.toUtf8().constData(), &parseError);
    if (!options) {
        const QString message =
            parseError ? cleanMessage(QString::fromUtf8(parseError)) : QString();
        PQfreemem(parseError);
        throw StoreError(StoreError::Kind::BadUri, uri, message);
    }
    QStringList pairs;
    bool hasTimeout = false;
    bool hasUserTimeout = false;
    for (const PQconninfoOption* option = options; option->keyword; ++option) {
        if (!option->val)
            continue;
        const QString key = QString::fromUtf8(option->keyword);
        QString value = QString::fromUtf8(option->val);
        if (key == QLatin1String("password")) {
            PQconninfoFree(options);
            throw StoreError(StoreError::Kind::PasswordInUri);
        }
        // The driver reads ";" as a separator of its own.
        if (value.contains(QLatin1Char(';'))) {
            PQconninfoFree(options);
            throw StoreError(StoreError::Kind::SemicolonInUri, key);
        }
        if (key == QLatin1String("connect_timeout")) {
            hasTimeout = true;
            bool ok = false;
            const int seconds = value.toInt(&ok);
            // 0 would wait for ever.
            if (!ok || seconds <= 0 || seconds > kConnectTimeoutSeconds)
                value = QString::number(kConnectTimeoutSeconds);
        }
        hasUserTimeout = hasUserTimeout || key == QLatin1String("tcp_user_timeout");
        pairs << key + QLatin1Char('=') + quoted(value);
    }
    PQconninfoFree(options);
    if (!hasTimeout)
        pairs << QStringLiteral("connect_timeout='%1'").arg(kConnectTimeoutSeconds);
    // A network gone quiet ends a statement after this long instead of the system's
    // quarter of an hour, so that a poll cannot hold the windows.
    if (!hasUserTimeout)
        pairs << QStringLiteral("tcp_user_timeout='%1'").arg(kConnectTimeoutSeconds * 1000);
    pairs << QStringLiteral("fallback_application_name='qxreminder'");
    return pairs.join(QLatin1Char(' '));
}

QString PostgresServer::cleanMessage(const QString& message) {
    static const QRegularExpression code(QStringLiteral(R"(^\([0-9A-Z]{5}\)$)"));
    static const QRegularExpression severity(QStringLiteral(R"(\b(ERROR|FATAL|PANIC):\s+)"));
    QStringList kept;
    for (QString line : message.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        // The statement's echo and the mark under it follow; the message is said.
        if (line.startsWith(QLatin1String("LINE ")))
            break;
        if (line.isEmpty() || code.match(line).hasMatch())
            continue;
        line.remove(severity);
        kept << line;
    }
    return kept.join(QLatin1Char('\n'));
}

void PostgresServer::open(QSqlDatabase& db, const QString& uri, int lockTimeoutMs) {
    if (!db.isValid())
        throw StoreError(StoreError::Kind::NoDriver, kDriver);
    db.setConnectOptions(connectOptions(uri));
    if (!db.open())
        throw StoreError(StoreError::Kind::Unreachable, uri, StoreError::messageOf(db.lastError()));
    // The server's warnings (its goodbye when it shuts down) are no concern of the user's
    // terminal; what matters comes as an error of a statement.
    if (PGconn* connection = handleOf(db))
        PQsetNoticeProcessor(
            connection, [](void*, const char*) {}, nullptr);
    const QString setup[] = {
        QStringLiteral("SET client_min_messages TO warning"),
        QStringLiteral("SET lock_timeout TO %1").arg(lockTimeoutMs),
    };
    for (const QString& statement : setup) {
        QSqlQuery query(db);
        if (!query.exec(statement)) {
            const StoreError error = StoreError::fromEngine(query.lastError());
            query.finish();
            db.close();
            throw error;
        }
    }
}

bool PostgresServer::connectionLost(const QSqlDatabase& db) {
    PGconn* connection = handleOf(db);
    if (!connection || PQstatus(connection) == CONNECTION_BAD)
        return true;
    // A server that shut down has said goodbye and closed the socket. Reading what is there
    // (never waiting) finds the end of the socket behind the goodbye and marks the connection
    // bad before a statement is sent on it. An idle connection has nothing to read.
    pollfd socket{PQsocket(connection), POLLIN, 0};
    for (int reads = 0; reads < 16 && ::poll(&socket, 1, 0) > 0; ++reads) {
        if (!PQconsumeInput(connection) || PQstatus(connection) == CONNECTION_BAD)
            return true;
    }
    return false;
}

std::optional<qint64> PostgresServer::changeCounter(const QSqlDatabase& db) {
    // The snapshot names the next transaction to write and those still running: it moves when
    // a transaction starts writing and again when it ends, so a change committed after a read
    // is never taken for the state that read saw.
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT pg_current_snapshot()::text")) || !query.next())
        return std::nullopt;
    const QByteArray snapshot = query.value(0).toString().toLatin1();
    query.finish();
    quint64 hash = 14695981039346656037ULL; // FNV-1a
    for (const char c : snapshot) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return static_cast<qint64>(hash);
}
