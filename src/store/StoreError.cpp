#include "store/StoreError.h"

#include "store/PostgresServer.h"

#include <QSqlError>

namespace {
// A lock held elsewhere: PostgreSQL's lock_not_available (its lock timeout; the server's
// codes are five characters), or SQLite's SQLITE_BUSY and SQLITE_LOCKED with their extended
// forms (the low byte is the primary code).
bool isBusyCode(const QString& nativeCode) {
    if (nativeCode.size() == 5)
        return nativeCode == QLatin1String("55P03");
    bool ok = false;
    const int code = nativeCode.toInt(&ok);
    return ok && ((code & 0xff) == 5 || (code & 0xff) == 6);
}
} // namespace

QString StoreError::messageOf(const QSqlError& error) {
    const QString message = PostgresServer::cleanMessage(error.databaseText());
    return message.isEmpty() ? PostgresServer::cleanMessage(error.text()) : message;
}

StoreError StoreError::fromEngine(const QSqlError& error) {
    return StoreError(messageOf(error),
                      isBusyCode(error.nativeErrorCode()) ? Kind::Busy : Kind::Refused);
}
