#include "store/StoreUpgrade.h"

#include "store/Connection.h"
#include "store/DirectStatements.h"
#include "store/PostgresServer.h"
#include "store/ServerSchema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <algorithm>

namespace {

using DirectStatements::scalar;

void run(const QSqlDatabase& db, const QString& statement,
         const std::vector<QVariant>& values = {}) {
    DirectStatements::exec(db, statement, values);
}

bool hasTable(const QSqlDatabase& db, Engine engine, const QString& table) {
    if (engine == Engine::Postgres)
        return scalar(db, QStringLiteral("SELECT to_regclass(?) IS NOT NULL"), {table}).toBool();
    return scalar(db,
                  QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type='table' AND "
                                 "name=? COLLATE NOCASE"),
                  {table})
               .toInt() > 0;
}

bool hasRepeatColumn(const QSqlDatabase& db, Engine engine) {
    if (engine == Engine::Postgres)
        return scalar(db, QStringLiteral("SELECT COUNT(*) FROM information_schema.columns WHERE "
                                         "table_schema = current_schema() AND table_name = "
                                         "'tbl_reminder' AND column_name = 'rerepeat'"))
                   .toInt() > 0;
    return scalar(db, QStringLiteral("SELECT COUNT(*) FROM pragma_table_info('tbl_reminder') "
                                     "WHERE name = 'ReRepeat' COLLATE NOCASE"))
               .toInt() > 0;
}

int versionOf(const QSqlDatabase& db, Engine engine) {
    if (!hasTable(db, engine, QStringLiteral("tbl_version")))
        return 1;
    return std::max(1, scalar(db, QStringLiteral("SELECT MAX(Version) FROM tbl_version")).toInt());
}

// What both engines add: the column, and the version table with its one row.
void addVersionTwo(const QSqlDatabase& db, Engine engine) {
    if (!hasRepeatColumn(db, engine))
        run(db, QStringLiteral("ALTER TABLE tbl_reminder ADD COLUMN ReRepeat TEXT"));
    if (!hasTable(db, engine, QStringLiteral("tbl_version")))
        run(db, QStringLiteral("CREATE TABLE tbl_version (Version INTEGER)"));
    run(db, QStringLiteral("DELETE FROM tbl_version"));
    run(db, QStringLiteral("INSERT INTO tbl_version(Version) VALUES(?)"),
        {StoreUpgrade::kCurrentVersion});
}

} // namespace

namespace {
std::optional<StoreError> upgradeOpen(const QSqlDatabase& db, Engine engine,
                                      const QString& location, StoreUpgrade::Outcome* outcome);
} // namespace

int StoreUpgrade::versionOn(const QSqlDatabase& db, Engine engine) {
    return versionOf(db, engine);
}

int StoreUpgrade::version(const QString& connectionName) {
    Connection::ensureUsable(connectionName);
    return versionOf(Connection::database(connectionName), Connection::engine(connectionName));
}

bool StoreUpgrade::hasYearlyRepeat(const QString& connectionName) {
    try {
        return version(connectionName) >= 2;
    } catch (const StoreError&) {
        return false;
    }
}

