#include "store/StoreUpgrade.h"

#include "store/Connection.h"
#include "store/DirectStatements.h"

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

int StoreUpgrade::version(const QString& connectionName) {
    Connection::ensureUsable(connectionName);
    return versionOf(QSqlDatabase::database(connectionName, false),
                     Connection::engine(connectionName));
}

bool StoreUpgrade::hasYearlyRepeat(const QString& connectionName) {
    try {
        return version(connectionName) >= 2;
    } catch (const StoreError&) {
        return false;
    }
}

void StoreUpgrade::upgradeServer(const QSqlDatabase& db, int /*fromVersion*/) {
    addVersionTwo(db, Engine::Postgres);
}

std::optional<StoreError> StoreUpgrade::upgrade(const QString& location, Outcome* outcome) {
    const QString name =
        QStringLiteral("upgrade-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    const Connection::Outcome opened = Connection::open(location, name);
    if (opened.result == Connection::OpenResult::Missing)
        return StoreError(StoreError::Kind::Missing, location);
    if (opened.result != Connection::OpenResult::Opened)
        return StoreError(StoreError::Kind::CannotUpgrade, location,
                          opened.error ? *opened.error : StoreError(StoreError::Kind::NotOpen));
    const Engine engine = Connection::engine(name);
    std::optional<StoreError> failure;
    {
        const QSqlDatabase db = QSqlDatabase::database(name, false);
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
    Connection::close(name);
    return failure;
}
