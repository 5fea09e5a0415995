#pragma once

// The database engine behind a store: a file (SQLite) or a server (PostgreSQL). Only the
// store layer looks at it.
enum class Engine { Sqlite, Postgres };
