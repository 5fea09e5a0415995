#include "support/TempStore.h"

#include "store/StoreError.h"

#include "platform/AppLocations.h"
#include "platform/ExecutableFolder.h"
#include "store/Connection.h"
#include "store/NewStore.h"
#include "store/Passwords.h"
#include "store/PostgresServer.h"
#include "store/ServerSchema.h"

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
        // A store's roles belong to the cluster, not the database: its accounts, then its groups.
        runOnServer(QStringLiteral(
                        "DO $$ DECLARE r text; BEGIN FOR r IN SELECT rolname FROM pg_roles "
                        "WHERE starts_with(rolname, '%1.') OR starts_with(rolname, '%1:') "
                        "ORDER BY starts_with(rolname, '%1:'), rolname LIKE '%:owner' LOOP "
                        "EXECUTE format('DROP ROLE %I', r); END LOOP; END $$")
                        .arg(name_));
    } catch (const std::exception& error) {
        ADD_FAILURE() << error.what();
    }
}

QString TempDatabase::uri() const {
    return TempStore::serverUri(name_);
}

QString TempDatabase::programUri() const {
    return TempStore::programUri(name_);
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
    NewStore::create(database_ ? database_->uri() : filePath());
    checkConnection_ = connectionName + QStringLiteral("-check");
    openCheckConnection();
    if (database_) {
        // The tests of statements and windows work on any row, as a file's connection can: their
        // account passes the row-level checks. The tests of the checks log in as accounts.
        runOnStore(QStringLiteral("CREATE ROLE %1 LOGIN BYPASSRLS PASSWORD '%2' IN ROLE %3")
                       .arg(ServerSchema::quoted(Connection::roleName(database_->name(),
                                                                      kUnrestrictedLogin)),
                            Passwords::makeVerifier(Passwords::normalised("1")),
                            ServerSchema::quoted(ServerSchema::groupsOf(database_->name()).member)));
        runOnStore(QStringLiteral("GRANT ALL ON ALL TABLES IN SCHEMA public TO %1")
                       .arg(ServerSchema::quoted(
                           Connection::roleName(database_->name(), kUnrestrictedLogin))));
    }
    session_ = openSession(connectionName);
}

TempStore::~TempStore() {
    Connection::close(session_.connectionName);
    if (database_) {
        QSqlDatabase::database(checkConnection_, false).close();
        QSqlDatabase::removeDatabase(checkConnection_);
    } else {
        Connection::close(checkConnection_);
    }
    for (const QString& name : extraConnections_)
        Connection::close(name);
    ExecutableFolder::overrideForTests(QString());
}

void TempStore::runOnStore(const QString& statement) const {
    // Unprepared: a server prepares no statement that defines things.
    QSqlQuery query(QSqlDatabase::database(checkConnection_, false));
    if (!query.exec(statement))
        throw std::runtime_error(query.lastError().text().toStdString());
}

Session TempStore::openSession(const QString& connectionName, const QString& loginName,
                               const QString& password) {
    const auto outcome = Connection::open(location(), connectionName);
    if (outcome.result != Connection::OpenResult::Opened)
        throw std::runtime_error(std::string("cannot open the temporary store: ") +
                                 (outcome.error ? outcome.error->what() : ""));
    Session session;
    session.connectionName = connectionName;
    if (database_ && !loginName.isEmpty()) {
        // A server store is used by an account: the administrator unless a test says otherwise.
        Connection::logIn(connectionName, loginName, Passwords::normalised(password));
        session.currentLoginName = loginName;
    }
    return session;
}

// The tests' own look at the store: the file as it is, or the server as its superuser, whom
// no policy limits.
void TempStore::openCheckConnection() const {
    if (!database_) {
        Connection::open(location(), checkConnection_);
        return;
    }
    if (QSqlDatabase::contains(checkConnection_)) {
        QSqlDatabase::database(checkConnection_, false).close();
        QSqlDatabase::removeDatabase(checkConnection_);
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(PostgresServer::kDriver, checkConnection_);
    PostgresServer::open(db, database_->uri(), Connection::kBusyTimeoutMs);
}

QString TempStore::dir() const {
    return ExecutableFolder::path();
}

QString TempStore::filePath() const {
    return dir_.path() + QStringLiteral("/") + AppLocations::kStoreFileName;
}

QString TempStore::location() const {
    return database_ ? database_->programUri() : filePath();
}

QString TempStore::toolLocation() const {
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

QString TempStore::programUri(const QString& database) {
    QString uri = serverUri(database);
    static const QRegularExpression user(QStringLiteral("[&?]user=[^&]*"));
    uri.remove(user);
    if (!uri.contains(QLatin1Char('?')))
        uri.replace(uri.indexOf(QLatin1Char('&')), 1, QLatin1Char('?'));
    return uri;
}

std::vector<Engine> TempStore::engines() {
    if (serverConfigured())
        return {Engine::Sqlite, Engine::Postgres};
    return {Engine::Sqlite};
}

std::string TempStore::engineName(const ::testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::Postgres ? "PostgreSQL" : "SQLite";
}

Session TempStore::openSecondSession(const QString& connectionName, const QString& loginName,
                                     const QString& password) {
    Session session = openSession(connectionName, loginName, password);
    extraConnections_.push_back(connectionName);
    return session;
}
std::vector<std::vector<QVariant>> TempStore::rows(const QString& sql,
                                                   const std::vector<QVariant>& bindings) const {
    // Tests that restart the server find it again.
    if (database_) {
        if (PostgresServer::connectionLost(QSqlDatabase::database(checkConnection_, false)))
            openCheckConnection();
    } else {
        Connection::ensureUsable(checkConnection_);
    }
    QSqlQuery query(QSqlDatabase::database(checkConnection_, false));
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
        {logName, trueName,
         // A server's account logs in as a role, which takes only a verifier.
         database_ ? Passwords::makeVerifier(Passwords::normalised(password)) : password, remarks,
         admin ? 1 : 0});
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
