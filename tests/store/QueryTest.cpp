// The query object and the dialect layer, on a real temporary store.
#include "store/Dialect.h"
#include "store/Query.h"
#include "store/StoreError.h"
#include "support/TempStore.h"

#include <gtest/gtest.h>

namespace {

TEST(DialectTest, TopOneKeepsTiesAndLeavesOtherStatementsAlone) {
    const QString plain = QStringLiteral("Select * from tbl_user where keyid=:p");
    EXPECT_EQ(Dialect::Translate(plain), plain);
    const QString top = Dialect::Translate(QStringLiteral(
        "Select top 1 * from tbl_reminder where ReUserID=:p and IfDone=0 and retype=0 order by totaltime   "));
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
    EXPECT_EQ(query.FieldAsDateTime("ReBeginTime"),
              QDateTime(QDate(2011, 3, 8), QTime(9, 5, 0)));
    query.Next();
    EXPECT_THROW(query.FieldAsDateTime("ReBeginTime"), StoreError);
}

} // namespace
