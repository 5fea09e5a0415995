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

// For whoever reads what() without the program's words (a debugger, a crash report): the
// facts, in the order the constructor got them.
std::string describeForDebugging(StoreError::Kind kind, const QString& subject,
                                 const QString& engineMessage, const QString& detail) {
    QStringList parts{QStringLiteral("store error %1").arg(static_cast<int>(kind))};
    for (const QString* part : {&subject, &detail, &engineMessage})
        if (!part->isEmpty())
            parts << *part;
    return parts.join(QStringLiteral(": ")).toStdString();
}
} // namespace

StoreError::StoreError(Kind kind, QString subject, QString engineMessage, QString detail)
    : std::runtime_error(describeForDebugging(kind, subject, engineMessage, detail)), kind_(kind),
      subject_(std::move(subject)), engineMessage_(std::move(engineMessage)),
      detail_(std::move(detail)) {}

StoreError::StoreError(Kind kind, QString subject, const StoreError& cause)
    : std::runtime_error(
          describeForDebugging(kind, subject, QString::fromStdString(cause.what()), QString())),
      kind_(kind), subject_(std::move(subject)), cause_(std::make_shared<StoreError>(cause)) {}

QString StoreError::messageOf(const QSqlError& error) {
    const QString message = PostgresServer::cleanMessage(error.databaseText());
    return message.isEmpty() ? PostgresServer::cleanMessage(error.text()) : message;
}

StoreError StoreError::fromEngine(const QSqlError& error) {
    return StoreError(isBusyCode(error.nativeErrorCode()) ? Kind::Busy : Kind::Refused, QString(),
                      messageOf(error));
}
