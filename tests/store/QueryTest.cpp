// The query object and the dialect layer, on a real temporary store.
#include "store/Query.h"
#include "store/Connection.h"
#include "store/Dialect.h"
#include "store/StoreError.h"
#include "support/TempStore.h"
#include "support/ThreadFlag.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

TEST(DialectTest, TopOneKeepsTiesAndLeavesOtherStatementsAlone) {
    const QString plain = QStringLiteral("Select * from tbl_user where keyid=:p");
    const QString poll = QStringLiteral("Select top 1 * from tbl_reminder where ReUserID=:p and "
                                        "IfDone=0 and retype=0 order by totaltime   ");
    for (const Engine engine : {Engine::Sqlite, Engine::Postgres}) {
        EXPECT_EQ(Dialect::translate(plain, engine), plain);
        EXPECT_FALSE(Dialect::translate(poll, engine).contains("top 1", Qt::CaseInsensitive));
        EXPECT_THROW(Dialect::translate("Select top 2 * from t where a=1 order by b", engine),
                     StoreError);
    }
    EXPECT_TRUE(Dialect::translate(poll, Engine::Sqlite)
                    .contains(QStringLiteral("IS (SELECT totaltime FROM tbl_reminder")));
    EXPECT_TRUE(Dialect::translate(poll, Engine::Postgres)
                    .endsWith(QStringLiteral("ORDER BY totaltime NULLS FIRST FETCH FIRST 1 ROWS "
                                             "WITH TIES")));
}

TEST(DialectTest, OnTheServerRowsWithoutTheSortKeyComeFirstAscendingAndLastDescending) {
    const struct {
        const char* text;
        const char* onServer;
    } cases[] = {
        {"Select * from t where a=:p order by totaltime ",
         "Select * from t where a=:p order by totaltime NULLS FIRST "},
        {"Select *  from t   where b=:p and ifdone=0 order by redotime desc ",
         "Select *  from t   where b=:p and ifdone=0 order by redotime desc NULLS LAST "},
        {"select * from t ORDER BY k ASC", "select * from t ORDER BY k ASC NULLS FIRST"},
        {"Select * from t where a=:p and ifdone=1  ", "Select * from t where a=:p and ifdone=1  "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Dialect::translate(c.text, Engine::Postgres), QString::fromUtf8(c.onServer));
        EXPECT_EQ(Dialect::translate(c.text, Engine::Sqlite), QString::fromUtf8(c.text));
    }
}

class QueryTest : public ::testing::TestWithParam<Engine> {};
INSTANTIATE_TEST_SUITE_P(Engines, QueryTest, ::testing::ValuesIn(TempStore::engines()),
                         TempStore::engineName);

TEST_P(QueryTest, ParametersAreNamedCaseInsensitivelyAndUnsetOnesAreNull) {
    TempStore store(Connection::kDefaultName, GetParam());
    Query query(store.session().connectionName);
    query.setStatement(
        QStringLiteral("Select * from tbl_user where UserLogName=:P1 and IfAdmin=:p2"));
    query.bindText(QStringLiteral("p1"), QStringLiteral("admin"));
    query.bindText(QStringLiteral("P2"), QStringLiteral("1"));
    query.open();
    EXPECT_EQ(query.recordCount(), 1);

    // A parameter that is never set binds NULL, which matches nothing.
    query.setStatement(
        QStringLiteral("Select * from tbl_user where UserLogName=:P1 and UserPwd=:p2"));
    query.bindText(QStringLiteral("p1"), QStringLiteral("admin"));
    query.open();
    EXPECT_EQ(query.recordCount(), 0);

    EXPECT_THROW(query.bindText(QStringLiteral("p9"), QStringLiteral("x")), StoreError);
}

TEST_P(QueryTest, SettingTheTextDropsTheResultAndTheValues) {
    TempStore store(Connection::kDefaultName, GetParam());
    Query query(store.session().connectionName);
    query.setStatement(QStringLiteral("Select * from tbl_user where keyid=:p"));
    query.bindInteger(QStringLiteral("p"), 1);
    query.open();
    ASSERT_EQ(query.recordCount(), 1);
    query.setStatement(QStringLiteral("Select * from tbl_user where keyid=:p"));
    EXPECT_FALSE(query.isActive());
    EXPECT_EQ(query.recordCount(), 0);
    query.open(); // p is NULL again
    EXPECT_EQ(query.recordCount(), 0);
}

