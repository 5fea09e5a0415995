#include "store/Query.h"

#include "store/Connection.h"
#include "store/Dialect.h"
#include "store/StoreError.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {
bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

} // namespace

Query::Query(QString connectionName) : connectionName_(std::move(connectionName)) {}

void Query::SetSQL(const QString& text) {
    Close();
    text_ = text;
    values_.clear();
    placeholderOrder_.clear();
    // Parameters are taken from the text as the engine will run it, so a rewritten
    // statement that uses a parameter twice binds it twice.
    const QString translated = Dialect::Translate(text);
    engineText_.clear();
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
            placeholderOrder_ << translated.mid(i + 1, end - i - 1).toLower();
            engineText_ += QLatin1Char('?');
            i = end - 1;
            continue;
        }
        engineText_ += c;
    }
}

void Query::setValue(const QString& name, QVariant value) {
    const QString key = name.toLower();
    if (!placeholderOrder_.contains(key))
        throw StoreError(QStringLiteral("Parameter '%1' not found").arg(name));
    values_[key] = std::move(value);
}

void Query::SetText(const QString& name, const QString& value) {
    // An empty text is a value, not NULL: Qt would bind a null QString as NULL.
    setValue(name, QVariant(value.isNull() ? QStringLiteral("") : value));
}

void Query::SetSmallInt(const QString& name, qint16 value) {
    setValue(name, QVariant(static_cast<int>(value)));
}

void Query::SetInteger(const QString& name, qint32 value) {
    setValue(name, QVariant(value));
}

void Query::SetLargeInt(const QString& name, qint64 value) {
    setValue(name, QVariant(value));
}

void Query::run(bool select) {
    Close();
    QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
    if (!db.isValid() || !db.isOpen())
        throw StoreError(QStringLiteral("数据库连接未打开"));
    Connection::EnsureSameFile(connectionName_);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(engineText_))
        throw StoreError::FromEngine(query.lastError());
    for (const QString& name : placeholderOrder_) {
        const auto found = values_.find(name);
        query.addBindValue(found == values_.end() ? QVariant() : found->second);
    }
    if (!query.exec())
        throw StoreError::FromEngine(query.lastError());
    if (select) {
        const QSqlRecord record = query.record();
        for (int c = 0; c < record.count(); ++c)
            columns_ << record.fieldName(c);
        while (query.next()) {
            QVector<QVariant> row(record.count());
            for (int c = 0; c < record.count(); ++c)
                row[c] = query.value(c);
            rows_.push_back(std::move(row));
        }
        if (query.lastError().isValid())
            throw StoreError::FromEngine(query.lastError());
        active_ = true;
    }
    query.finish();
}

void Query::Open() {
    run(true);
}

void Query::ExecSQL() {
    run(false);
}

void Query::Close() {
    columns_.clear();
    rows_.clear();
    row_ = 0;
    active_ = false;
}

void Query::Next() {
    if (row_ < rows_.size())
        ++row_;
}

const QVariant* Query::field(const QString& column) const {
    qsizetype index = -1;
    for (qsizetype c = 0; c < columns_.size(); ++c) {
        if (columns_[c].compare(column, Qt::CaseInsensitive) == 0) {
            index = c;
            break;
        }
    }
    if (index < 0) {
        if (!active_)
            throw StoreError(QStringLiteral("Query: Cannot perform this operation on a closed dataset"));
        throw StoreError(QStringLiteral("Query: Field '%1' not found").arg(column));
    }
    if (row_ >= rows_.size())
        return nullptr;
    const QVariant& value = rows_[row_][index];
    return value.isNull() ? nullptr : &value;
}

QString Query::FieldAsString(const QString& column) const {
    const QVariant* value = field(column);
    return value ? value->toString() : QString();
}

qint64 Query::FieldAsInteger(const QString& column) const {
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
        throw StoreError(QStringLiteral("'%1' is not a valid integer value").arg(value->toString()));
    }
    return number;
}

QDateTime Query::ZeroMoment() {
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

QDateTime Query::FieldAsDateTime(const QString& column) const {
    const QVariant* value = field(column);
    if (!value)
        return ZeroMoment();
    const QString text = value->toString().trimmed();
    if (text.isEmpty())
        return ZeroMoment();
    static const char* const formats[] = {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm",
                                          "yyyy-MM-dd"};
    for (const char* format : formats) {
        const QDateTime moment = QDateTime::fromString(text, QLatin1String(format));
        if (moment.isValid())
            return moment;
    }
    throw StoreError(QStringLiteral("'%1' is not a valid date and time").arg(text));
}
