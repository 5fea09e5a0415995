#include "support/TempStore.h"

#include "store/StoreError.h"

#include "platform/AppLocations.h"
#include "platform/ExecutableFolder.h"
#include "store/Connection.h"
#include "store/NewStore.h"
#include "store/PostgresServer.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <gtest/gtest.h>
#include <stdexcept>

TempDatabase::TempDatabase()
    : name_(QStringLiteral("qxtest_") + QUuid::createUuid().toString(QUuid::Id128)) {
    runOnServer(QStringLiteral("CREATE DATABASE ") + name_);
}

TempDatabase::~TempDatabase() {
    try {
        runOnServer(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name_));
    } catch (const std::exception& error) {
        ADD_FAILURE() << error.what();
    }
}

QString TempDatabase::uri() const {
    return TempStore::serverUri(name_);
}

void TempDatabase::runOnServer(const QString& statement) {
    const QString name = QStringLiteral("server-") + QUuid::createUuid().toString(QUuid::Id128);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(PostgresServer::kDriver, name);
        try {
            PostgresServer::open(db, TempStore::serverUri(), Connection::kBusyTimeoutMs);
            QSqlQuery query(db);
            if (!query.exec(statement))
                error = query.lastError().text();
        } catch (const StoreError& failed) {
            error = QString::fromUtf8(failed.what());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!error.isEmpty())
        throw std::runtime_error((statement + QStringLiteral(": ") + error).toStdString());
}

TempStore::TempStore(const QString& connectionName, Engine engine) : engine_(engine) {
    if (!dir_.isValid())
        throw std::runtime_error("no temporary folder");
    ExecutableFolder::overrideForTests(dir_.path());
    if (engine_ == Engine::Postgres)
        database_ = std::make_unique<TempDatabase>();
    NewStore::create(location());
    session_.connectionName = connectionName;
    const auto outcome = Connection::open(location(), connectionName);
    if (outcome.result != Connection::OpenResult::Opened)
        throw std::runtime_error(std::string("cannot open the temporary store: ") +
                                 (outcome.error ? outcome.error->what() : ""));
    checkConnection_ = connectionName + QStringLiteral("-check");
    Connection::open(location(), checkConnection_);
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
    return dir_.path() + QStringLiteral("/") + AppLocations::kStoreFileName;
}

QString TempStore::location() const {
    return database_ ? database_->uri() : filePath();
}

QString TempStore::serverStateFile() {
    return qEnvironmentVariable("QX_TEST_POSTGRES");
}

void TempStore::controlServer(const QString& command) {
    QProcess script;
    script.setProcessChannelMode(QProcess::ForwardedChannels);
    script.start(qEnvironmentVariable("QX_TEST_POSTGRES_SCRIPT"), {command, serverStateFile()});
    if (!script.waitForFinished(60000) || script.exitStatus() != QProcess::NormalExit ||
        script.exitCode() != 0)
        throw std::runtime_error("the cluster script failed: " + command.toStdString());
}

bool TempStore::serverConfigured() {
    return !serverStateFile().isEmpty() && QFile::exists(serverStateFile());
}

QString TempStore::serverUri(const QString& database) {
    QFile state(serverStateFile());
    if (!state.open(QIODevice::ReadOnly))
        throw std::runtime_error("no PostgreSQL test server (QX_TEST_POSTGRES)");
    static const QRegularExpression uriLine(
        QStringLiteral(R"(^uri=(postgresql://[^/]*/)[^?]*(.*)$)"),
        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = uriLine.match(QString::fromUtf8(state.readAll()));
    if (!match.hasMatch())
        throw std::runtime_error("the test server's state file names no URI");
    return match.captured(1) + database + match.captured(2);
}

std::vector<Engine> TempStore::engines() {
    if (serverConfigured())
        return {Engine::Sqlite, Engine::Postgres};
    return {Engine::Sqlite};
}

std::string TempStore::engineName(const ::testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::Postgres ? "PostgreSQL" : "SQLite";
}

Session TempStore::openSecondSession(const QString& connectionName) {
    const auto outcome = Connection::open(location(), connectionName);
    if (outcome.result != Connection::OpenResult::Opened)
        throw std::runtime_error("cannot open a second connection");
    extraConnections_.push_back(connectionName);
    Session session;
    session.connectionName = connectionName;
    return session;
}
std::vector<std::vector<QVariant>> TempStore::rows(const QString& sql,
                                                   const std::vector<QVariant>& bindings) const {
    // Tests that restart the server find it again.
    Connection::ensureUsable(checkConnection_);
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
    execute(
        QStringLiteral("INSERT INTO tbl_user(UserLogName, UserTrueName, UserPwd, Remarks, IfAdmin) "
                       "VALUES(?, ?, ?, ?, ?)"),
        {logName, trueName, password, remarks, admin ? 1 : 0});
    return scalar(QStringLiteral("SELECT MAX(KeyID) FROM tbl_user")).toInt();
}

int TempStore::addReminder(const Reminder& r) {
    execute(
        QStringLiteral("INSERT INTO tbl_reminder(ReUserID, ReDetail, ReAction, ReBeginTime, "
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
