#pragma once

#include <QString>

// A large shared file: 1,000,000 reminder rows over 1,000 users, the first 10,000 of them
// pending for one busy user and the next 10,000 pending for a user whose rows all tie on
// the sort key, with a start long past. Built on first use, once per process, and opened
// under kConnection. The same store on a PostgreSQL server is copied from the file.
namespace BenchStore {

inline constexpr int kUsers = 1000;
inline constexpr int kRows = 1000000;
inline constexpr int kBusyUser = 1; // the administrator, with 10,000 pending rows
inline constexpr int kBusyUserPending = 10000;
inline constexpr int kTiedUser = kUsers + 1; // 10,000 pending ordinary rows, one sort key
inline constexpr int kTiedRows = 10000;
inline const QString kConnection = QStringLiteral("bench");
inline const QString kServerConnection = QStringLiteral("bench-server");

// The store file; builds and opens it the first time.
const QString& path();
// The URI of the same store on a server; copies it there and opens it under
// kServerConnection the first time. The server is the empty database that the environment
// variable QX_BENCH_POSTGRES names by its URI, or else a throwaway cluster of this process,
// reached over its local socket.
const QString& serverLocation();
// Closes the connections, removes the file and stops the throwaway cluster (at the end of
// the process).
void release();

} // namespace BenchStore
