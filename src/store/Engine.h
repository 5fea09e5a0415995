#pragma once

// The database engine behind a store: a file (SQLite) or a server (PostgreSQL). No window
// looks at it; the store layer hides what differs.
enum class Engine { Sqlite, Postgres };
