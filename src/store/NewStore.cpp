#include "store/NewStore.h"

#include "store/StoreError.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace {

// Text compared in a where clause ignores letter case; numbers carry INTEGER affinity so
// that a bound "3" is stored and compared as 3. Keys are 64-bit in SQLite but the program
// only ever sees the 32-bit range it assigns from 1 upwards.
const char* const kSchema[] = {
    "CREATE TABLE tbl_user ("
    " KeyID INTEGER PRIMARY KEY AUTOINCREMENT,"
    " UserLogName TEXT COLLATE NOCASE,"
    " UserTrueName TEXT COLLATE NOCASE,"
    " UserPwd TEXT COLLATE NOCASE,"
    " Remarks TEXT COLLATE NOCASE,"
    " IfAdmin INTEGER DEFAULT 0)",
    "CREATE TABLE tbl_reminder ("
    " KeyID INTEGER PRIMARY KEY AUTOINCREMENT,"
    " ReUserID INTEGER,"
    " ReDetail TEXT COLLATE NOCASE,"
    " ReAction INTEGER,"
    " ReBeginTime TEXT COLLATE NOCASE,"
    " ReIntervalNumber INTEGER,"
    " ReIntervalType TEXT COLLATE NOCASE,"
    " ReDoTime TEXT COLLATE NOCASE,"
    " RedouserID INTEGER,"
    " Retype INTEGER,"
    " IfDone INTEGER,"
    " TotalTime INTEGER)",
    "CREATE TABLE tbl_popdem ("
    " KeyID INTEGER PRIMARY KEY AUTOINCREMENT,"
    " UserId INTEGER,"
    " UserPopdem TEXT COLLATE NOCASE)",
    // The four polls and the popup lists: one user's pending rows of one kind by sort key.
    "CREATE INDEX ix_reminder_poll ON tbl_reminder(ReUserID, IfDone, Retype, TotalTime)",
    // The pending and history lists: one user's rows by done flag and sort key.
    "CREATE INDEX ix_reminder_recipient ON tbl_reminder(ReUserID, IfDone, TotalTime)",
    // The published list and the edit opener: one publisher's pending rows, newest first.
    "CREATE INDEX ix_reminder_publisher ON tbl_reminder(RedouserID, IfDone, ReDoTime)",
    "CREATE INDEX ix_user_logname ON tbl_user(UserLogName)",
    "CREATE INDEX ix_popdem_user ON tbl_popdem(UserId)",
};

void exec(QSqlDatabase& db, const QString& statement) {
    QSqlQuery query(db);
    if (!query.exec(statement))
        throw StoreError(query.lastError().text());
}

} // namespace

void NewStore::create(const QString& filePath) {
    if (QFileInfo::exists(filePath))
        throw StoreError(QStringLiteral("文件已存在，不会覆盖：%1").arg(filePath));

    const QString connectionName =
        QStringLiteral("newstore-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool created = false;
    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        db.setDatabaseName(filePath);
        if (!db.open()) {
            failure = db.lastError().text();
        } else {
            try {
                exec(db, QStringLiteral("PRAGMA journal_mode=DELETE"));
                exec(db, QStringLiteral("BEGIN"));
                for (const char* statement : kSchema)
                    exec(db, QString::fromLatin1(statement));
                QSqlQuery admin(db);
                admin.prepare(QStringLiteral("INSERT INTO tbl_user(UserLogName, UserTrueName, "
                                             "UserPwd, Remarks, IfAdmin) VALUES(?, ?, ?, ?, 1)"));
                admin.addBindValue(kAdminLogName);
                admin.addBindValue(kAdminTrueName);
                admin.addBindValue(kAdminDefaultPassword);
                admin.addBindValue(QStringLiteral(""));
                if (!admin.exec())
                    throw StoreError(admin.lastError().text());
                exec(db, QStringLiteral("COMMIT"));
                created = true;
            } catch (const StoreError& error) {
                failure = QString::fromUtf8(error.what());
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connectionName);
    if (!created) {
        QFile::remove(filePath);
        throw StoreError(QStringLiteral("无法创建数据库文件 %1：%2").arg(filePath, failure));
    }
}
