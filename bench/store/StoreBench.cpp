// The store under the load of a large shared file: 1,000,000 reminder rows over 1,000 users.
// The polls run every few seconds in every copy, the pending list at every reload.
#include "store/Connection.h"
#include "store/NewStore.h"
#include "store/Query.h"
#include "store/Statements.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <random>

namespace {

constexpr int kUsers = 1000;
constexpr int kRows = 1000000;
constexpr int kBusyUser = 1;          // the user with 10,000 pending rows
constexpr int kBusyUserPending = 10000;
const QString kConnection = QStringLiteral("bench");

QTemporaryDir* storeDir = nullptr;

void buildStore() {
    storeDir = new QTemporaryDir;
    const QString path = storeDir->filePath("qxreminder.mcm");
    NewStore::Create(path);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fill");
        db.setDatabaseName(path);
        db.open();
        QSqlQuery(db).exec("BEGIN");
        QSqlQuery user(db);
        user.prepare("INSERT INTO tbl_user(UserLogName, UserTrueName, UserPwd, Remarks, IfAdmin) "
                     "VALUES(?, ?, '1', '', 0)");
        for (int u = 2; u <= kUsers; ++u) {
            user.addBindValue(QStringLiteral("user%1").arg(u));
            user.addBindValue(QStringLiteral("用户%1").arg(u));
            user.exec();
        }
        std::mt19937 random(12345);
        std::uniform_int_distribution<int> anyUser(2, kUsers);
        std::uniform_int_distribution<int> kind(0, 3);
        std::uniform_int_distribution<int> number(1, 60);
        QSqlQuery reminder(db);
        reminder.prepare(
            "INSERT INTO tbl_reminder(ReUserID, ReDetail, ReAction, ReBeginTime, ReIntervalNumber, "
            "ReIntervalType, ReDoTime, RedouserID, Retype, IfDone, TotalTime) "
            "VALUES(?, ?, 0, '2010-11-12 08:51:37', ?, '分', ?, ?, ?, ?, ?)");
        for (int i = 0; i < kRows; ++i) {
            const bool busy = i < kBusyUserPending;
            const int n = number(random);
            reminder.addBindValue(busy ? kBusyUser : anyUser(random));
            reminder.addBindValue(QStringLiteral("提醒内容 %1：请按时处理相关事项。").arg(i));
            reminder.addBindValue(n);
            reminder.addBindValue(QStringLiteral("2010-11-%1 08:%2:00")
                                      .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                      .arg(i % 60, 2, 10, QLatin1Char('0')));
            reminder.addBindValue(anyUser(random));
            reminder.addBindValue(busy ? 0 : kind(random));
            reminder.addBindValue(busy ? 0 : (i % 2));
            reminder.addBindValue(n * 3600);
            reminder.exec();
        }
        QSqlQuery(db).exec("COMMIT");
        QSqlQuery(db).exec("ANALYZE");
        db.close();
    }
    QSqlDatabase::removeDatabase("fill");
    Connection::Open(path, kConnection);
}

void BM_OrdinaryPoll(benchmark::State& state) {
    Query query(kConnection);
    int user = 2;
    for (auto _ : state) {
        query.SetSQL(Statements::kPollOrdinary);
        query.SetInteger("p", user);
        query.Open();
        benchmark::DoNotOptimize(query.RecordCount());
        query.Close();
        user = user % kUsers + 1;
    }
}
BENCHMARK(BM_OrdinaryPoll)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_PendingListOfBusyUser(benchmark::State& state) {
    Query query(kConnection);
    for (auto _ : state) {
        query.SetSQL(Statements::kPendingList);
        query.SetInteger("p", kBusyUser);
        query.Open();
        qint64 sum = 0;
        for (; !query.Eof(); query.Next()) {
            sum += query.FieldAsString("KeyID").size();
            sum += query.FieldAsString("Redetail").size();
            sum += query.FieldAsString("ReDOuserID").size();
            sum += query.FieldAsString("ReDotime").size();
        }
        if (query.RecordCount() != kBusyUserPending)
            state.SkipWithError("wrong row count");
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_PendingListOfBusyUser)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::fprintf(stderr, "Building a store of %d reminders over %d users...\n", kRows, kUsers);
    buildStore();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Connection::Close(kConnection);
    delete storeDir;
    return 0;
}
