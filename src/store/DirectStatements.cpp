#include "store/DirectStatements.h"

#include "store/StoreError.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

void DirectStatements::exec(QSqlQuery& query, const QString& statement,
                            const std::vector<QVariant>& values) {
    bool ran = false;
    if (values.empty()) {
        ran = query.exec(statement);
    } else if (query.prepare(statement)) {
        for (const QVariant& value : values)
            query.addBindValue(value);
        ran = query.exec();
    }
    if (!ran)
        throw StoreError::fromEngine(query.lastError());
}

void DirectStatements::exec(const QSqlDatabase& db, const QString& statement,
                            const std::vector<QVariant>& values) {
    QSqlQuery query(db);
    exec(query, statement, values);
    query.finish();
}

QVariant DirectStatements::scalar(const QSqlDatabase& db, const QString& statement,
                                  const std::vector<QVariant>& values) {
    QSqlQuery query(db);
    exec(query, statement, values);
    const QVariant value = query.next() ? query.value(0) : QVariant();
    query.finish();
    return value;
}
