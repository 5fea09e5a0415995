#include "store/Dialect.h"

#include "store/StoreError.h"

#include <QRegularExpression>

namespace {
constexpr auto kOptions =
    QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption;

QString translateTopOne(const QRegularExpressionMatch& match, Engine engine) {
    const QString columns = match.captured(2);
    const QString table = match.captured(3);
    const QString condition = match.captured(4);
    const QString key = match.captured(5);
    if (engine == Engine::Postgres) {
        // Ties of the limit are the rows sorting level with the last one taken; one walk of
        // the index that serves the order finds them.
        return QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %4 NULLS FIRST "
                              "FETCH FIRST 1 ROWS WITH TIES")
            .arg(columns, table, condition, key);
    }
    // "IS" rather than "=" so that rows without a key are found when they come first.
    return QStringLiteral("SELECT %1 FROM %2 WHERE (%3) AND %4 IS "
                          "(SELECT %4 FROM %2 WHERE (%3) ORDER BY %4 LIMIT 1) ORDER BY %4")
        .arg(columns, table, condition, key);
}
} // namespace

QString Dialect::translate(const QString& statement, Engine engine) {
    static const QRegularExpression topN(
        QStringLiteral(R"(^\s*select\s+top\s+(\d+)\s+(.+?)\s+from\s+(\w+)\s+where\s+(.+?)\s+)"
                       R"(order\s+by\s+(\w+)\s*$)"),
        kOptions);
    const QRegularExpressionMatch match = topN.match(statement);
    if (match.hasMatch()) {
        if (match.captured(1) != QLatin1String("1"))
            throw StoreError(StoreError::Kind::UnsupportedStatement, statement);
        return translateTopOne(match, engine);
    }
    if (engine != Engine::Postgres)
        return statement;
    static const QRegularExpression byteWise(QStringLiteral(R"((\w+)\s+collate\s+binary\b)"),
                                             kOptions);
    QString text = statement;
    // A cast, not "::", which the query object would take for a parameter.
    text.replace(byteWise, QStringLiteral(R"(CAST(\1 AS text) COLLATE "C")"));
    static const QRegularExpression orderBy(
        QStringLiteral(R"(^(.*\border\s+by\s+\w+)(\s+(asc|desc))?(\s*)$)"), kOptions);
    const QRegularExpressionMatch order = orderBy.match(text);
    if (!order.hasMatch())
        return text;
    const bool descending =
        order.captured(3).compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0;
    return order.captured(1) + order.captured(2) +
           (descending ? QStringLiteral(" NULLS LAST") : QStringLiteral(" NULLS FIRST")) +
           order.captured(4);
}
