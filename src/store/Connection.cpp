#include "store/Connection.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace {
const char* const kRequiredTables[] = {"tbl_user", "tbl_reminder", "tbl_popdem"};

QString lastMessage(const QSqlError& error) {
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}
} // namespace

Connection::Outcome Connection::Open(const QString& filePath, const QString& connectionName) {
    QFileInfo info(filePath);
    if (!info.exists() || !info.isFile())
        return {OpenResult::Missing, {}};

    Close(connectionName);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    // "mode=rw" opens an existing file only: the program never creates the store.
    QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    url.setQuery(QStringLiteral("mode=rw"));
    db.setDatabaseName(url.toString(QUrl::FullyEncoded));
    db.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db.open())
        return {OpenResult::CannotOpen, lastMessage(db.lastError())};

    // SQLite reads the file lazily: these statements are what finds out whether it is ours.
    QSqlQuery pragma(db);
    if (!pragma.exec(QStringLiteral("PRAGMA journal_mode=DELETE"))) {
        const QString message = lastMessage(pragma.lastError());
        pragma.finish();
        Close(connectionName);
        return {OpenResult::CannotOpen, message};
    }
    pragma.finish();
    for (const char* table : kRequiredTables) {
        QSqlQuery check(db);
        check.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND "
                                     "name=? COLLATE NOCASE"));
        check.addBindValue(QString::fromLatin1(table));
        if (!check.exec() || !check.next()) {
            const QString message = check.lastError().isValid()
                                        ? lastMessage(check.lastError())
                                        : QStringLiteral("no such table: %1").arg(table);
            check.finish();
            Close(connectionName);
            return {OpenResult::CannotOpen, message};
        }
        check.finish();
    }
    return {OpenResult::Opened, {}};
}

void Connection::Close(const QString& connectionName) {
    if (!QSqlDatabase::contains(connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}
