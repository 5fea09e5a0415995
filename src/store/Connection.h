#pragma once

#include <QString>
#include <functional>
#include <optional>

// Opening the store file. Several copies of the program share the file: every connection
// waits for the others' locks (busy timeout) and keeps a rollback journal, never WAL,
// which breaks on network folders.
namespace Connection {

inline const QString kDatabaseFileName = QStringLiteral("qxreminder.mcm");
// The name of the one connection a run of the program opens and every query object uses.
inline const QString kDefaultName = QStringLiteral("store");
inline constexpr int kBusyTimeoutMs = 5000;

enum class OpenResult {
    Opened,
    Missing,    // no file at that path
    CannotOpen, // not a database of ours: unreadable, not SQLite, or without the tables
};

struct Outcome {
    OpenResult result = OpenResult::Missing;
    QString message; // the engine's message when the file could not be opened
};

// Opens the file under the given connection name. Never creates or repairs the file.
Outcome open(const QString& filePath, const QString& connectionName);
void close(const QString& connectionName);

// The path the connection was opened on; empty for a name never opened.
QString filePath(const QString& connectionName);

// Counts the successful opens of a connection name, so that whoever holds prepared
// statements on it can tell that they belong to an earlier, closed connection.
quint64 openCount(const QString& connectionName);

// Whether the file a connection has open is still the file at the store's path. A store
// deleted, renamed or replaced while the program runs leaves the connection on a file that
// nobody else sees any more.
enum class FileState { Same, Missing, Replaced };
FileState checkFile(const QString& connectionName);
// Throws StoreError of kind Missing unless the file is the same: nothing is ever read from
// or written to a file that is no longer the store.
void ensureSameFile(const QString& connectionName);
// Opens the store's path again under the same name, for a connection whose file went away.
Outcome reopen(const QString& connectionName);

// While one of these lives, statements on the connection give up at once, with a StoreError
// of kind Busy, when another copy holds the lock, instead of waiting for it: work nobody is
// waiting for must never hold up the windows.
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
// or this one wrote. Empty when the engine cannot tell, and for a connection not open.
std::optional<qint64> changeCounter(const QString& connectionName);

} // namespace Connection
