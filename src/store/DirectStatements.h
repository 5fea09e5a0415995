#pragma once

#include <QString>
#include <QVariant>
#include <vector>

class QSqlDatabase;
class QSqlQuery;

// Statements the store layer runs on an engine's connection itself, outside the catalogue and
// the query object: creating, upgrading and copying a store, and the transactions of its own.
// Each throws StoreError with the engine's reason when it fails.
namespace DirectStatements {

// A statement without values runs as it stands: a server prepares only what it can plan.
void exec(QSqlQuery& query, const QString& statement, const std::vector<QVariant>& values = {});
void exec(const QSqlDatabase& db, const QString& statement,
          const std::vector<QVariant>& values = {});
// The first column of the first row; an invalid value when there is none.
QVariant scalar(const QSqlDatabase& db, const QString& statement,
                const std::vector<QVariant>& values = {});

} // namespace DirectStatements
