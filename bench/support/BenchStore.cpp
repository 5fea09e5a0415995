#include "support/BenchStore.h"

#include "store/Connection.h"
#include "store/NewStore.h"
#include "store/PostgresServer.h"
#include "store/StoreError.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

namespace {

std::unique_ptr<QTemporaryDir> storeDir;
QString storePath;
QString serverUri;
QString clusterState; // of the throwaway cluster, when this process started one

bool runClusterScript(const QString& command) {
    return QProcess::execute(QStringLiteral(QX_PG_CLUSTER_SCRIPT), {command, clusterState}) == 0;
}

// Starts a throwaway cluster and makes an empty database there; returns its URI.
QString startCluster() {
    clusterState = storeDir->filePath("cluster.state");
    if (!runClusterScript(QStringLiteral("start")))
        return {};
    QFile state(clusterState);
    state.open(QIODevice::ReadOnly);
    static const QRegularExpression uriLine(
        QStringLiteral(R"(^uri=(postgresql://[^/]*/)[^?]*(.*)$)"),
        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = uriLine.match(QString::fromUtf8(state.readAll()));
    if (!match.hasMatch())
        return {};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(PostgresServer::kDriver, "cluster");
        try {
            PostgresServer::open(db, match.captured(0).mid(4), Connection::kBusyTimeoutMs);
            QSqlQuery(db).exec("CREATE DATABASE qxbench");
        } catch (const StoreError& error) {
            std::fprintf(stderr, "%s\n", error.what());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("cluster");
    return match.captured(1) + QStringLiteral("qxbench") + match.captured(2);
}

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

const QString& BenchStore::serverLocation() {
    if (!serverUri.isEmpty())
        return serverUri;
    const QString sourcePath = path();
    QElapsedTimer timer;
    timer.start();
    QString uri = qEnvironmentVariable("QX_BENCH_POSTGRES");
    if (uri.isEmpty())
        uri = startCluster();
    std::fprintf(stderr, "Copying the store to %s...\n", qPrintable(uri));
    try {
        NewStore::copy(sourcePath, uri);
    } catch (const StoreError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        std::exit(1);
    }
    const auto outcome = Connection::open(uri, kServerConnection);
    if (outcome.result != Connection::OpenResult::Opened) {
        std::fprintf(stderr, "%s\n", outcome.error ? outcome.error->what() : "");
        std::exit(1);
    }
    // As the file store has its statistics, and every page known visible.
    QSqlQuery(QSqlDatabase::database(kServerConnection)).exec("VACUUM ANALYZE");
    std::fprintf(stderr, "... copied in %.1f s\n", timer.elapsed() / 1000.0);
    serverUri = uri;
    return serverUri;
}

void BenchStore::release() {
    if (!storeDir)
        return;
    Connection::close(kConnection);
    Connection::close(kServerConnection);
    if (!clusterState.isEmpty())
        runClusterScript(QStringLiteral("stop"));
    storeDir.reset();
}
