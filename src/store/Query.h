#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <algorithm>
#include <map>
#include <vector>

// A window-owned statement runner on the shared connection. The statement text is replaced
// before each use; its named parameters (":p", ":P1" ...) are matched without regard to case
// and a parameter never set is bound as NULL. Open reads every row at once, so the row count
// is known and no read lock outlives the call: other copies of the program are never kept
// waiting by a result left open here.
class Query {
public:
    explicit Query(QString connectionName = QStringLiteral("ADOCon"));

    // Closes the current result, drops parameters and values, and takes the parameter
    // names afresh from the new text.
    void SetSQL(const QString& text);
    const QString& SQL() const { return text_; }

    void SetText(const QString& name, const QString& value);
    void SetSmallInt(const QString& name, qint16 value);
    void SetInteger(const QString& name, qint32 value);
    void SetLargeInt(const QString& name, qint64 value);

    void Open();
    void ExecSQL();
    void Close();

    bool Active() const { return active_; }
    int RecordCount() const { return static_cast<int>(rows_.size()); }
    bool Eof() const { return row_ >= rows_.size(); }
    void First() { row_ = 0; }
    // Makes row `row` (0-based) the current one; past the end is Eof.
    void Seek(int row) { row_ = row < 0 ? rows_.size() : std::min<std::size_t>(row, rows_.size()); }
    void Next();

    // Fields of the current row by column name, any letter case. A result without rows,
    // or a NULL, gives the empty text, 0, or the zero moment 1899-12-30 00:00.
    QString FieldAsString(const QString& column) const;
    qint64 FieldAsInteger(const QString& column) const;
    QDateTime FieldAsDateTime(const QString& column) const;

    // The moment a NULL or missing date-time field reads as.
    static QDateTime ZeroMoment();

private:
    void setValue(const QString& name, QVariant value);
    const QVariant* field(const QString& column) const;
    void run(bool select);

    QString connectionName_;
    QString text_;
    QString engineText_;           // the text as the engine receives it, with "?" placeholders
    QStringList placeholderOrder_; // lower-case parameter name of each placeholder, in order
    std::map<QString, QVariant> values_;
    QStringList columns_;
    std::vector<QVector<QVariant>> rows_;
    std::size_t row_ = 0;
    bool active_ = false;
};
