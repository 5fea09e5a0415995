// A store of the previous version: still opened and used, upgraded once in one transaction,
// its rows and the old statements untouched; and acknowledging a yearly reminder from two
// copies at once.
#include "store/StoreUpgrade.h"
#include "store/NewStore.h"
#include "store/Query.h"
#include "store/ReminderRollOver.h"
#include "store/Statements.h"
#include "support/TempStore.h"
#include "support/ThreadFlag.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

using RollOver = ReminderRollOver::Result;

class StoreUpgradeTest : public ::testing::TestWithParam<Engine> {
protected:
    TempStore store{Connection::kDefaultName, GetParam()};
    const QString connection = store.session().connectionName;

    // The store as the previous version's tool created it.
    void makePreviousVersion() {
        store.executeUnprepared("ALTER TABLE tbl_reminder DROP COLUMN ReRepeat");
        store.executeUnprepared("DROP TABLE tbl_version");
    }
    std::vector<std::vector<QVariant>> reminderRows() const {
        return store.rows("SELECT KeyID, ReUserID, ReDetail, ReAction, ReBeginTime, "
                          "ReIntervalNumber, ReIntervalType, ReDoTime, RedouserID, Retype, "
                          "IfDone, TotalTime FROM tbl_reminder ORDER BY KeyID");
    }
    // What a copy of the previous version does: publish, list, poll, acknowledge.
    void runPreviousStatements(int user) {
        Query query(connection);
        query.setStatement(Statements::kInsertReminder);
        query.bindText("p1", QString::number(user));
        query.bindText("p2", "旧版本写的");
        query.bindSmallInt("p3", 1);
        query.bindText("p4", "2020-05-25 09:00:00 ");
        query.bindText("p5", "5");
        query.bindText("p6", "分");
        query.bindText("p7", "2020-05-01 10:00:00");
        query.bindInteger("p8", user);
        query.bindText("p9", "1");
        query.bindText("p10", "0");
        query.bindLargeInt("p11", 18000);
        query.execute();
        query.setStatement(Statements::kPendingList);
        query.bindInteger("p", user);
        query.open();
        ASSERT_GE(query.recordCount(), 1);
        const QString key = query.fieldAsString("KeyID");
        query.setStatement(Statements::kPollBirthday);
        query.bindInteger("p", user);
        query.open();
        EXPECT_GE(query.recordCount(), 1);
        query.setStatement(Statements::kAcknowledge);
        query.bindText("p", key);
        query.execute();
    }
};

TEST_P(StoreUpgradeTest, APreviousStoreWorksIsUpgradedOnceAndKeepsItsRowsAndStatements) {
    EXPECT_EQ(StoreUpgrade::version(connection), StoreUpgrade::kCurrentVersion);
    makePreviousVersion();
    EXPECT_EQ(StoreUpgrade::version(connection), 1);
    EXPECT_FALSE(StoreUpgrade::hasYearlyRepeat(connection));

    const int user = store.addUser("zhang", "张三");
    for (int kind = 0; kind < 4; ++kind) {
        TempStore::Reminder reminder;
        reminder.recipient = user;
        reminder.kind = kind;
        reminder.done = kind % 2;
        reminder.totalTime = kind == 3 ? QVariant() : QVariant(600 * kind);
        store.addReminder(reminder);
    }
    runPreviousStatements(user);
    const auto before = reminderRows();

    StoreUpgrade::Outcome outcome;
    const std::optional<StoreError> failure = StoreUpgrade::upgrade(store.toolLocation(), &outcome);
    ASSERT_FALSE(failure.has_value()) << failure->what();
    EXPECT_TRUE(outcome.upgraded);
    EXPECT_EQ(outcome.fromVersion, 1);
    EXPECT_EQ(StoreUpgrade::version(connection), 2);
    EXPECT_TRUE(StoreUpgrade::hasYearlyRepeat(connection));
    EXPECT_EQ(reminderRows(), before);
    EXPECT_EQ(store.scalar("SELECT COUNT(*) FROM tbl_reminder WHERE ReRepeat IS NOT NULL").toInt(),
              0);
    EXPECT_EQ(store.scalar("SELECT COUNT(*) FROM tbl_version").toInt(), 1);
    runPreviousStatements(user);

    // Once is enough: a second run finds it current and changes nothing.
    const auto upgraded = reminderRows();
    ASSERT_FALSE(StoreUpgrade::upgrade(store.toolLocation(), &outcome).has_value());
    EXPECT_FALSE(outcome.upgraded);
    EXPECT_EQ(outcome.fromVersion, 2);
    EXPECT_EQ(reminderRows(), upgraded);
    EXPECT_EQ(store.scalar("SELECT COUNT(*) FROM tbl_version").toInt(), 1);
}

