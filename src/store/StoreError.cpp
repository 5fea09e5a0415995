#include "store/StoreError.h"

#include <QSqlError>

namespace {
// SQLite's result codes for a lock held elsewhere: SQLITE_BUSY and SQLITE_LOCKED, with their
// extended forms (the low byte is the primary code).
bool isBusyCode(const QString& nativeCode) {
    bool ok = false;
    const int code = nativeCode.toInt(&ok);
    return ok && ((code & 0xff) == 5 || (code & 0xff) == 6);
}
} // namespace

StoreError StoreError::fromEngine(const QSqlError& error) {
    QString message = error.databaseText();
    if (message.isEmpty())
        message = error.text();
    return StoreError(message, isBusyCode(error.nativeErrorCode()) ? Kind::Busy : Kind::Refused);
}
