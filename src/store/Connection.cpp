#include "store/Connection.h"

#include "store/PostgresServer.h"
#include "store/StatementWatchdog.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QUrl>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <sqlite3.h>
#include <thread>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

using SteadyClock = std::chrono::steady_clock;

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

// A server connection being opened on a worker thread. The worker hands the opened driver to
// the thread that asked for it, unless that thread gave up waiting first: then the worker
// closes what it opened, on its own thread, where the driver lives.
struct PendingConnect {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool abandoned = false;
    QString driverName;
    std::optional<StoreError> error;
};

// What a server connection needs besides its name.
struct ServerState {
    std::optional<PostgresServer::ServerAddress> address;
    // The account's role and normalised password, from the login to the end of the run.
    QString role;
    QString password;
    bool loggedIn = false;
    // The Qt SQL connection statements run on now; empty while there is none. Each opening
    // gets a name of its own, so a driver being opened never meets the one in use.
    QString driverName;
    std::shared_ptr<PendingConnect> pending;
    // The last failed attempt, which work nobody waits for repeats until it is tried again.
    std::optional<StoreError> lastFailure;
    std::optional<SteadyClock::time_point> lastFailureAt;
};

// Per open connection. Held by pointer so that the engine's busy handler can keep its
// address for the life of the connection.
struct ConnectionState {
    Engine engine = Engine::Sqlite;
    QString location; // file path or server URI
    FileId file;
    int noWaitDepth = 0;
    int version = 1;
    SteadyClock::time_point waitStart;
    ServerState server;
};

// Work nobody waits for tries a server that could not be reached again only after this long:
// it runs every few seconds, and each attempt is a connection the server has to refuse.
constexpr auto kReachAgainAfter = std::chrono::seconds(5);
// The longest a statement of work nobody waits for may go unanswered before its connection is
// given up; a user's own statement waits the connect timeout.
constexpr auto kBackgroundStatementBound = std::chrono::milliseconds(3000);
constexpr auto kUserWait = std::chrono::milliseconds(PostgresServer::kConnectTimeoutSeconds * 1000);

struct Waits {
    std::chrono::milliseconds user = kUserWait;
    std::chrono::milliseconds background = kBackgroundStatementBound;
    std::chrono::milliseconds reachAgainAfter = kReachAgainAfter;
};
Waits& waits() {
    static Waits instance;
    return instance;
}

