#pragma once

#include <QString>

// Opening the store file. Several copies of the program share the file: every connection
// waits for the others' locks (busy timeout) and keeps a rollback journal, never WAL,
// which breaks on network folders.
namespace Connection {

inline const QString kDatabaseFileName = QStringLiteral("qxreminder.mcm");
inline constexpr int kBusyTimeoutMs = 5000;

enum class OpenResult {
    Opened,
    Missing,       // no file at that path
    CannotOpen,    // not a database of ours: unreadable, not SQLite, or without the tables
};

struct Outcome {
    OpenResult result = OpenResult::Missing;
    QString message; // the engine's message when the file could not be opened
};

// Opens the file under the given connection name. Never creates or repairs the file.
Outcome Open(const QString& filePath, const QString& connectionName);
void Close(const QString& connectionName);

} // namespace Connection
