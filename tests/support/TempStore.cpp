#include "support/TempStore.h"

#include "platform/ExecutableFolder.h"
#include "store/Connection.h"
#include "store/NewStore.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>
#include <stdexcept>

TempStore::TempStore(const QString& connectionName) {
    if (!dir_.isValid())
        throw std::runtime_error("no temporary folder");
    ExecutableFolder::overrideForTests(dir_.path());
    NewStore::Create(filePath());
    session_.connectionName = connectionName;
    const auto outcome = Connection::Open(filePath(), connectionName);
    if (outcome.result != Connection::OpenResult::Opened)
        throw std::runtime_error("cannot open the temporary store");
    checkConnection_ = connectionName + QStringLiteral("-check");
    Connection::Open(filePath(), checkConnection_);
}

TempStore::~TempStore() {
    Connection::Close(session_.connectionName);
    Connection::Close(checkConnection_);
    for (const QString& name : extraConnections_)
        Connection::Close(name);
    ExecutableFolder::overrideForTests(QString());
}

QString TempStore::Dir() const {
    return ExecutableFolder::path();
}

QString TempStore::filePath() const {
    return dir_.path() + QStringLiteral("/") + Connection::kDatabaseFileName;
}

Session TempStore::OpenSecondSession(const QString& connectionName) {
    const auto outcome = Connection::Open(filePath(), connectionName);
    if (outcome.result != Connection::OpenResult::Opened)
        throw std::runtime_error("cannot open a second connection");
    extraConnections_.push_back(connectionName);
    Session session;
    session.connectionName = connectionName;
    return session;
}

std::vector<std::vector<QVariant>> TempStore::Rows(const QString& sql,
                                                   const std::vector<QVariant>& bindings) const {
    QSqlQuery query(QSqlDatabase::database(checkConnection_));
    if (!query.prepare(sql))
        throw std::runtime_error(query.lastError().text().toStdString());
    for (const QVariant& value : bindings)
        query.addBindValue(value);
    if (!query.exec())
        throw std::runtime_error(query.lastError().text().toStdString());
    std::vector<std::vector<QVariant>> rows;
    while (query.next()) {
        std::vector<QVariant> row;
        for (int c = 0; c < query.record().count(); ++c)
            row.push_back(query.value(c));
        rows.push_back(std::move(row));
    }
    query.finish();
    return rows;
}

QVariant TempStore::Scalar(const QString& sql, const std::vector<QVariant>& bindings) const {
    const auto rows = Rows(sql, bindings);
    if (rows.empty() || rows.front().empty())
        return {};
    return rows.front().front();
}

void TempStore::Exec(const QString& sql, const std::vector<QVariant>& bindings) const {
    Rows(sql, bindings);
}

int TempStore::count(const QString& table) const {
    return Scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
}

int TempStore::AddUser(const QString& logName, const QString& trueName, const QString& password,
                       bool admin, const QString& remarks) {
    Exec(QStringLiteral("INSERT INTO tbl_user(UserLogName, UserTrueName, UserPwd, Remarks, IfAdmin) "
                        "VALUES(?, ?, ?, ?, ?)"),
         {logName, trueName, password, remarks, admin ? 1 : 0});
    return Scalar(QStringLiteral("SELECT MAX(KeyID) FROM tbl_user")).toInt();
}

int TempStore::AddReminder(const Reminder& r) {
    Exec(QStringLiteral("INSERT INTO tbl_reminder(ReUserID, ReDetail, ReAction, ReBeginTime, "
                        "ReIntervalNumber, ReIntervalType, ReDoTime, RedouserID, Retype, IfDone, "
                        "TotalTime) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
         {r.recipient, r.detail, r.action, r.beginTime, r.intervalNumber, r.intervalType, r.doTime,
          r.publisher, r.kind, r.done, r.totalTime});
    return Scalar(QStringLiteral("SELECT MAX(KeyID) FROM tbl_reminder")).toInt();
}

void TempStore::SetPermission(int userKey, const QString& permission) {
    Exec(QStringLiteral("INSERT INTO tbl_popdem(UserId, UserPopdem) VALUES(?, ?)"),
         {userKey, permission});
}
