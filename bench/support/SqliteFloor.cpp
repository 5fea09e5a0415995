#include "support/SqliteFloor.h"

#include "store/Connection.h"
#include "store/Dialect.h"

#include <sqlite3.h>
#include <stdexcept>
#include <string>

SqliteFloor::SqliteFloor(const QString& path) {
    if (sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db_));
    sqlite3_busy_timeout(db_, Connection::kBusyTimeoutMs);
}

SqliteFloor::~SqliteFloor() {
    sqlite3_finalize(kept_);
    sqlite3_close(db_);
}

sqlite3_stmt* SqliteFloor::prepare(const char* statement) {
    const QByteArray text =
        Dialect::translate(QString::fromUtf8(statement), Engine::Sqlite).toUtf8();
    sqlite3_stmt* prepared = nullptr;
    if (sqlite3_prepare_v2(db_, text.constData(), static_cast<int>(text.size()), &prepared,
                           nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db_));
    return prepared;
}

int SqliteFloor::step(sqlite3_stmt* statement, int key,
                      const std::function<void(sqlite3_stmt*)>& row) {
    // Every parameter of the catalogue's selects is the user key, under whatever name.
    for (int i = 1; i <= sqlite3_bind_parameter_count(statement); ++i)
        sqlite3_bind_int(statement, i, key);
    int rows = 0;
    int result = SQLITE_ROW;
    while ((result = sqlite3_step(statement)) == SQLITE_ROW) {
        ++rows;
        row(statement);
    }
    sqlite3_reset(statement);
    if (result != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(db_));
    return rows;
}

namespace {
qint64 readEveryColumn(sqlite3_stmt* statement) {
    qint64 sum = 0;
    for (int c = 0; c < sqlite3_column_count(statement); ++c) {
        switch (sqlite3_column_type(statement, c)) {
        case SQLITE_INTEGER:
            sum += sqlite3_column_int64(statement, c);
            break;
        case SQLITE_NULL:
            break;
        default:
            sqlite3_column_text16(statement, c);
            sum += sqlite3_column_bytes16(statement, c);
        }
    }
    return sum;
}
} // namespace

int SqliteFloor::run(const char* statement, int key, bool keepPrepared) {
    auto readRow = [this](sqlite3_stmt* s) { checksum_ += readEveryColumn(s); };
    if (!keepPrepared) {
        sqlite3_stmt* prepared = prepare(statement);
        const int rows = step(prepared, key, readRow);
        sqlite3_finalize(prepared);
        return rows;
    }
    return step(kept(statement), key, readRow);
}

sqlite3_stmt* SqliteFloor::kept(const char* statement) {
    if (!kept_ || keptText_ != statement) {
        sqlite3_finalize(kept_);
        kept_ = prepare(statement);
        keptText_ = statement;
    }
    return kept_;
}

std::vector<QStringList> SqliteFloor::rows(const char* text, int key, const QStringList& columns) {
    sqlite3_stmt* statement = kept(text);
    std::vector<int> indexes;
    for (const QString& name : columns) {
        for (int c = 0; c < sqlite3_column_count(statement); ++c) {
            if (name.compare(QString::fromUtf8(sqlite3_column_name(statement, c)),
                             Qt::CaseInsensitive) == 0) {
                indexes.push_back(c);
                break;
            }
        }
    }
    std::vector<QStringList> rows;
    step(statement, key, [&](sqlite3_stmt* s) {
        QStringList texts;
        texts.reserve(static_cast<qsizetype>(indexes.size()));
        for (int c : indexes) {
            const auto* chars = static_cast<const char16_t*>(sqlite3_column_text16(s, c));
            texts << QString::fromUtf16(chars, sqlite3_column_bytes16(s, c) / 2);
        }
        rows.push_back(std::move(texts));
    });
    return rows;
}
