// The query object and the dialect layer, on a real temporary store.
#include "store/Query.h"
#include "store/Connection.h"
#include "store/Dialect.h"
#include "store/StoreError.h"
#include "support/TempStore.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

TEST(DialectTest, TopOneKeepsTiesAndLeavesOtherStatementsAlone) {
    const QString plain = QStringLiteral("Select * from tbl_user where keyid=:p");
    EXPECT_EQ(Dialect::Translate(plain), plain);
    const QString top =
        Dialect::Translate(QStringLiteral("Select top 1 * from tbl_reminder where ReUserID=:p and "
                                          "IfDone=0 and retype=0 order by totaltime   "));
    EXPECT_TRUE(top.contains(QStringLiteral("IS (SELECT totaltime FROM tbl_reminder")));
    EXPECT_FALSE(top.contains(QStringLiteral("top 1"), Qt::CaseInsensitive));
    EXPECT_THROW(Dialect::Translate(QStringLiteral("Select top 2 * from t where a=1 order by b")),
                 StoreError);
}

TEST(QueryTest, ParametersAreNamedCaseInsensitivelyAndUnsetOnesAreNull) {
    TempStore store;
    Query query(store.session().connectionName);
    query.SetSQL(QStringLiteral("Select * from tbl_user where UserLogName=:P1 and UserPwd=:p2"));
    query.SetText(QStringLiteral("p1"), QStringLiteral("admin"));
    query.SetText(QStringLiteral("P2"), QStringLiteral("1"));
    query.Open();
    EXPECT_EQ(query.RecordCount(), 1);

    // A parameter that is never set binds NULL, which matches nothing.
    query.SetSQL(QStringLiteral("Select * from tbl_user where UserLogName=:P1 and UserPwd=:p2"));
    query.SetText(QStringLiteral("p1"), QStringLiteral("admin"));
    query.Open();
    EXPECT_EQ(query.RecordCount(), 0);

    EXPECT_THROW(query.SetText(QStringLiteral("p9"), QStringLiteral("x")), StoreError);
}

TEST(QueryTest, SettingTheTextDropsTheResultAndTheValues) {
    TempStore store;
    Query query(store.session().connectionName);
    query.SetSQL(QStringLiteral("Select * from tbl_user where keyid=:p"));
    query.SetInteger(QStringLiteral("p"), 1);
    query.Open();
    ASSERT_EQ(query.RecordCount(), 1);
    query.SetSQL(QStringLiteral("Select * from tbl_user where keyid=:p"));
    EXPECT_FALSE(query.Active());
    EXPECT_EQ(query.RecordCount(), 0);
    query.Open(); // p is NULL again
    EXPECT_EQ(query.RecordCount(), 0);
}

TEST(QueryTest, FieldsReadByNameInAnyCaseAndEmptyResultsReadAsEmptyOrZero) {
    TempStore store;
    Query query(store.session().connectionName);
    query.SetSQL(QStringLiteral("Select * from tbl_user where keyid=:p"));
    query.SetInteger(QStringLiteral("p"), 1);
    query.Open();
    EXPECT_EQ(query.FieldAsString(QStringLiteral("userlogname")), QStringLiteral("admin"));
    EXPECT_EQ(query.FieldAsInteger(QStringLiteral("IFADMIN")), 1);
    EXPECT_EQ(query.FieldAsString(QStringLiteral("KeyID")), QStringLiteral("1"));
    EXPECT_THROW(query.FieldAsString(QStringLiteral("NoSuchColumn")), StoreError);

    query.SetSQL(QStringLiteral("Select * from tbl_user where keyid=:p"));
    query.SetInteger(QStringLiteral("p"), 999);
    query.Open();
    EXPECT_TRUE(query.Eof());
    EXPECT_EQ(query.FieldAsString(QStringLiteral("UserTrueName")), QString());
    EXPECT_EQ(query.FieldAsInteger(QStringLiteral("IfAdmin")), 0);
}

TEST(QueryTest, RowsAreWalkedInOrderAndNullsReadAsEmpty) {
    TempStore store;
    const int user = store.AddUser("u", "用户");
    TempStore::Reminder r;
    r.recipient = user;
    r.totalTime = QVariant();
    r.detail = "first";
    store.AddReminder(r);
    r.totalTime = 5;
    r.detail = "second";
    store.AddReminder(r);
    Query query(store.session().connectionName);
    query.SetSQL(QStringLiteral("Select * from tbl_reminder order by totaltime"));
    query.Open();
    ASSERT_EQ(query.RecordCount(), 2);
    EXPECT_EQ(query.FieldAsString("TotalTime"), QString());
    EXPECT_EQ(query.FieldAsInteger("TotalTime"), 0);
    query.Next();
    EXPECT_EQ(query.FieldAsString("ReDetail"), QStringLiteral("second"));
    query.Next();
    EXPECT_TRUE(query.Eof());
}

