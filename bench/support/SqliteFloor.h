#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The floor of a statement: the same text, as the store's dialect hands it to the engine,
// run straight on the SQLite C API over a connection of its own to the same file.
class SqliteFloor {
public:
    explicit SqliteFloor(const QString& path);
    ~SqliteFloor();
    SqliteFloor(const SqliteFloor&) = delete;
    SqliteFloor& operator=(const SqliteFloor&) = delete;

    // Runs a catalogue statement whose one parameter is bound to key and reads every column
    // of every row (numbers as integers, texts as UTF-16). The statement is prepared on the
    // first call and kept, or prepared and finalised on every call. Returns the row count.
    int run(const char* statement, int key, bool keepPrepared);

    // The same, keeping the texts of the named columns of every row.
    std::vector<QStringList> rows(const char* statement, int key, const QStringList& columns);

    // What the reads added up, so that no read can be left out.
    qint64 checksum() const { return checksum_; }

private:
    sqlite3_stmt* prepare(const char* statement);
    // The statement prepared once and kept while the text stays the same.
    sqlite3_stmt* kept(const char* statement);
    int step(sqlite3_stmt* statement, int key, const std::function<void(sqlite3_stmt*)>& row);

    sqlite3* db_ = nullptr;
    std::string keptText_;
    sqlite3_stmt* kept_ = nullptr;
    qint64 checksum_ = 0;
};