TEST_P(QueryTest, FieldsReadByNameInAnyCaseAndEmptyResultsReadAsEmptyOrZero) {
    TempStore store(Connection::kDefaultName, GetParam());
    Query query(store.session().connectionName);
    query.setStatement(QStringLiteral("Select * from tbl_user where keyid=:p"));
    query.bindInteger(QStringLiteral("p"), 1);
    query.open();
    EXPECT_EQ(query.fieldAsString(QStringLiteral("userlogname")), QStringLiteral("admin"));
    EXPECT_EQ(query.fieldAsInteger(QStringLiteral("IFADMIN")), 1);
    EXPECT_EQ(query.fieldAsString(QStringLiteral("KeyID")), QStringLiteral("1"));
    EXPECT_THROW(query.fieldAsString(QStringLiteral("NoSuchColumn")), StoreError);

    query.setStatement(QStringLiteral("Select * from tbl_user where keyid=:p"));
    query.bindInteger(QStringLiteral("p"), 999);
    query.open();
    EXPECT_TRUE(query.atEnd());
    EXPECT_EQ(query.fieldAsString(QStringLiteral("UserTrueName")), QString());
    EXPECT_EQ(query.fieldAsInteger(QStringLiteral("IfAdmin")), 0);
}

TEST_P(QueryTest, RowsAreWalkedInOrderAndNullsReadAsEmpty) {
    TempStore store(Connection::kDefaultName, GetParam());
    const int user = store.addUser("u", "用户");
    TempStore::Reminder r;
    r.recipient = user;
    r.totalTime = QVariant();
    r.detail = "first";
    store.addReminder(r);
    r.totalTime = 5;
    r.detail = "second";
    store.addReminder(r);
    Query query(store.session().connectionName);
    query.setStatement(QStringLiteral("Select * from tbl_reminder order by totaltime"));
    query.open();
    ASSERT_EQ(query.recordCount(), 2);
    EXPECT_EQ(query.fieldAsString("TotalTime"), QString());
    EXPECT_EQ(query.fieldAsInteger("TotalTime"), 0);
    query.next();
    EXPECT_EQ(query.fieldAsString("ReDetail"), QStringLiteral("second"));
    query.next();
    EXPECT_TRUE(query.atEnd());
}

TEST_P(QueryTest, FailingStatementsThrowTheEnginesMessage) {
    TempStore store(Connection::kDefaultName, GetParam());
    Query query(store.session().connectionName);
    query.setStatement(QStringLiteral("Select * from no_such_table"));
    try {
        query.open();
        FAIL() << "no error";
    } catch (const StoreError& error) {
        EXPECT_NE(QString::fromUtf8(error.what()).indexOf("no_such_table"), -1) << error.what();
    }
    Query unbound(QStringLiteral("no-such-connection"));
    unbound.setStatement(QStringLiteral("Select * from tbl_user"));
    EXPECT_THROW(unbound.open(), StoreError);

    // A text the store cannot run never runs the text that came before it.
    query.setStatement(QStringLiteral("Select * from tbl_user"));
    query.open();
    EXPECT_THROW(query.setStatement(
                     QStringLiteral("Select top 2 * from tbl_user where keyid>0 order by keyid")),
                 StoreError);
    EXPECT_THROW(query.open(), StoreError);
}

TEST_P(QueryTest, DateTimesReadTrimmedAndUnreadableOnesFail) {
    TempStore store(Connection::kDefaultName, GetParam());
    const int user = store.addUser("u", "用户");
    TempStore::Reminder r;
    r.recipient = user;
    r.beginTime = "2011-03-08 09:05:00 ";
    store.addReminder(r);
    r.beginTime = "not a moment";
    store.addReminder(r);
    Query query(store.session().connectionName);
    query.setStatement(QStringLiteral("Select * from tbl_reminder order by keyid"));
    query.open();
    EXPECT_EQ(query.fieldAsDateTime("ReBeginTime"), QDateTime(QDate(2011, 3, 8), QTime(9, 5, 0)));
    query.next();
    EXPECT_THROW(query.fieldAsDateTime("ReBeginTime"), StoreError);
}