struct Registry {
    std::mutex mutex;
    std::map<QString, std::unique_ptr<ConnectionState>> open;
    std::map<QString, quint64> openCounts;
    std::map<QString, quint64> connectAttempts;
    quint64 driverSerial = 0;
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

void notifyWaiting() {
    std::function<void()> observer;
    {
        std::lock_guard lock(registry().mutex);
        observer = registry().waitObserver;
    }
    if (observer)
        observer();
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
    const auto now = SteadyClock::now();
    if (attempt == 0) {
        state->waitStart = now;
        notifyWaiting();
    }
    if (now - state->waitStart >= std::chrono::milliseconds(Connection::kBusyTimeoutMs))
        return 0;
    // Short sleeps first: most locks are a commit of a few milliseconds.
    static constexpr int kSleepsMs[] = {1, 2, 5, 10, 15, 20, 25, 25, 25, 50, 50};
    const int count = static_cast<int>(std::size(kSleepsMs));
    sqlite3_sleep(attempt < count ? kSleepsMs[attempt] : 100);
    return 1;
}

void removeDriver(const QString& driverName) {
    if (driverName.isEmpty() || !QSqlDatabase::contains(driverName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(driverName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(driverName);
}

void registerOpen(const QString& connectionName, std::unique_ptr<ConnectionState> state) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.open[connectionName] = std::move(state);
    ++r.openCounts[connectionName];
}

// The version of the stored format: a store without the version table is the previous
// version's.
int readVersion(const QSqlDatabase& db) {
    QSqlQuery query(db);
    int version = 1;
    if (query.exec(QStringLiteral("SELECT Version FROM tbl_version")) && query.next())
        version = query.value(0).toInt();
    query.finish();
    return version;
}

// Runs on the worker thread: connects, and hands the driver over or cleans up.
void connectOnWorker(const std::shared_ptr<PendingConnect>& pending,
                     const PostgresServer::ServerAddress& address, const QString& role,
                     const QString& password, QThread* user, int deadlineMs) {
    std::optional<StoreError> error;
    const QString driverName = pending->driverName;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(PostgresServer::kDriver, driverName);
        db.setUserName(role);
        db.setPassword(password);
        try {
            PostgresServer::openWithin(db, address, true, deadlineMs, Connection::kBusyTimeoutMs);
        } catch (const StoreError& failure) {
            error = failure;
        }
    }
    std::lock_guard lock(pending->mutex);
    if (error || pending->abandoned) {
        removeDriver(driverName);
    } else {
        QSqlDatabase::database(driverName, false).driver()->moveToThread(user);
    }
    pending->error = error;
    pending->done = true;
    pending->finished.notify_all();
}

// Starts opening the server connection on a worker thread.
std::shared_ptr<PendingConnect> startConnect(const QString& connectionName, ServerState& server,
                                             int deadlineMs) {
    auto pending = std::make_shared<PendingConnect>();
    {
        Registry& r = registry();
        std::lock_guard lock(r.mutex);
        pending->driverName = connectionName + QStringLiteral("#%1").arg(++r.driverSerial);
        ++r.connectAttempts[connectionName];
    }
    std::thread(connectOnWorker, pending, *server.address, server.role, server.password,
                QThread::currentThread(), deadlineMs)
        .detach();
    server.pending = pending;
    return pending;
}

// Takes over a finished connection attempt: the new driver replaces the old one, or the
// failure is remembered. Returns whether an attempt finished.
bool takeFinished(const QString& connectionName, ServerState& server) {
    if (!server.pending)
        return false;
    std::shared_ptr<PendingConnect> pending = server.pending;
    std::lock_guard lock(pending->mutex);
    if (!pending->done)
        return false;
    server.pending.reset();
    if (pending->error) {
        server.lastFailure = pending->error;
        server.lastFailureAt = SteadyClock::now();
        return true;
    }
    removeDriver(server.driverName);
    server.driverName = pending->driverName;
    server.lastFailure.reset();
    server.lastFailureAt.reset();
    Registry& r = registry();
    std::lock_guard registryLock(r.mutex);
    ++r.openCounts[connectionName];
    return true;
}

// Waits for the attempt in flight until the deadline; gives it up when it has not finished.
void awaitConnect(const QString& connectionName, ServerState& server,
                  SteadyClock::time_point deadline) {
    std::shared_ptr<PendingConnect> pending = server.pending;
    if (!pending)
        return;
    {
        std::unique_lock lock(pending->mutex);
        if (!pending->finished.wait_until(lock, deadline, [&] { return pending->done; })) {
            pending->abandoned = true;
            server.pending.reset();
            server.lastFailure = StoreError(StoreError::Kind::ServerSilent,
                                            QString::number(waits().user.count() / 1000.0));
            server.lastFailureAt = SteadyClock::now();
            return;
        }
    }
    takeFinished(connectionName, server);
}

bool serverConnectionLive(const ServerState& server) {
    return !server.driverName.isEmpty() &&
           !PostgresServer::connectionLost(QSqlDatabase::database(server.driverName, false));
}

// Opens the connection as a user's own action would: waits at most the connect timeout.
void connectNow(const QString& connectionName, ServerState& server) {
    const SteadyClock::time_point deadline = SteadyClock::now() + waits().user;
    if (!server.pending)
        startConnect(connectionName, server, static_cast<int>(waits().user.count()));
    notifyWaiting();
    awaitConnect(connectionName, server, deadline);
    if (!serverConnectionLive(server))
        throw server.lastFailure
            ? *server.lastFailure
            : StoreError(StoreError::Kind::Unreachable, server.address->database());
}

// Whether the tables of a store are there, and which version it is, on a connection that
// has just been opened.
void checkStore(const QSqlDatabase& db, ConnectionState& state) {
    QSqlQuery check(db);
    for (const char* table : kRequiredTables) {
        check.prepare(QStringLiteral("SELECT to_regclass(?) IS NOT NULL"));
        check.addBindValue(QString::fromLatin1(table));
        if (!check.exec() || !check.next())
            throw StoreError::fromEngine(check.lastError());
        if (!check.value(0).toBool())
            throw StoreError(StoreError::Kind::NoSuchTable, QString::fromLatin1(table));
    }
    check.finish();
    state.version = readVersion(db);
    // A server store without its own checks would let every account do anything: it is not
    // used until it has been upgraded.
    if (state.version < Connection::kCurrentStoreVersion)
        throw StoreError(StoreError::Kind::NotUpgraded,
                         PostgresServer::ServerAddress::printable(state.location));
}

Connection::Outcome openFile(const QString& location, const QString& connectionName) {
    QFileInfo info(location);
    if (!info.exists() || !info.isFile())
        return {Connection::OpenResult::Missing, {}};

    Connection::close(connectionName);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    // "mode=rw" opens an existing file only: the program never creates the store.
    QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    url.setQuery(QStringLiteral("mode=rw"));
    db.setDatabaseName(url.toString(QUrl::FullyEncoded));
    db.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(Connection::kBusyTimeoutMs));
    if (!db.open())
        return {Connection::OpenResult::CannotOpen, StoreError::fromEngine(db.lastError())};

    const auto failed = [&](const StoreError& error) {
        Connection::close(connectionName);
        return Connection::Outcome{Connection::OpenResult::CannotOpen, error};
    };
    // SQLite reads the file lazily: these statements are what finds out whether it is ours.
    QSqlQuery pragma(db);
    if (!pragma.exec(QStringLiteral("PRAGMA journal_mode=DELETE"))) {
        const StoreError error = StoreError::fromEngine(pragma.lastError());
        pragma.finish();
        return failed(error);
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
            return failed(error);
        }
        check.finish();
    }

