#include "store/ReminderRollOver.h"

#include "store/Connection.h"
#include "store/DirectStatements.h"
#include "store/StoreError.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

void run(const QSqlDatabase& db, const QString& statement,
         const std::vector<QVariant>& values = {}) {
    DirectStatements::exec(db, statement, values);
}

// Ends the transaction on every way out: committed when asked, rolled back otherwise.
class Transaction {
public:
    Transaction(const QSqlDatabase& db, Engine engine) : db_(db) {
        // A file is locked for writing before the row is read, so that a second copy waits
        // here until the first has written, and then reads the row as history.
        run(db_,
            engine == Engine::Sqlite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
    }
    ~Transaction() {
        if (!ended_) {
            QSqlQuery rollback(db_);
            rollback.exec(QStringLiteral("ROLLBACK"));
        }
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit() {
        run(db_, QStringLiteral("COMMIT"));
        ended_ = true;
    }

private:
    QSqlDatabase db_;
    bool ended_ = false;
};

} // namespace

ReminderRollOver::Result ReminderRollOver::acknowledge(const QString& connectionName,
                                                       const QString& keyText,
                                                       const NextOccurrence& next) {
    bool isNumber = false;
    const qint64 key = keyText.trimmed().toLongLong(&isNumber);
    if (!isNumber)
        return Result::NotPending;
    Connection::ensureUsable(connectionName);
    const Engine engine = Connection::engine(connectionName);
    const QSqlDatabase db = Connection::database(connectionName);

    Transaction transaction(db, engine);
    // On a server the row's lock makes a second copy wait here, and then find it done.
    QSqlQuery row(db);
    DirectStatements::exec(
        row,
        QStringLiteral(
            "SELECT ReUserID, ReDetail, ReIntervalNumber, ReIntervalType, ReDoTime, "
            "RedouserID, Retype, ReRepeat, ReBeginTime FROM tbl_reminder WHERE KeyID = ? AND "
            "IfDone = 0") +
            (engine == Engine::Postgres ? QStringLiteral(" FOR UPDATE") : QString()),
        {key});
    if (!row.next()) {
        row.finish();
        transaction.commit();
        return Result::NotPending;
    }
    const QVariant recipient = row.value(0);
    const QVariant content = row.value(1);
    const QVariant intervalNumber = row.value(2);
    const QVariant intervalUnit = row.value(3);
    const QVariant publishedAt = row.value(4);
    const QVariant publisher = row.value(5);
    const QVariant kind = row.value(6);
    const QVariant repeat = row.value(7);
    const QVariant beginTime = row.value(8);
    row.finish();

    run(db, QStringLiteral("UPDATE tbl_reminder SET IfDone = 1 WHERE KeyID = ? AND IfDone = 0"),
        {key});
    const std::optional<NextRow> following =
        next ? next(AcknowledgedRow{kind.toInt(), repeat.toString(), beginTime.toString(),
                                    intervalNumber.toString(), intervalUnit.toString()})
             : std::nullopt;
    if (following) {
        const QVariant totalTime = following->totalTime ? QVariant(*following->totalTime)
                                                        : QVariant(QMetaType::fromType<qint64>());
        run(db,
            QStringLiteral("INSERT INTO tbl_reminder(ReUserID, ReDetail, ReAction, ReBeginTime, "
                           "ReIntervalNumber, ReIntervalType, ReDoTime, RedouserID, Retype, "
                           "IfDone, TotalTime, ReRepeat) VALUES(?, ?, 1, ?, ?, ?, ?, ?, ?, 0, ?, "
                           "?)"),
            {recipient, content, following->beginTime, intervalNumber, intervalUnit, publishedAt,
             publisher, kind, totalTime, repeat});
    }
    transaction.commit();
    return following ? Result::RolledOver : Result::Acknowledged;
}