void StoreUpgrade::upgradeServer(const QSqlDatabase& db, int /*fromVersion*/) {
    const QString database = scalar(db, QStringLiteral("SELECT current_database()")).toString();
    const QString previousOwner =
        scalar(db, QStringLiteral("SELECT tableowner FROM pg_tables WHERE tablename = 'tbl_user' "
                                  "AND schemaname = current_schema()"))
            .toString();
    addVersionTwo(db, Engine::Postgres);
    // A store that has its owner role has its checks already; the version table is its too.
    const ServerSchema::Groups groups = ServerSchema::groupsOf(database);
    if (previousOwner == groups.owner) {
        run(db, QStringLiteral("ALTER TABLE public.tbl_version OWNER TO %1")
                    .arg(ServerSchema::quoted(groups.owner)));
        run(db, QStringLiteral("GRANT SELECT ON public.tbl_version TO %1")
                    .arg(ServerSchema::quoted(groups.member)));
        return;
    }
    // The previous version's team role owned everything and every member logged in as it: it
    // must not log in again, and whoever upgrades must be able to take that away.
    const bool ownerIsSuperuser =
        scalar(db, QStringLiteral("SELECT rolsuper FROM pg_roles WHERE rolname = ?"),
               {previousOwner})
            .toBool();
    if (!ownerIsSuperuser &&
        previousOwner == scalar(db, QStringLiteral("SELECT session_user")).toString())
        throw StoreError(StoreError::Kind::Refused, QString(),
                         QStringLiteral("run the upgrade as the server's administrator, not as "
                                        "the store's owner role ") +
                             previousOwner);
    const QString owner = ServerSchema::quoted(ServerSchema::groupsOf(database).owner);
    for (const QString& statement : ServerSchema::owner(database))
        run(db, statement);
    for (const char* table : {"tbl_user", "tbl_reminder", "tbl_popdem", "tbl_version"})
        run(db, QStringLiteral("ALTER TABLE public.%1 OWNER TO %2")
                    .arg(QString::fromLatin1(table), owner));
    if (!ownerIsSuperuser)
        run(db,
            QStringLiteral("ALTER ROLE %1 NOLOGIN").arg(ServerSchema::quoted(previousOwner)));
    for (const QString& statement : ServerSchema::actAsOwner(database))
        run(db, statement);
    for (const QString& statement : ServerSchema::serverTables())
        run(db, statement);
    ServerSchema::secure(db, database);
}

std::optional<StoreError> StoreUpgrade::upgrade(const QString& location, Outcome* outcome) {
    const QString name =
        QStringLiteral("upgrade-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    // A server is upgraded as its administrator, whom the tool's URI names.
    if (Connection::engineOf(location) == Engine::Postgres) {
        std::optional<StoreError> failure;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(PostgresServer::kDriver, name);
            try {
                PostgresServer::open(db, location, Connection::kBusyTimeoutMs);
                failure = upgradeOpen(db, Engine::Postgres, location, outcome);
            } catch (const StoreError& error) {
                failure = StoreError(StoreError::Kind::CannotUpgrade, location, error);
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        return failure;
    }
    const Connection::Outcome opened = Connection::open(location, name);
    if (opened.result == Connection::OpenResult::Missing)
        return StoreError(StoreError::Kind::Missing, location);
    if (opened.result != Connection::OpenResult::Opened)
        return StoreError(StoreError::Kind::CannotUpgrade, location,
                          opened.error ? *opened.error : StoreError(StoreError::Kind::NotOpen));
    const std::optional<StoreError> failure =
        upgradeOpen(QSqlDatabase::database(name, false), Engine::Sqlite, location, outcome);
    Connection::close(name);
    return failure;
}

namespace {

std::optional<StoreError> upgradeOpen(const QSqlDatabase& db, Engine engine,
                                      const QString& location, StoreUpgrade::Outcome* outcome) {
    using namespace StoreUpgrade;
    std::optional<StoreError> failure;
    {
        bool inTransaction = false;
        try {
            // A file is locked for writing from the start, so that another upgrade running at
            // the same moment waits and then finds the store current.
            run(db, engine == Engine::Sqlite ? QStringLiteral("BEGIN IMMEDIATE")
                                             : QStringLiteral("BEGIN"));
            inTransaction = true;
            if (engine == Engine::Postgres)
                run(db, QStringLiteral("LOCK TABLE tbl_reminder IN SHARE ROW EXCLUSIVE MODE"));
            const int from = versionOf(db, engine);
            if (outcome)
                *outcome = Outcome{from, from < kCurrentVersion};
            if (from < kCurrentVersion) {
                if (engine == Engine::Postgres)
                    upgradeServer(db, from);
                else
                    addVersionTwo(db, engine);
            }
            run(db, QStringLiteral("COMMIT"));
            inTransaction = false;
        } catch (const StoreError& error) {
            if (inTransaction) {
                QSqlQuery rollback(db);
                rollback.exec(QStringLiteral("ROLLBACK"));
            }
            if (outcome)
                outcome->upgraded = false;
            failure = StoreError(StoreError::Kind::CannotUpgrade, location, error);
        }
    }
    return failure;
}

} // namespace