    auto state = std::make_unique<ConnectionState>();
    state->location = info.absoluteFilePath();
    state->file = fileIdOf(state->location);
    state->version = readVersion(db);
    if (sqlite3* handle = handleOf(db))
        sqlite3_busy_handler(handle, &onBusy, state.get());
    registerOpen(connectionName, std::move(state));
    return {Connection::OpenResult::Opened, {}};
}

Connection::Outcome openServer(const QString& uri, const QString& connectionName) {
    Connection::close(connectionName);
    auto state = std::make_unique<ConnectionState>();
    state->engine = Engine::Postgres;
    state->location = uri;
    try {
        state->server.address =
            PostgresServer::ServerAddress::parse(uri, PostgresServer::UriUse::Program);
    } catch (const StoreError& error) {
        return {Connection::OpenResult::CannotOpen, error};
    }
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.open[connectionName] = std::move(state);
    return {Connection::OpenResult::Opened, {}};
}

} // namespace

Engine Connection::engineOf(const QString& location) {
    return PostgresServer::isUri(location) ? Engine::Postgres : Engine::Sqlite;
}

Connection::Outcome Connection::open(const QString& location, const QString& connectionName) {
    if (engineOf(location) == Engine::Postgres)
        return openServer(location, connectionName);
    return openFile(location, connectionName);
}

void Connection::close(const QString& connectionName) {
    std::unique_ptr<ConnectionState> state;
    {
        Registry& r = registry();
        std::lock_guard lock(r.mutex);
        const auto found = r.open.find(connectionName);
        if (found != r.open.end()) {
            state = std::move(found->second);
            r.open.erase(found);
        }
    }
    if (state && state->engine == Engine::Postgres) {
        if (state->server.pending) {
            std::lock_guard lock(state->server.pending->mutex);
            state->server.pending->abandoned = true;
        }
        removeDriver(state->server.driverName);
        return;
    }
    removeDriver(connectionName);
}

QString Connection::roleName(const QString& database, const QString& loginName) {
    QString name = loginName;
    for (QChar& c : name)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return database + QLatin1Char('.') + name;
}

bool Connection::fitsRoleName(const QString& connectionName, const QString& loginName) {
    const ConnectionState* state = stateOf(connectionName);
    if (!state || state->engine != Engine::Postgres)
        return true;
    return roleName(state->server.address->database(), loginName).toUtf8().size() <= 63;
}

void Connection::logIn(const QString& connectionName, const QString& loginName,
                       const QString& normalisedPassword) {
    ConnectionState* state = stateOf(connectionName);
    if (!state || state->engine != Engine::Postgres)
        return;
    ServerState& server = state->server;
    removeDriver(std::exchange(server.driverName, QString()));
    server.pending.reset();
    server.role = roleName(server.address->database(), loginName);
    server.password = normalisedPassword;
    try {
        connectNow(connectionName, server);
        checkStore(QSqlDatabase::database(server.driverName, false), *state);
    } catch (const StoreError&) {
        // Nothing of a refused login stays behind.
        removeDriver(std::exchange(server.driverName, QString()));
        server.role.clear();
        server.password.clear();
        server.lastFailure.reset();
        throw;
    }
    server.loggedIn = true;
}

