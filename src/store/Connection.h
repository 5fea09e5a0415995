#pragma once

#include "store/Engine.h"
#include "store/StoreError.h"

#include <QString>
#include <functional>
#include <optional>

// Opening the store: a file, or a PostgreSQL server named by a connection URI
// ("postgresql://user@host:5432/qxreminder?sslmode=require"). Several copies of the program
// share a file: every connection waits for the others' locks (busy timeout) and keeps a
// rollback journal, never WAL, which breaks on network folders. A server arbitrates by
// itself; its connection, once lost, is opened again by the next statement.
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
// creates or repairs a store. Connecting to a server gives up after at most 10 seconds.
Outcome open(const QString& location, const QString& connectionName);
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
// kind Unreachable while it cannot be reached. Under NoWait, a server whose last attempt
// failed only after waiting for its timeout is not tried again for 20 seconds.
void ensureUsable(const QString& connectionName);
// Opens the store's location again under the same name, for a connection whose file went
// away or whose server connection was lost.
Outcome reopen(const QString& connectionName);

// While one of these lives, statements on the connection give up at once, with a StoreError
// of kind Busy, when another copy holds the lock, instead of waiting for it: work nobody is
// waiting for must never hold up the windows. A server never makes a read wait for a
// writer, and the program's writes hold their row locks for one statement only: there it
// only spares that work a server that let the last attempt to reach it wait (ensureUsable).
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
