#include "store/Query.h"

#include "store/Connection.h"
#include "store/Dialect.h"
#include "store/PostgresServer.h"
#include "store/StatementWatchdog.h"
#include "store/StoreError.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>
#include <algorithm>
#include <atomic>

namespace {
std::atomic<quint64> statementCount{0};
std::atomic<quint64> momentCount{0};

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

qsizetype indexOfName(const QStringList& names, const QString& name) {
    for (qsizetype i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

// Whether SQLite still holds the statement: closing a connection finalises every statement
// prepared on it. A server keeps what was prepared for the life of the connection, which
// the connection's open count follows.
bool holdsStatement(const QSqlQuery& statement) {
    const QVariant handle = statement.result()->handle();
    if (qstrcmp(handle.typeName(), "sqlite3_stmt*") != 0)
        return true;
    return *static_cast<void* const*>(handle.constData()) != nullptr;
}
} // namespace

Query::Query(QString connectionName) : connectionName_(std::move(connectionName)) {}

Query::~Query() = default;

void Query::setStatement(const QString& text) {
    close();
    if (translated_ && text == text_) {
        std::fill(values_.begin(), values_.end(), QVariant());
        return;
    }
    statement_.reset();
    text_ = text;
    translated_ = false;
    parameterNames_.clear();
    values_.clear();
    translate(Connection::engine(connectionName_));
}

void Query::translate(Engine engine) {
    placeholders_.clear();
    engineText_.clear();
    const QStringList names = parameterNames_;
    parameterNames_.clear();
    // Parameters are taken from the text as the engine will run it, so a rewritten
    // statement that uses a parameter twice binds it twice.
    const QString translated = Dialect::translate(text_, engine);
    engineText_.reserve(translated.size());
    bool inQuote = false;
    for (qsizetype i = 0; i < translated.size(); ++i) {
        const QChar c = translated[i];
        if (c == QLatin1Char('\''))
            inQuote = !inQuote;
        if (!inQuote && c == QLatin1Char(':') && i + 1 < translated.size() &&
            isNameChar(translated[i + 1])) {
            qsizetype end = i + 1;
            while (end < translated.size() && isNameChar(translated[end]))
                ++end;
            const QString name = translated.mid(i + 1, end - i - 1);
            qsizetype parameter = indexOfName(parameterNames_, name);
            if (parameter < 0) {
                parameter = parameterNames_.size();
                parameterNames_ << name;
            }
            placeholders_.push_back(static_cast<int>(parameter));
            engineText_ += QLatin1Char('?');
            i = end - 1;
            continue;
        }
        engineText_ += c;
    }
    // Every engine's text has the same parameters: values bound before the connection
    // turned out to be another engine's stay.
    if (parameterNames_ != names)
        values_.assign(static_cast<std::size_t>(parameterNames_.size()), QVariant());
    translated_ = true;
    translatedFor_ = engine;
}

void Query::setValue(const QString& name, QVariant value) {
    const qsizetype parameter = indexOfName(parameterNames_, name);
    if (parameter < 0)
        throw StoreError(StoreError::Kind::UnknownParameter, name);
    values_[static_cast<std::size_t>(parameter)] = std::move(value);
}

void Query::bindText(const QString& name, const QString& value) {
    // An empty text is a value, not NULL: Qt would bind a null QString as NULL.
    setValue(name, QVariant(value.isNull() ? QStringLiteral("") : value));
}

void Query::bindSmallInt(const QString& name, qint16 value) {
    setValue(name, QVariant(static_cast<int>(value)));
}

void Query::bindInteger(const QString& name, qint32 value) {
    setValue(name, QVariant(value));
}

void Query::bindLargeInt(const QString& name, qint64 value) {
    setValue(name, QVariant(value));
}

QSqlQuery& Query::preparedStatement(const QSqlDatabase& db) {
    // A statement prepared on a connection that has since been closed, or replaced by
    // another under the same name, is gone: prepare it again.
    const quint64 opens = Connection::openCount(connectionName_);
    if (statement_ && (statement_->driver() != db.driver() || preparedAtOpen_ != opens ||
                       !holdsStatement(*statement_)))
        statement_.reset();
    if (!statement_) {
        auto statement = std::make_unique<QSqlQuery>(db);
        statement->setForwardOnly(true);
        if (!statement->prepare(engineText_))
            throw StoreError::fromEngine(statement->lastError());
        statement_ = std::move(statement);
        preparedAtOpen_ = opens;
    }
    return *statement_;
}

void Query::run(bool select) {
    close();
    const Engine engine = Connection::engine(connectionName_);
    if (!translated_ || translatedFor_ != engine) {
        statement_.reset();
        translate(engine);
    }
    Connection::ensureUsable(connectionName_);
    QSqlDatabase db = Connection::database(connectionName_);
    if (!db.isValid() || !db.isOpen())
        throw StoreError(StoreError::Kind::NotOpen);
    QSqlQuery& statement = preparedStatement(db);
    // A server that stops answering ends the statement at its bound instead of holding the
    // thread for ever.
    std::optional<StatementWatchdog> watchdog;
    if (engine == Engine::Postgres)
        watchdog.emplace(PostgresServer::socketOf(db), Connection::statementBound(connectionName_));
    try {
        statementCount.fetch_add(1, std::memory_order_relaxed);
        for (std::size_t i = 0; i < placeholders_.size(); ++i)
            statement.bindValue(static_cast<int>(i),
                                values_[static_cast<std::size_t>(placeholders_[i])]);
        if (!statement.exec())
            throw failureOf(statement.lastError(), db, watchdog);
        if (select)
            readRows(statement);
        // Resetting the statement ends its read: no lock is held until the next run.
        statement.finish();
    } catch (...) {
        // A statement that failed in SQLite is not trusted again; finalising it releases its
        // lock. A server's prepared statement stays good, or goes with its connection.
        if (engine == Engine::Sqlite)
            statement_.reset();
        close();
        throw;
    }
}

StoreError Query::failureOf(const QSqlError& error, const QSqlDatabase& db,
                            const std::optional<StatementWatchdog>& watchdog) const {
    if (watchdog && watchdog->fired())
        return StoreError(
            StoreError::Kind::ServerSilent,
            QString::number(Connection::statementBound(connectionName_).count() / 1000.0));
    // A server connection that broke under the statement is a server out of reach, which the
    // next statement reaches again; the statement itself was not refused.
    if (watchdog && PostgresServer::connectionLost(db))
        return StoreError(StoreError::Kind::Unreachable, QString(), StoreError::messageOf(error));
    return StoreError::fromEngine(error);
}

void Query::readRows(QSqlQuery& statement) {
    const QSqlRecord record = statement.record();
    const int columnCount = record.count();
    columns_.reserve(columnCount);
    for (int c = 0; c < columnCount; ++c)
        columns_ << record.fieldName(c);
    while (statement.next()) {
        for (int c = 0; c < columnCount; ++c)
            cells_.push_back(statement.value(c));
        ++rowCount_;
    }
    if (statement.lastError().isValid())
        throw StoreError::fromEngine(statement.lastError());
    active_ = true;
}

void Query::open() {
    run(true);
}

void Query::execute() {
    run(false);
}

void Query::close() {
    columns_.clear();
    // The values go, the room for them stays: the next run of the same statement, a poll
    // every few seconds, reads its rows without growing the array again.
    cells_.clear();
    rowCount_ = 0;
    row_ = 0;
    active_ = false;
}

void Query::next() {
    if (row_ < rowCount_)
        ++row_;
}

const QVariant* Query::field(const QString& column) const {
    qsizetype index = -1;
    for (qsizetype c = 0; c < columns_.size(); ++c) {
        // Names of another length never match; most columns are passed over on that alone.
        if (columns_[c].size() == column.size() &&
            columns_[c].compare(column, Qt::CaseInsensitive) == 0) {
            index = c;
            break;
        }
    }
    if (index < 0) {
        if (!active_)
            throw StoreError(StoreError::Kind::ClosedResult);
        throw StoreError(StoreError::Kind::UnknownField, column);
    }
    if (row_ >= rowCount_)
        return nullptr;
    const QVariant& value = cells_[row_ * static_cast<std::size_t>(columns_.size()) + index];
    return value.isNull() ? nullptr : &value;
}

bool Query::hasField(const QString& column) const {
    return std::any_of(columns_.begin(), columns_.end(), [&](const QString& name) {
        return name.compare(column, Qt::CaseInsensitive) == 0;
    });
}

QString Query::fieldAsString(const QString& column) const {
    const QVariant* value = field(column);
    return value ? value->toString() : QString();
}

qint64 Query::fieldAsInteger(const QString& column) const {
    const QVariant* value = field(column);
    if (!value)
        return 0;
    bool ok = false;
    const qint64 number = value->toLongLong(&ok);
    if (!ok) {
        // A real column holding a whole number still reads as an integer.
        const double real = value->toDouble(&ok);
        if (ok && real == static_cast<double>(static_cast<qint64>(real)))
            return static_cast<qint64>(real);
        throw StoreError(StoreError::Kind::NotAnInteger, value->toString());
    }
    return number;
}

quint64 Query::statementsRun() {
    return statementCount.load(std::memory_order_relaxed);
}

quint64 Query::momentsConverted() {
    return momentCount.load(std::memory_order_relaxed);
}

QDateTime Query::zeroMoment() {
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

QDateTime Query::fieldAsDateTime(const QString& column) const {
    const QVariant* value = field(column);
    if (!value)
        return zeroMoment();
    momentCount.fetch_add(1, std::memory_order_relaxed);
    const QString text = value->toString().trimmed();
    if (text.isEmpty())
        return zeroMoment();
    static const char* const formats[] = {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-dd"};
    for (const char* format : formats) {
        const QDateTime moment = QDateTime::fromString(text, QLatin1String(format));
        if (moment.isValid())
            return moment;
    }
    throw StoreError(StoreError::Kind::NotADateTime, text);
}
