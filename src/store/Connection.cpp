#include "store/Connection.h"

#include "store/PostgresServer.h"
#include "store/StoreError.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <sqlite3.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {
const char* const kRequiredTables[] = {"tbl_user", "tbl_reminder", "tbl_popdem"};

// What identifies a file whatever its name: the device and the inode. Where the platform has
// no such thing the existence of the path is all that is checked.
struct FileId {
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const FileId&) const = default;
};

FileId fileIdOf(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {true, static_cast<quint64>(info.st_dev), static_cast<quint64>(info.st_ino)};
#else
    return {QFileInfo::exists(path), 0, 0};
#endif
}

// Per open connection. Held by pointer so that the engine's busy handler can keep its
// address for the life of the connection.
struct ConnectionState {
    Engine engine = Engine::Sqlite;
    QString location; // file path or server URI
    FileId file;
    int noWaitDepth = 0;
    std::chrono::steady_clock::time_point waitStart;
    // The last attempt to reach a lost server, when it failed only after waiting.
    std::optional<std::chrono::steady_clock::time_point> slowFailureAt;
    std::optional<StoreError> slowFailure;
};

// A server that lets an attempt to reach it wait for its timeout is not tried again by work
// nobody waits for until this long after: that work runs every few seconds and would
// otherwise hold the windows most of the time while the network is gone.
constexpr auto kSlowAttemptMs = std::chrono::milliseconds(1000);
constexpr auto kReachAgainAfterMs = std::chrono::milliseconds(20000);

struct Registry {
    std::mutex mutex;
    std::map<QString, std::unique_ptr<ConnectionState>> open;
    std::map<QString, quint64> openCounts;
    std::map<QString, quint64> connectAttempts;
    std::function<void()> waitObserver;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

ConnectionState* stateOf(const QString& name) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    const auto found = r.open.find(name);
    return found == r.open.end() ? nullptr : found->second.get();
}

sqlite3* handleOf(const QSqlDatabase& db) {
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.data());
}

// Waits for another copy's lock as the engine's own busy timeout would, except while the
// connection is told not to wait, and lets the program show that it is waiting.
int onBusy(void* context, int attempt) {
    auto* state = static_cast<ConnectionState*>(context);
    if (state->noWaitDepth > 0)
        return 0;
    const auto now = std::chrono::steady_clock::now();
    if (attempt == 0) {
        state->waitStart = now;
        std::function<void()> observer;
        {
            std::lock_guard lock(registry().mutex);
            observer = registry().waitObserver;
        }
        if (observer)
            observer();
    }
    if (now - state->waitStart >= std::chrono::milliseconds(Connection::kBusyTimeoutMs))
        return 0;
    // Short sleeps first: most locks are a commit of a few milliseconds.
    static constexpr int kSleepsMs[] = {1, 2, 5, 10, 15, 20, 25, 25, 25, 50, 50};
    const int count = static_cast<int>(std::size(kSleepsMs));
    sqlite3_sleep(attempt < count ? kSleepsMs[attempt] : 100);
    return 1;
}

Connection::Outcome failed(const QString& connectionName, const StoreError& error) {
    Connection::close(connectionName);
    return {Connection::OpenResult::CannotOpen, error};
}

void removeDriver(const QString& connectionName) {
    if (!QSqlDatabase::contains(connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

void registerOpen(const QString& connectionName, std::unique_ptr<ConnectionState> state) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.open[connectionName] = std::move(state);
    ++r.openCounts[connectionName];
}

// A fresh driver each time: statements prepared on the lost connection then belong to a
// driver that is gone and are never sent to the new one.
// Throws StoreError when the server cannot be reached or refuses the connection.
void connectServer(const QString& connectionName, const QString& uri) {
    removeDriver(connectionName);
    {
        Registry& r = registry();
        std::lock_guard lock(r.mutex);
        ++r.connectAttempts[connectionName];
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(PostgresServer::kDriver, connectionName);
    PostgresServer::open(db, uri, Connection::kBusyTimeoutMs);
}

Connection::Outcome openServer(const QString& uri, const QString& connectionName) {
    Connection::close(connectionName);
    try {
        connectServer(connectionName, uri);
        QSqlQuery check(QSqlDatabase::database(connectionName, false));
        for (const char* table : kRequiredTables) {
            check.prepare(QStringLiteral("SELECT to_regclass(?) IS NOT NULL"));
            check.addBindValue(QString::fromLatin1(table));
            if (!check.exec() || !check.next())
                throw StoreError::fromEngine(check.lastError());
            if (!check.value(0).toBool())
                throw StoreError(StoreError::Kind::NoSuchTable, QString::fromLatin1(table));
        }
    } catch (const StoreError& error) {
        return failed(connectionName, error);
    }
    auto state = std::make_unique<ConnectionState>();
    state->engine = Engine::Postgres;
    state->location = uri;
    registerOpen(connectionName, std::move(state));
    return {Connection::OpenResult::Opened, {}};
}

} // namespace

Engine Connection::engineOf(const QString& location) {
    return PostgresServer::isUri(location) ? Engine::Postgres : Engine::Sqlite;
}

Connection::Outcome Connection::open(const QString& location, const QString& connectionName) {
    if (engineOf(location) == Engine::Postgres)
        return openServer(location, connectionName);
    QFileInfo info(location);
    if (!info.exists() || !info.isFile())
        return {OpenResult::Missing, {}};

    close(connectionName);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    // "mode=rw" opens an existing file only: the program never creates the store.
    QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    url.setQuery(QStringLiteral("mode=rw"));
    db.setDatabaseName(url.toString(QUrl::FullyEncoded));
    db.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db.open())
        return {OpenResult::CannotOpen, StoreError::fromEngine(db.lastError())};

    // SQLite reads the file lazily: these statements are what finds out whether it is ours.
    QSqlQuery pragma(db);
    if (!pragma.exec(QStringLiteral("PRAGMA journal_mode=DELETE"))) {
        const StoreError error = StoreError::fromEngine(pragma.lastError());
        pragma.finish();
        return failed(connectionName, error);
    }
    pragma.finish();
    for (const char* table : kRequiredTables) {
        QSqlQuery check(db);
        check.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND "
                                     "name=? COLLATE NOCASE"));
        check.addBindValue(QString::fromLatin1(table));
        if (!check.exec() || !check.next()) {
            const StoreError error =
                check.lastError().isValid()
                    ? StoreError::fromEngine(check.lastError())
                    : StoreError(StoreError::Kind::NoSuchTable, QString::fromLatin1(table));
            check.finish();
            return failed(connectionName, error);
        }
        check.finish();
    }

    auto state = std::make_unique<ConnectionState>();
    state->location = info.absoluteFilePath();
    state->file = fileIdOf(state->location);
    if (sqlite3* handle = handleOf(db))
        sqlite3_busy_handler(handle, &onBusy, state.get());
    registerOpen(connectionName, std::move(state));
    return {OpenResult::Opened, {}};
}

