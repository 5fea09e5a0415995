#include "support/BenchStore.h"

#include "store/Connection.h"
#include "store/NewStore.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <random>

namespace {

std::unique_ptr<QTemporaryDir> storeDir;
QString storePath;

void fill(const QString& path) {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fill");
    db.setDatabaseName(path);
    db.open();
    QSqlQuery(db).exec("BEGIN");
    QSqlQuery user(db);
    user.prepare("INSERT INTO tbl_user(UserLogName, UserTrueName, UserPwd, Remarks, IfAdmin) "
                 "VALUES(?, ?, '1', '', 0)");
    for (int u = 2; u <= BenchStore::kTiedUser; ++u) {
        user.addBindValue(QStringLiteral("user%1").arg(u));
        user.addBindValue(QStringLiteral("用户%1").arg(u));
        user.exec();
    }
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> anyUser(2, BenchStore::kUsers);
    std::uniform_int_distribution<int> kind(0, 3);
    std::uniform_int_distribution<int> number(1, 60);
    QSqlQuery reminder(db);
    reminder.prepare(
        "INSERT INTO tbl_reminder(ReUserID, ReDetail, ReAction, ReBeginTime, ReIntervalNumber, "
        "ReIntervalType, ReDoTime, RedouserID, Retype, IfDone, TotalTime) "
        "VALUES(?, ?, 0, '2010-11-12 08:51:37', ?, '分', ?, ?, ?, ?, ?)");
    for (int i = 0; i < BenchStore::kRows; ++i) {
        const bool busy = i < BenchStore::kBusyUserPending;
        const bool tied = !busy && i < BenchStore::kBusyUserPending + BenchStore::kTiedRows;
        const int n = tied ? 5 : number(random);
        int recipient = anyUser(random);
        if (busy)
            recipient = BenchStore::kBusyUser;
        else if (tied)
            recipient = BenchStore::kTiedUser;
        reminder.addBindValue(recipient);
        reminder.addBindValue(QStringLiteral("提醒内容 %1：请按时处理相关事项。").arg(i));
        reminder.addBindValue(n);
        reminder.addBindValue(QStringLiteral("2010-11-%1 08:%2:00")
                                  .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                  .arg(i % 60, 2, 10, QLatin1Char('0')));
        reminder.addBindValue(anyUser(random));
        const int anyKind = kind(random);
        reminder.addBindValue(busy || tied ? 0 : anyKind);
        reminder.addBindValue(busy || tied ? 0 : (i % 2));
        reminder.addBindValue(n * 3600);
        reminder.exec();
    }
    QSqlQuery(db).exec("COMMIT");
    QSqlQuery(db).exec("ANALYZE");
    db.close();
}

} // namespace

const QString& BenchStore::path() {
    if (storeDir)
        return storePath;
    std::fprintf(stderr, "Building a store of %d reminders over %d users...\n", kRows, kTiedUser);
    QElapsedTimer timer;
    timer.start();
    storeDir = std::make_unique<QTemporaryDir>();
    storePath = storeDir->filePath("qxreminder.mcm");
    NewStore::create(storePath);
    fill(storePath);
    QSqlDatabase::removeDatabase("fill");
    Connection::open(storePath, kConnection);
    std::fprintf(stderr, "... built in %.1f s\n", timer.elapsed() / 1000.0);
    return storePath;
}

void BenchStore::release() {
    if (!storeDir)
        return;
    Connection::close(kConnection);
    storeDir.reset();
}
