#pragma once

// The database engine behind a store: a file (SQLite) or a server (PostgreSQL). The store
// layer hides what differs; the windows only use it to tell a server's address from a file.
enum class Engine { Sqlite, Postgres };