void Connection::close(const QString& connectionName) {
    removeDriver(connectionName);
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.open.erase(connectionName);
}

QString Connection::filePath(const QString& connectionName) {
    const ConnectionState* state = stateOf(connectionName);
    return state ? state->location : QString();
}

Engine Connection::engine(const QString& connectionName) {
    const ConnectionState* state = stateOf(connectionName);
    return state ? state->engine : Engine::Sqlite;
}

quint64 Connection::openCount(const QString& connectionName) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    const auto found = r.openCounts.find(connectionName);
    return found == r.openCounts.end() ? 0 : found->second;
}

quint64 Connection::connectAttempts(const QString& connectionName) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    const auto found = r.connectAttempts.find(connectionName);
    return found == r.connectAttempts.end() ? 0 : found->second;
}

Connection::FileState Connection::checkFile(const QString& connectionName) {
    const ConnectionState* state = stateOf(connectionName);
    if (!state || state->engine != Engine::Sqlite)
        return FileState::Same; // not a file of ours: nothing to compare
    const FileId now = fileIdOf(state->location);
    if (!now.exists)
        return FileState::Missing;
    return now == state->file ? FileState::Same : FileState::Replaced;
}

void Connection::ensureUsable(const QString& connectionName) {
    ConnectionState* state = stateOf(connectionName);
    if (!state)
        return;
    if (state->engine == Engine::Sqlite) {
        if (checkFile(connectionName) != FileState::Same)
            throw StoreError(StoreError::Kind::Missing, state->location);
        return;
    }
    if (!PostgresServer::connectionLost(QSqlDatabase::database(connectionName, false)))
        return;
    const auto started = std::chrono::steady_clock::now();
    if (state->noWaitDepth > 0 && state->slowFailureAt &&
        started - *state->slowFailureAt < kReachAgainAfterMs)
        throw *state->slowFailure;
    const Outcome outcome = reopen(connectionName);
    if (outcome.result == OpenResult::Opened) {
        state->slowFailureAt.reset();
        return;
    }
    const auto ended = std::chrono::steady_clock::now();
    const StoreError error =
        outcome.error ? *outcome.error : StoreError(StoreError::Kind::Unreachable, state->location);
    if (ended - started >= kSlowAttemptMs) {
        state->slowFailureAt = ended;
        state->slowFailure = error;
    }
    throw error;
}

Connection::Outcome Connection::reopen(const QString& connectionName) {
    const ConnectionState* state = stateOf(connectionName);
    if (!state)
        return {OpenResult::Missing, {}};
    if (state->engine == Engine::Sqlite)
        return open(state->location, connectionName);
    // The connection keeps its name and location while the server is away, so that every
    // later statement tries again.
    try {
        connectServer(connectionName, state->location);
    } catch (const StoreError& error) {
        return {OpenResult::CannotOpen, error};
    }
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    ++r.openCounts[connectionName];
    return {OpenResult::Opened, {}};
}

Connection::NoWait::NoWait(QString connectionName) : connectionName_(std::move(connectionName)) {
    if (ConnectionState* state = stateOf(connectionName_))
        ++state->noWaitDepth;
}

Connection::NoWait::~NoWait() {
    if (ConnectionState* state = stateOf(connectionName_))
        state->noWaitDepth = std::max(0, state->noWaitDepth - 1);
}

void Connection::setWaitObserver(std::function<void()> observer) {
    std::lock_guard lock(registry().mutex);
    registry().waitObserver = std::move(observer);
}

std::optional<qint64> Connection::changeCounter(const QString& connectionName) {
    const ConnectionState* state = stateOf(connectionName);
    if (!state)
        return std::nullopt;
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    if (state->engine == Engine::Postgres)
        return db.isOpen() ? PostgresServer::changeCounter(db) : std::nullopt;
    sqlite3* handle = db.isOpen() ? handleOf(db) : nullptr;
    if (!handle)
        return std::nullopt;
    // data_version moves with every other connection's commit, total_changes with this
    // connection's own writes; together they move whenever the content may have.
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(handle, "PRAGMA data_version", -1, &statement, nullptr) != SQLITE_OK)
        return std::nullopt;
    std::optional<qint64> counter;
    if (sqlite3_step(statement) == SQLITE_ROW)
        counter = (sqlite3_column_int64(statement, 0) << 32) ^ sqlite3_total_changes64(handle);
    sqlite3_finalize(statement);
    return counter;
}