TEST_P(QueryTest, ANewTextIsRunAsWrittenAndTheSameTextSeesTheStoreAsItIsNow) {
    TempStore store(Connection::kDefaultName, GetParam());
    Query query(store.session().connectionName);
    const QString users = QStringLiteral("Select * from tbl_user where keyid>=:p");
    query.setStatement(users);
    query.bindInteger(QStringLiteral("p"), 1);
    query.open();
    EXPECT_EQ(query.recordCount(), 1);

    query.setStatement(QStringLiteral("Select * from tbl_popdem where userid>=:p"));
    query.bindInteger(QStringLiteral("p"), 1);
    query.open();
    EXPECT_EQ(query.recordCount(), 0);
    EXPECT_THROW(query.fieldAsString(QStringLiteral("UserLogName")), StoreError);

    store.addUser("u", "用户");
    query.setStatement(users);
    query.bindInteger(QStringLiteral("p"), 1);
    query.open();
    EXPECT_EQ(query.recordCount(), 2);
    query.setStatement(users);
    query.bindInteger(QStringLiteral("p"), 2);
    query.open();
    EXPECT_EQ(query.recordCount(), 1);

    // The connection closed and opened again under its name: the text still runs.
    Connection::close(store.session().connectionName);
    store.openConnection(store.session().connectionName);
    query.setStatement(users);
    query.bindInteger(QStringLiteral("p"), 1);
    query.open();
    EXPECT_EQ(query.recordCount(), 2);
}

// Another copy that wants the file to itself gets it at once between two runs of a query,
// and a query run while another copy writes waits for it instead of failing.
TEST(QueryFileTest, AKeptStatementLocksNothingBetweenRunsAndWaitsForOtherCopies) {
    TempStore store;
    const Session other = store.openSecondSession("other");
    QSqlDatabase otherDb = QSqlDatabase::database(other.connectionName);
    QSqlQuery(otherDb).exec("PRAGMA busy_timeout=0");
    Query reader(store.session().connectionName);
    Query writer(store.session().connectionName);
    auto run = [&] {
        reader.setStatement(QStringLiteral("Select * from tbl_user where keyid=:p"));
        reader.bindInteger(QStringLiteral("p"), 1);
        reader.open();
        writer.setStatement(QStringLiteral("Update tbl_user set remarks=:p where keyid=1"));
        writer.bindText(QStringLiteral("p"), QStringLiteral("x"));
        writer.execute();
    };
    for (int round = 0; round < 2; ++round) {
        run();
        QSqlQuery lock(otherDb);
        ASSERT_TRUE(lock.exec("BEGIN EXCLUSIVE")) << "round " << round;
        ASSERT_TRUE(lock.exec("COMMIT"));
    }

    // The other copy holds the lock until the run is seen waiting for it.
    enum Step { Starting, Locked, Releasing, Failed };
    std::atomic<Step> step{Starting};
    std::atomic<int> waits{0};
    ThreadFlag runWaits;
    Connection::setWaitObserver([&] {
        ++waits;
        runWaits.raise();
    });
    std::thread otherCopy([&] {
        if (Connection::open(store.filePath(), "locker").result == Connection::OpenResult::Opened) {
            QSqlQuery lock(QSqlDatabase::database("locker"));
            if (lock.exec("BEGIN EXCLUSIVE")) {
                step = Locked;
                runWaits.await();
                step = Releasing;
                lock.exec("COMMIT");
            }
        }
        Connection::close("locker");
        if (step != Releasing)
            step = Failed;
    });
    while (step == Starting)
        std::this_thread::yield();
    if (step == Locked) {
        EXPECT_NO_THROW(run());
        EXPECT_EQ(waits, 1) << "the run should have waited for the other copy";
        EXPECT_EQ(step, Releasing);
        EXPECT_EQ(reader.recordCount(), 1);
    } else {
        ADD_FAILURE() << "the other copy could not lock the file";
    }
    runWaits.raise();
    otherCopy.join();
    Connection::setWaitObserver({});
}

} // namespace
