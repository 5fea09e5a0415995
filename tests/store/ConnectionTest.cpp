// Opening the store file, and several copies of the program writing it at once.
#include "store/Connection.h"
#include "store/NewStore.h"
#include "store/Query.h"
#include "store/Statements.h"
#include "store/StoreError.h"
#include "support/TempStore.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

using Connection::OpenResult;

TEST(ConnectionTest, OpensOnlyAStoreThatHoldsTheThreeTables) {
    QTemporaryDir dir;
    const QString path = dir.filePath("qxreminder.mcm");
    EXPECT_EQ(Connection::Open(path, "c1").result, OpenResult::Missing);
    EXPECT_FALSE(QFile::exists(path)) << "opening must never create the store";

    QFile junk(path);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    const auto notADatabase = Connection::Open(path, "c1");
    EXPECT_EQ(notADatabase.result, OpenResult::CannotOpen);
    EXPECT_FALSE(notADatabase.message.isEmpty());
    QFile::remove(path);

    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "raw");
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec("CREATE TABLE tbl_user(KeyID INTEGER)");
        db.close();
    }
    QSqlDatabase::removeDatabase("raw");
    EXPECT_EQ(Connection::Open(path, "c1").result, OpenResult::CannotOpen);
    QFile::remove(path);

    NewStore::Create(path);
    EXPECT_EQ(Connection::Open(path, "c1").result, OpenResult::Opened);
    QSqlQuery mode(QSqlDatabase::database("c1"));
    ASSERT_TRUE(mode.exec("PRAGMA journal_mode"));
    ASSERT_TRUE(mode.next());
    EXPECT_EQ(mode.value(0).toString(), QStringLiteral("delete"));
    mode.finish();
    Connection::Close("c1");
}

TEST(ConnectionTest, NewStoreHoldsTheAdministratorAndRefusesToOverwrite) {
    QTemporaryDir dir;
    const QString path = dir.filePath("store with blanks 中文.mcm");
    NewStore::Create(path);
    EXPECT_THROW(NewStore::Create(path), StoreError);
    ASSERT_EQ(Connection::Open(path, "c2").result, OpenResult::Opened);
    Query query("c2");
    query.SetSQL(Statements::kLogin);
    query.SetText("p1", NewStore::kAdminLogName);
    query.SetText("p2", NewStore::kAdminDefaultPassword);
    query.Open();
    ASSERT_EQ(query.RecordCount(), 1);
    EXPECT_EQ(query.FieldAsInteger("IfAdmin"), 1);
    EXPECT_EQ(NewStore::kAdminDefaultPassword.size(), 1);
    EXPECT_TRUE(NewStore::kAdminDefaultPassword[0].isDigit());
    Connection::Close("c2");
}

TEST(ConnectionTest, AStatementWaitsForAnotherCopysLockAndThenSucceeds) {
    TempStore store;
    const Session other = store.OpenSecondSession("other");
    // The other copy holds the write lock, as a long write would.
    QSqlQuery lock(QSqlDatabase::database(other.connectionName));
    ASSERT_TRUE(lock.exec("BEGIN EXCLUSIVE"));

    std::atomic<bool> done{false};
    std::atomic<bool> failed{false};
    std::thread writer([&] {
        // A connection belongs to the thread that opened it.
        if (Connection::Open(store.FilePath(), "waiter").result != OpenResult::Opened) {
            failed = true;
        } else {
            try {
                Query query("waiter");
                query.SetSQL(Statements::kInsertPermission);
                query.SetText("p1", "1");
                query.SetText("p", "111111111");
                query.ExecSQL();
            } catch (const StoreError&) {
                failed = true;
            }
        }
        Connection::Close("waiter");
        done = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_FALSE(done) << "the write should still be waiting for the lock";
    ASSERT_TRUE(lock.exec("COMMIT"));
    writer.join();
    EXPECT_FALSE(failed);
    EXPECT_EQ(store.Count("tbl_popdem"), 1);
}

TEST(ConnectionTest, TwoCopiesWritingAtOnceLoseNoWrite) {
    TempStore store;
    constexpr int kWritesPerCopy = 200;
    std::atomic<int> failures{0};
    auto copy = [&](const QString& name, int user) {
        {
            const auto outcome = Connection::Open(store.FilePath(), name);
            if (outcome.result != OpenResult::Opened) {
                failures += kWritesPerCopy;
                return;
            }
            Query query(name);
            for (int i = 0; i < kWritesPerCopy; ++i) {
                try {
                    query.SetSQL(Statements::kInsertReminder);
                    query.SetText("p1", QString::number(user));
                    query.SetText("p2", QStringLiteral("写入 %1").arg(i));
                    query.SetLargeInt("p11", i);
                    query.ExecSQL();
                    // Readers between the writes, as the polls of a running copy do.
                    query.SetSQL(Statements::kPollOrdinary);
                    query.SetInteger("p", user);
                    query.Open();
                } catch (const StoreError&) {
                    ++failures;
                }
            }
        }
        Connection::Close(name);
    };
    std::thread a(copy, QStringLiteral("copyA"), 1);
    std::thread b(copy, QStringLiteral("copyB"), 2);
    a.join();
    b.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(store.Count("tbl_reminder"), 2 * kWritesPerCopy);
}

} // namespace
