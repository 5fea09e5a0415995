#include "store/Dialect.h"

#include "store/StoreError.h"

#include <QRegularExpression>

QString Dialect::translate(const QString& statement) {
    static const QRegularExpression topN(
        QStringLiteral(R"(^\s*select\s+top\s+(\d+)\s+(.+?)\s+from\s+(\w+)\s+where\s+(.+?)\s+)"
                       R"(order\s+by\s+(\w+)\s*$)"),
        QRegularExpression::CaseInsensitiveOption |
            QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = topN.match(statement);
    if (!match.hasMatch())
        return statement;
    if (match.captured(1) != QLatin1String("1"))
        throw StoreError(QStringLiteral("不支持的语句：%1").arg(statement));
    const QString columns = match.captured(2);
    const QString table = match.captured(3);
    const QString condition = match.captured(4);
    const QString key = match.captured(5);
    // "IS" rather than "=" so that rows without a key are found when they come first.
    return QStringLiteral("SELECT %1 FROM %2 WHERE (%3) AND %4 IS "
                          "(SELECT %4 FROM %2 WHERE (%3) ORDER BY %4 LIMIT 1) ORDER BY %4")
        .arg(columns, table, condition, key);
}