TEST(QueryTest, FailingStatementsThrowTheEnginesMessage) {
    TempStore store;
    Query query(store.session().connectionName);
    query.SetSQL(QStringLiteral("Select * from no_such_table"));
    try {
        query.Open();
        FAIL() << "no error";
    } catch (const StoreError& error) {
        EXPECT_NE(QString::fromUtf8(error.what()).indexOf("no_such_table"), -1) << error.what();
    }
    Query unbound(QStringLiteral("no-such-connection"));
    unbound.SetSQL(QStringLiteral("Select * from tbl_user"));
    EXPECT_THROW(unbound.Open(), StoreError);

    // A text the store cannot run never runs the text that came before it.
    query.SetSQL(QStringLiteral("Select * from tbl_user"));
    query.Open();
    EXPECT_THROW(
        query.SetSQL(QStringLiteral("Select top 2 * from tbl_user where keyid>0 order by keyid")),
        StoreError);
    EXPECT_THROW(query.Open(), StoreError);
}

TEST(QueryTest, DateTimesReadTrimmedAndUnreadableOnesFail) {
    TempStore store;
    const int user = store.AddUser("u", "用户");
    TempStore::Reminder r;
    r.recipient = user;
    r.beginTime = "2011-03-08 09:05:00 ";
    store.AddReminder(r);
    r.beginTime = "not a moment";
    store.AddReminder(r);
    Query query(store.session().connectionName);
    query.SetSQL(QStringLiteral("Select * from tbl_reminder order by keyid"));
    query.Open();
    EXPECT_EQ(query.FieldAsDateTime("ReBeginTime"), QDateTime(QDate(2011, 3, 8), QTime(9, 5, 0)));
    query.Next();
    EXPECT_THROW(query.FieldAsDateTime("ReBeginTime"), StoreError);
}

TEST(QueryTest, ANewTextIsRunAsWrittenAndTheSameTextSeesTheStoreAsItIsNow) {
    TempStore store;
    Query query(store.session().connectionName);
    const QString users = QStringLiteral("Select * from tbl_user where keyid>=:p");
    query.SetSQL(users);
    query.SetInteger(QStringLiteral("p"), 1);
    query.Open();
    EXPECT_EQ(query.RecordCount(), 1);

    query.SetSQL(QStringLiteral("Select * from tbl_popdem where userid>=:p"));
    query.SetInteger(QStringLiteral("p"), 1);
    query.Open();
    EXPECT_EQ(query.RecordCount(), 0);
    EXPECT_THROW(query.FieldAsString(QStringLiteral("UserLogName")), StoreError);

    store.AddUser("u", "用户");
    query.SetSQL(users);
    query.SetInteger(QStringLiteral("p"), 1);
    query.Open();
    EXPECT_EQ(query.RecordCount(), 2);
    query.SetSQL(users);
    query.SetInteger(QStringLiteral("p"), 2);
    query.Open();
    EXPECT_EQ(query.RecordCount(), 1);

    // The connection closed and opened again under its name: the text still runs.
    Connection::Close(store.session().connectionName);
    ASSERT_EQ(Connection::Open(store.filePath(), store.session().connectionName).result,
              Connection::OpenResult::Opened);
    query.SetSQL(users);
    query.SetInteger(QStringLiteral("p"), 1);
    query.Open();
    EXPECT_EQ(query.RecordCount(), 2);
}

// Another copy that wants the file to itself gets it at once between two runs of a query,
// and a query run while another copy writes waits for it instead of failing.
TEST(QueryTest, AKeptStatementLocksNothingBetweenRunsAndWaitsForOtherCopies) {
    TempStore store;
    const Session other = store.OpenSecondSession("other");
    QSqlDatabase otherDb = QSqlDatabase::database(other.connectionName);
    QSqlQuery(otherDb).exec("PRAGMA busy_timeout=0");
    Query reader(store.session().connectionName);
    Query writer(store.session().connectionName);
    auto run = [&] {
        reader.SetSQL(QStringLiteral("Select * from tbl_user where keyid=:p"));
        reader.SetInteger(QStringLiteral("p"), 1);
        reader.Open();
        writer.SetSQL(QStringLiteral("Update tbl_user set remarks=:p where keyid=1"));
        writer.SetText(QStringLiteral("p"), QStringLiteral("x"));
        writer.ExecSQL();
    };
    for (int round = 0; round < 2; ++round) {
        run();
        QSqlQuery lock(otherDb);
        ASSERT_TRUE(lock.exec("BEGIN EXCLUSIVE")) << "round " << round;
        ASSERT_TRUE(lock.exec("COMMIT"));
    }

    enum Step { Starting, Locked, Releasing, Failed };
    std::atomic<Step> step{Starting};
    std::thread otherCopy([&] {
        if (Connection::Open(store.filePath(), "locker").result == Connection::OpenResult::Opened) {
            QSqlQuery lock(QSqlDatabase::database("locker"));
            if (lock.exec("BEGIN EXCLUSIVE")) {
                step = Locked;
                std::this_thread::sleep_for(std::chrono::milliseconds(400));
                step = Releasing;
                lock.exec("COMMIT");
            }
        }
        Connection::Close("locker");
        if (step != Releasing)
            step = Failed;
    });
    while (step == Starting)
        std::this_thread::yield();
    if (step == Locked) {
        EXPECT_NO_THROW(run());
        EXPECT_EQ(step, Releasing) << "the run should have waited for the other copy";
        EXPECT_EQ(reader.RecordCount(), 1);
    } else {
        ADD_FAILURE() << "the other copy could not lock the file";
    }
    otherCopy.join();
}

} // namespace
