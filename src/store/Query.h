#pragma once

#include "store/Connection.h"
#include "store/StatementWatchdog.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

class QSqlDatabase;
class QSqlError;
class QSqlQuery;

// A window-owned statement runner on the shared connection. The statement text is replaced
// before each use; its named parameters (":p", ":P1" ...) are matched without regard to case
// and a parameter never set is bound as NULL. open() reads every row at once, so the row count
// is known and no read lock outlives the call: other copies of the program are never kept
// waiting by a result left open here.
//
// The engine's statement is prepared once and kept while the text stays the same, so the
// polls that run one text every few seconds pay for preparing it only once. Between two
// runs it holds no lock on the file.
class Query {
public:
    explicit Query(QString connectionName = Connection::kDefaultName);
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    // Closes the current result, drops parameters and values, and takes the parameter
    // names afresh from the new text. Setting the text it already has keeps the prepared
    // statement.
    void setStatement(const QString& text);
    const QString& statement() const { return text_; }
    const QString& connectionName() const { return connectionName_; }

    void bindText(const QString& name, const QString& value);
    void bindSmallInt(const QString& name, qint16 value);
    void bindInteger(const QString& name, qint32 value);
    void bindLargeInt(const QString& name, qint64 value);

    void open();
    void execute();
    void close();

    bool isActive() const { return active_; }
    int recordCount() const { return static_cast<int>(rowCount_); }
    bool atEnd() const { return row_ >= rowCount_; }
    void first() { row_ = 0; }
    // Makes row `row` (0-based) the current one; past the end is atEnd().
    void seek(int row) { row_ = row < 0 ? rowCount_ : std::min<std::size_t>(row, rowCount_); }
    void next();

    // Fields of the current row by column name, any letter case. A result without rows,
    // or a NULL, gives the empty text, 0, or the zero moment 1899-12-30 00:00.
    QString fieldAsString(const QString& column) const;
    qint64 fieldAsInteger(const QString& column) const;
    QDateTime fieldAsDateTime(const QString& column) const;
    // Whether the open result has a column of that name, any letter case: a column that a
    // store of an older version lacks.
    bool hasField(const QString& column) const;

    // Whether the field holds no value (or the result no row), which the readers above give as
    // an empty text or a 0 that a stored one could be too.
    bool fieldIsNull(const QString& column) const { return field(column) == nullptr; }

    // The moment a NULL or missing date-time field reads as.
    static QDateTime zeroMoment();

    // Counts, over every query of the process, of the statements run and of the stored
    // moments read as date-times: what a piece of work costs, told without a clock.
    static quint64 statementsRun();
    static quint64 momentsConverted();

private:
    void translate(Engine engine);
    QSqlQuery& preparedStatement(const QSqlDatabase& db);
    void setValue(const QString& name, QVariant value);
    const QVariant* field(const QString& column) const;
    void run(bool select);
    void readRows(QSqlQuery& statement);
    // What a failed statement's error means.
    StoreError failureOf(const QSqlError& error, const QSqlDatabase& db,
                         const std::optional<StatementWatchdog>& watchdog) const;

    QString connectionName_;
    QString text_;
    bool translated_ = false; // engineText_ and the parameters belong to text_
    Engine translatedFor_ = Engine::Sqlite;
    QString engineText_;            // the text as the engine receives it, with "?" placeholders
    QStringList parameterNames_;    // each distinct parameter name once, as first written
    std::vector<int> placeholders_; // the parameter of each placeholder, in order
    std::vector<QVariant> values_;  // per parameter; an invalid value binds NULL
    std::unique_ptr<QSqlQuery> statement_; // prepared for engineText_, or none yet
    quint64 preparedAtOpen_ = 0;           // the connection's open count it was prepared on
    QStringList columns_;
    std::vector<QVariant> cells_; // the rows one after the other, columns_.size() per row
    std::size_t rowCount_ = 0;
    std::size_t row_ = 0;
    bool active_ = false;
};
