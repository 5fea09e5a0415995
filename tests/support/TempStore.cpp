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
    NewStore::create(filePath());
    session_.connectionName = connectionName;
    const auto outcome = Connection::open(filePath(), connectionName);
    if (outcome.result != Connection::OpenResult::Opened)
        throw std::runtime_error("cannot open the temporary store");
    checkConnection_ = connectionName + QStringLiteral("-check");
    Connection::open(filePath(), checkConnection_);
}

TempStore::~TempStore() {
    Connection::close(session_.connectionName);
    Connection::close(checkConnection_);
    for (const QString& name : extraConnections_)
        Connection::close(name);
    ExecutableFolder::overrideForTests(QString());
}

QString TempStore::dir() const {
    return ExecutableFolder::path();
}

QString TempStore::filePath() const {
    return dir_.path() + QStringLiteral("/") + Connection::kDatabaseFileName;
}

Session TempStore::openSecondSession(const QString& connectionName) {
    const auto outcome = Connection::open(filePath(), connectionName);
    if (outcome.result != Connection::OpenResult::Opened)
        throw std::runtime_error("cannot open a second connection");
    extraConnections_.push_back(connectionName);
    Session session;
    session.connectionName = connectionName;
    return session;
}

std::vector<std::vector<QVariant>> TempStore::rows(const QString& sql,
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

QVariant TempStore::scalar(const QString& sql, const std::vector<QVariant>& bindings) const {
    const auto found = rows(sql, bindings);
    if (found.empty() || found.front().empty())
        return {};
    return found.front().front();
}

void TempStore::execute(const QString& sql, const std::vector<QVariant>& bindings) const {
    rows(sql, bindings);
}

int TempStore::count(const QString& table) const {
    return scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
}

int TempStore::addUser(const QString& logName, const QString& trueName, const QString& password,
                       bool admin, const QString& remarks) {
    execute(QStringLiteral("INSERT INTO tbl_user(UserLogName, UserTrueName, UserPwd, Remarks, IfAdmin) "
                        "VALUES(?, ?, ?, ?, ?)"),
         {logName, trueName, password, remarks, admin ? 1 : 0});
    return scalar(QStringLiteral("SELECT MAX(KeyID) FROM tbl_user")).toInt();
}

int TempStore::addReminder(const Reminder& r) {
    execute(QStringLiteral("INSERT INTO tbl_reminder(ReUserID, ReDetail, ReAction, ReBeginTime, "
                        "ReIntervalNumber, ReIntervalType, ReDoTime, RedouserID, Retype, IfDone, "
                        "TotalTime) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
         {r.recipient, r.detail, r.action, r.beginTime, r.intervalNumber, r.intervalType, r.doTime,
          r.publisher, r.kind, r.done, r.totalTime});
    return scalar(QStringLiteral("SELECT MAX(KeyID) FROM tbl_reminder")).toInt();
}

void TempStore::setPermission(int userKey, const QString& permission) {
    execute(QStringLiteral("INSERT INTO tbl_popdem(UserId, UserPopdem) VALUES(?, ?)"),
         {userKey, permission});
}