// Copy B acknowledges the row while copy A is between reading it as pending and writing its
// next occurrence; A lets go only once B is seen waiting for it.
TEST_P(StoreUpgradeTest, TwoCopiesAcknowledgingOneYearlyRowAtOnceWriteOneNextOccurrence) {
    const int user = store.addUser("zhang", "张三");
    TempStore::Reminder reminder;
    reminder.recipient = user;
    reminder.publisher = user;
    reminder.kind = 1;
    reminder.beginTime = "2024-09-17 20:00:00 ";
    const int key = store.addReminder(reminder);
    store.execute("UPDATE tbl_reminder SET ReRepeat = ? WHERE KeyID = ?",
                  {QStringLiteral("L:2020-8-15@20:00"), key});
    const ReminderRollOver::NextOccurrence next = [](const ReminderRollOver::AcknowledgedRow&) {
        return std::optional<ReminderRollOver::NextRow>({"2025-10-06 20:00:00 ", 18000});
    };

    ThreadFlag aInside;
    ThreadFlag bWaiting;
    std::atomic<int> bResult{-1};
    std::string bError;
    Connection::setWaitObserver([&] { bWaiting.raise(); });
    std::thread copyB([&] {
        aInside.await();
        {
            try {
                store.openConnection("copyB");
                bResult = static_cast<int>(
                    ReminderRollOver::acknowledge("copyB", QString::number(key), next));
            } catch (const StoreError& error) {
                bResult = -2;
                bError = error.what();
            }
        }
        Connection::close("copyB");
        bWaiting.raise();
    });
    auto waitForB = [&] {
        aInside.raise();
        if (GetParam() == Engine::Sqlite) {
            EXPECT_TRUE(bWaiting.await());
            return;
        }
        // A server tells who waits for a lock; asked from inside A's transaction, which keeps
        // what it saw of the server's activity until told to look again.
        const QSqlDatabase db = Connection::database(connection);
        for (int attempt = 0; attempt < 6000; ++attempt) {
            QSqlQuery waiting(db);
            if (waiting.exec("SELECT pg_stat_clear_snapshot()") &&
                waiting.exec("SELECT COUNT(*) FROM pg_stat_activity WHERE datname = "
                             "current_database() AND wait_event_type = 'Lock'") &&
                waiting.next() && waiting.value(0).toInt() > 0)
                return;
            QThread::msleep(5);
        }
        ADD_FAILURE() << "copy B never waited for copy A";
    };
    const RollOver aResult =
        ReminderRollOver::acknowledge(connection, QString::number(key), [&](const auto& row) {
            waitForB();
            return next(row);
        });
    copyB.join();
    Connection::setWaitObserver({});

    EXPECT_EQ(aResult, RollOver::RolledOver);
    EXPECT_EQ(bResult, static_cast<int>(RollOver::NotPending)) << bError;
    const auto rows = store.rows(
        "SELECT IfDone, ReBeginTime, ReRepeat, Retype, ReUserID FROM tbl_reminder ORDER BY KeyID");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0].toInt(), 1);
    EXPECT_EQ(rows[1][0].toInt(), 0);
    EXPECT_EQ(rows[1][1].toString(), QStringLiteral("2025-10-06 20:00:00 "));
    EXPECT_EQ(rows[1][2].toString(), QStringLiteral("L:2020-8-15@20:00"));
    EXPECT_EQ(rows[1][3].toInt(), 1);
    EXPECT_EQ(rows[1][4].toInt(), user);
}

INSTANTIATE_TEST_SUITE_P(Engines, StoreUpgradeTest, ::testing::ValuesIn(TempStore::engines()),
                         TempStore::engineName);

// The command users run, on a file: upgraded, then found current; a missing file refused.
TEST(StoreUpgradeToolTest, UpgradesAPreviousFileOnceAndRefusesAMissingOne) {
    TempStore store;
    store.execute("ALTER TABLE tbl_reminder DROP COLUMN ReRepeat");
    store.execute("DROP TABLE tbl_version");
    auto run = [](const QString& location) {
        QProcess tool;
        tool.setProcessChannelMode(QProcess::MergedChannels);
        tool.start(QStringLiteral(QX_NEWSTORE_TOOL), {QStringLiteral("--upgrade"), location});
        tool.waitForFinished(60000);
        return std::make_pair(tool.exitCode(), QString::fromUtf8(tool.readAll()));
    };
    const auto first = run(store.filePath());
    EXPECT_EQ(first.first, 0) << first.second.toStdString();
    EXPECT_TRUE(first.second.contains("from version 1 to version 2")) << first.second.toStdString();
    EXPECT_EQ(StoreUpgrade::version(store.session().connectionName), 2);
    const auto second = run(store.filePath());
    EXPECT_EQ(second.first, 0);
    EXPECT_TRUE(second.second.contains("nothing changed")) << second.second.toStdString();
    const auto missing = run(store.dir() + "no-such.mcm");
    EXPECT_EQ(missing.first, 1);
}

} // namespace

namespace {

// Moving a store keeps its repetitions; a store of the previous version moves into a current
// one without any.
TEST(StoreUpgradeCopyTest, ACopyIsCurrentAndKeepsTheRepetitionsItsSourceHas) {
    TempStore store;
    TempStore::Reminder birthday;
    birthday.kind = 1;
    const int key = store.addReminder(birthday);
    store.execute("UPDATE tbl_reminder SET ReRepeat = 'L:1985-4L-30@09:00' WHERE KeyID = ?", {key});
    QTemporaryDir folder;
    auto repeatIn = [](const QString& location) {
        const Connection::Outcome opened = Connection::open(location, "copied");
        EXPECT_EQ(opened.result, Connection::OpenResult::Opened);
        EXPECT_EQ(StoreUpgrade::version("copied"), StoreUpgrade::kCurrentVersion);
        Query query("copied");
        query.setStatement("Select * from tbl_reminder where keyid=:p");
        query.bindInteger("p", 1);
        query.open();
        const QString repeat = query.fieldAsString("ReRepeat");
        query.close();
        Connection::close("copied");
        return repeat;
    };
    EXPECT_EQ(NewStore::copy(store.filePath(), folder.filePath("current.mcm")).reminders, 1);
    EXPECT_EQ(repeatIn(folder.filePath("current.mcm")), QStringLiteral("L:1985-4L-30@09:00"));

    store.execute("ALTER TABLE tbl_reminder DROP COLUMN ReRepeat");
    store.execute("DROP TABLE tbl_version");
    EXPECT_EQ(NewStore::copy(store.filePath(), folder.filePath("previous.mcm")).reminders, 1);
    EXPECT_TRUE(repeatIn(folder.filePath("previous.mcm")).isEmpty());
}

} // namespace
