#pragma once

#include "store/Engine.h"
#include "store/StoreError.h"

#include <QSqlDatabase>
#include <QString>
#include <chrono>
#include <functional>
#include <optional>

// Opening the store: a file, or a PostgreSQL server named by a connection URI
// ("postgresql://dbhost:5432/qxreminder"). Several copies of the program share a file: every
// connection waits for the others' locks (busy timeout) and keeps a rollback journal, never
// WAL, which breaks on network folders. A server arbitrates by itself, and knows the accounts:
// nothing connects to it before the login, which connects as the account's own role with the
// typed password; that password is kept here, in memory, for the life of the login, to open
// the connection again after a fault, and nowhere else.
//
// Connections to a server are opened on a worker thread, which hands the opened driver to the
// thread that uses it; a statement on a server is bounded by a watchdog. Work nobody waits for
// (under NoWait) never waits for the network: it fails at once while a connection is being
// opened in the background. A user's own statement waits at most the connect timeout in all.
namespace Connection {

// The name of the one connection a run of the program opens and every query object uses.
inline const QString kDefaultName = QStringLiteral("store");
inline constexpr int kBusyTimeoutMs = 5000;

enum class OpenResult {
    Opened,
    Missing,    // no file at that path
    CannotOpen, // not a database of ours (unreadable, not SQLite, without the tables), or
                // a server that cannot be reached or refuses the connection
};

struct Outcome {
    OpenResult result = OpenResult::Missing;
    // Why the store could not be opened (CannotOpen).
    std::optional<StoreError> error;
};

// Which engine a store location names.
Engine engineOf(const QString& location);

// Opens the store at a file path or server URI under the given connection name. Never
// creates or repairs a store. A server's URI is only checked here (it must name a database and
// no user): the connection itself is made by logIn().
Outcome open(const QString& location, const QString& connectionName);

// The role name of an account on a server store: the database's name, a dot, and the login
// name with its letters A-Z in lower case ("qxreminder.admin").
QString roleName(const QString& database, const QString& loginName);
// Whether the login name gives a role name that the server can hold (63 bytes); always true
// for a file.
bool fitsRoleName(const QString& connectionName, const QString& loginName);
// Logs in on a server store: connects as the account's role with the (normalised) password
// and keeps both for the life of the login. Nothing to do for a file. Throws StoreError:
// WrongPassword, Unreachable, NoSuchTable (not a store), NotUpgraded (made by a previous
// version, without the server's own checks).
void logIn(const QString& connectionName, const QString& loginName,
           const QString& normalisedPassword);
// Whether the password is the account's, asked of the server by a connection of its own;
// nothing to ask of a file (true). Throws StoreError when the server cannot be reached.
bool checkPassword(const QString& connectionName, const QString& loginName,
                   const QString& normalisedPassword);
// The password kept for opening the connection again, after the account's has changed.
void passwordChanged(const QString& connectionName, const QString& normalisedPassword);
// Whether the connection is a server's that waits for a login.
bool awaitsLogin(const QString& connectionName);
// The version of the stored format: 1 for a store of the previous version, 2 for this one's.
// Read when the store opens (a file) or at the login (a server).
int storeVersion(const QString& connectionName);
inline constexpr int kCurrentStoreVersion = 2;

// The database connection that statements under this name run on now (a server's changes
// with every reconnection); invalid while there is none.
QSqlDatabase database(const QString& connectionName);
void close(const QString& connectionName);

// The location the connection was opened on (a file path or a server URI); empty for a
// name never opened.
QString filePath(const QString& connectionName);
// The engine of an open connection; SQLite for a name never opened.
Engine engine(const QString& connectionName);

// Counts the successful opens of a connection name, so that whoever holds prepared
// statements on it can tell that they belong to an earlier, closed connection.
quint64 openCount(const QString& connectionName);
// Counts the attempts to reach a server under a connection name, whether they succeeded or
// not, so that a caller can tell whether a statement tried the network at all.
quint64 connectAttempts(const QString& connectionName);

// Whether the file a connection has open is still the file at the store's path. A store
// deleted, renamed or replaced while the program runs leaves the connection on a file that
// nobody else sees any more. A server connection is always the same.
enum class FileState { Same, Missing, Replaced };
FileState checkFile(const QString& connectionName);
// Called before every statement. For a file: throws StoreError of kind Missing unless the
// file is the same, so that nothing is ever read from or written to a file that is no
// longer the store. For a server: opens a lost connection again, or throws StoreError with
// kind Unreachable while it cannot be reached (NotOpen before the login). Under NoWait the
// connection is opened on its worker and the statement fails at once meanwhile; a failed
// attempt is not repeated by such work for a few seconds.
void ensureUsable(const QString& connectionName);
// How long a statement on the connection may wait for the server's answer now: shorter for
// work nobody waits for than for a user's own.
std::chrono::milliseconds statementBound(const QString& connectionName);
// Shorter waits for the tests: how long a user's action waits for a server in all, how long a
// statement of work nobody waits for may go unanswered, and how soon such work tries to reach
// a server again after a failed attempt. Zero (or none) restores the program's.
void overrideWaitsForTests(std::chrono::milliseconds userWait,
                           std::chrono::milliseconds backgroundStatement,
                           std::optional<std::chrono::milliseconds> reachAgainAfter = {});
// Opens the store's location again under the same name, for a connection whose file went
// away or whose server connection was lost.
Outcome reopen(const QString& connectionName);

// While one of these lives, statements on the connection give up at once, with a StoreError
// of kind Busy, when another copy holds the lock, instead of waiting for it: work nobody is
// waiting for must never hold up the windows. A server never makes a read wait for a
// writer, and the program's writes hold their row locks for one statement only: there it
// spares that work any wait for the network (ensureUsable) and bounds its statements more
// tightly.
class NoWait {
public:
    explicit NoWait(QString connectionName);
    ~NoWait();
    NoWait(const NoWait&) = delete;
    NoWait& operator=(const NoWait&) = delete;

private:
    QString connectionName_;
};

// Told, on the waiting thread, when a statement starts to wait for another copy's lock.
// An empty function removes the observer.
void setWaitObserver(std::function<void()> observer);

// A number that changes whenever the store may have changed: another connection committed,
// or this one wrote (on a server: any transaction on it started writing or ended). Empty
// when the engine cannot tell, and for a connection not open.
std::optional<qint64> changeCounter(const QString& connectionName);

} // namespace Connection