bool Connection::checkPassword(const QString& connectionName, const QString& loginName,
                               const QString& normalisedPassword) {
    const ConnectionState* state = stateOf(connectionName);
    if (!state || state->engine != Engine::Postgres)
        return true;
    // A connection of its own, given up at once: the server is the judge of the password.
    const QString probeName = connectionName + QStringLiteral("-password-check");
    notifyWaiting();
    try {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(PostgresServer::kDriver, probeName);
            db.setUserName(roleName(state->server.address->database(), loginName));
            db.setPassword(normalisedPassword);
            PostgresServer::openWithin(db, *state->server.address, true,
                                       static_cast<int>(waits().user.count()), kBusyTimeoutMs);
        }
        removeDriver(probeName);
    } catch (const StoreError& error) {
        removeDriver(probeName);
        if (error.kind() == StoreError::Kind::WrongPassword)
            return false;
        throw;
    }
    return true;
}

void Connection::passwordChanged(const QString& connectionName, const QString& normalisedPassword) {
    if (ConnectionState* state = stateOf(connectionName);
        state && state->engine == Engine::Postgres)
        state->server.password = normalisedPassword;
}

bool Connection::awaitsLogin(const QString& connectionName) {
    const ConnectionState* state = stateOf(connectionName);
    return state && state->engine == Engine::Postgres && !state->server.loggedIn;
}

int Connection::storeVersion(const QString& connectionName) {
    const ConnectionState* state = stateOf(connectionName);
    return state ? state->version : 1;
}

QSqlDatabase Connection::database(const QString& connectionName) {
    const ConnectionState* state = stateOf(connectionName);
    if (state && state->engine == Engine::Postgres)
        return state->server.driverName.isEmpty()
                   ? QSqlDatabase()
                   : QSqlDatabase::database(state->server.driverName, false);
    return QSqlDatabase::database(connectionName, false);
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
    ServerState& server = state->server;
    if (!server.loggedIn)
        throw StoreError(StoreError::Kind::NotOpen);
    takeFinished(connectionName, server);
    if (serverConnectionLive(server))
        return;
    if (state->noWaitDepth == 0) {
        connectNow(connectionName, server);
        return;
    }
    // Work nobody waits for never waits for the network: the connection is opened on its
    // worker meanwhile, and this round fails at once.
    const bool triedLately =
        server.lastFailureAt && SteadyClock::now() - *server.lastFailureAt < waits().reachAgainAfter;
    if (!server.pending && !triedLately)
        startConnect(connectionName, server, static_cast<int>(waits().user.count()));
    throw server.lastFailure
        ? *server.lastFailure
        : StoreError(StoreError::Kind::Unreachable, server.address->database());
}

std::chrono::milliseconds Connection::statementBound(const QString& connectionName) {
    const ConnectionState* state = stateOf(connectionName);
    return state && state->noWaitDepth > 0 ? waits().background : waits().user;
}

void Connection::overrideWaitsForTests(std::chrono::milliseconds userWait,
                                       std::chrono::milliseconds backgroundStatement,
                                       std::optional<std::chrono::milliseconds> reachAgainAfter) {
    waits().reachAgainAfter = reachAgainAfter.value_or(kReachAgainAfter);
    waits().user = userWait.count() > 0 ? userWait : kUserWait;
    waits().background =
        backgroundStatement.count() > 0 ? backgroundStatement : kBackgroundStatementBound;
}

Connection::Outcome Connection::reopen(const QString& connectionName) {
    ConnectionState* state = stateOf(connectionName);
    if (!state)
        return {OpenResult::Missing, {}};
    if (state->engine == Engine::Sqlite)
        return open(state->location, connectionName);
    try {
        connectNow(connectionName, state->server);
    } catch (const StoreError& error) {
        return {OpenResult::CannotOpen, error};
    }
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
    QSqlDatabase db = database(connectionName);
    if (!db.isOpen())
        return std::nullopt;
    if (state->engine == Engine::Postgres) {
        if (state->version < 2)
            return PostgresServer::snapshotCounter(db);
        // The store counts the changes that concern each person: a write about somebody else
        // moves nothing here.
        const StatementWatchdog watchdog(PostgresServer::socketOf(db),
                                         statementBound(connectionName));
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("SELECT coalesce(sum(Counter), 0) FROM tbl_change")) ||
            !query.next())
            return std::nullopt;
        const qint64 counter = query.value(0).toLongLong();
        query.finish();
        return counter;
    }
    sqlite3* handle = handleOf(db);
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
