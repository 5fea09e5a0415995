// The engine properties the catalogue's statements rely on, through the real statements.
#include "store/Query.h"
#include "store/Statements.h"
#include "support/TempStore.h"

#include <gtest/gtest.h>

namespace {

class StatementsTest : public ::testing::Test {
protected:
    TempStore store;
    Query query{store.session().connectionName};

    QStringList column(const QString& name) {
        QStringList values;
        for (query.First(); !query.Eof(); query.Next())
            values << query.FieldAsString(name);
        return values;
    }
    void insertReminder(const QString& recipientText, int publisher, const QString& kind,
                        std::optional<qint64> totalTime, const QString& begin = "2010-11-12 08:51:37") {
        query.SetSQL(Statements::kInsertReminder);
        query.SetText("p1", recipientText);
        query.SetText("p2", "内容");
        query.SetSmallInt("p3", 0);
        query.SetText("p4", begin);
        query.SetText("p5", "5");
        query.SetText("p6", "分");
        query.SetText("p7", "2010-11-12 08:51:37");
        query.SetInteger("p8", publisher);
        query.SetText("p9", kind);
        query.SetText("p10", "0");
        if (totalTime)
            query.SetLargeInt("p11", *totalTime);
        query.ExecSQL();
    }
};

TEST_F(StatementsTest, LoginAndLoginNameCheckIgnoreLetterCase) {
    query.SetSQL(Statements::kLogin);
    query.SetText("p1", "ADMIN");
    query.SetText("p2", "1");
    query.Open();
    EXPECT_EQ(query.RecordCount(), 1);
    EXPECT_EQ(query.FieldAsInteger("KeyID"), 1);

    store.AddUser("Zhang", "张三", "Secret");
    query.SetSQL(Statements::kLogin);
    query.SetText("p1", "zhang");
    query.SetText("p2", "SECRET");
    query.Open();
    EXPECT_EQ(query.FieldAsString("UserTrueName"), QStringLiteral("张三"));

    query.SetSQL(Statements::kSelectUserByLogName);
    query.SetText("p", "ZHANG");
    query.Open();
    EXPECT_EQ(query.RecordCount(), 1);

    query.SetSQL(Statements::kLogin);
    query.SetText("p1", "zhang");
    query.SetText("p2", "wrong");
    query.Open();
    EXPECT_EQ(query.RecordCount(), 0);
}

TEST_F(StatementsTest, TextBoundToANumberColumnIsStoredAndComparedAsANumber) {
    const int user = store.AddUser("u", "用户");
    insertReminder(QString::number(user), user, "1", 18000);
    EXPECT_EQ(store.Scalar("SELECT typeof(Retype) || typeof(ReUserID) || typeof(IfDone) FROM tbl_reminder"),
              QVariant("integerintegerinteger"));
    // The birthday poll compares Retype=1 with the number and finds the row bound as "1".
    query.SetSQL(Statements::kPollBirthday);
    query.SetInteger("p", user);
    query.Open();
    EXPECT_EQ(query.RecordCount(), 1);
    // A key bound as decimal text finds the row.
    const QString key = query.FieldAsString("KeyID");
    query.SetSQL(Statements::kAcknowledge);
    query.SetText("p", key);
    query.ExecSQL();
    EXPECT_EQ(store.Scalar("SELECT IfDone FROM tbl_reminder").toInt(), 1);
    // Permission strings keyed by text.
    query.SetSQL(Statements::kInsertPermission);
    query.SetText("p1", QString::number(user));
    query.SetText("p", "110000000");
    query.ExecSQL();
    query.SetSQL(Statements::kSelectPermission);
    query.SetInteger("p", user);
    query.Open();
    EXPECT_EQ(query.FieldAsString("UserPopdem"), QStringLiteral("110000000"));
}

TEST_F(StatementsTest, TopOneKeepsEveryTiedRowAndOnlyThem) {
    const int user = store.AddUser("u", "用户");
    insertReminder(QString::number(user), user, "0", 18000);
    insertReminder(QString::number(user), user, "0", 300);
    insertReminder(QString::number(user), user, "0", 300);
    insertReminder(QString::number(user), user, "1", 60);       // other kind
    insertReminder(QString::number(user + 1), user, "0", 10);   // other user
    query.SetSQL(Statements::kPollOrdinary);
    query.SetInteger("p", user);
    query.Open();
    EXPECT_EQ(column("TotalTime"), QStringList({"300", "300"}));
    // The anniversary poll names its parameter p1.
    query.SetSQL(Statements::kPollAnniversary);
    query.SetInteger("p1", user);
    query.Open();
    EXPECT_EQ(query.RecordCount(), 0);
}

TEST_F(StatementsTest, ARowWithoutSortKeyHeadsThePendingListAndItsPoll) {
    const int user = store.AddUser("u", "用户");
    insertReminder(QString::number(user), user, "0", 60);
    insertReminder(QString::number(user), user, "0", std::nullopt);
    query.SetSQL(Statements::kPendingList);
    query.SetInteger("p", user);
    query.Open();
    EXPECT_EQ(column("TotalTime"), QStringList({"", "60"}));
    query.SetSQL(Statements::kPollOrdinary);
    query.SetInteger("p", user);
    query.Open();
    EXPECT_EQ(column("TotalTime"), QStringList({""}));
}

TEST_F(StatementsTest, APickedMomentWithItsTrailingBlankReadsBackAsTheSameMoment) {
    const int user = store.AddUser("u", "用户");
    insertReminder(QString::number(user), user, "0", 60, "2010-11-12 08:51:00 ");
    EXPECT_EQ(store.Scalar("SELECT ReBeginTime FROM tbl_reminder").toString(),
              QStringLiteral("2010-11-12 08:51:00 "));
    query.SetSQL(Statements::kPollOrdinary);
    query.SetInteger("p", user);
    query.Open();
    EXPECT_EQ(query.FieldAsDateTime("RebeginTime"), QDateTime(QDate(2010, 11, 12), QTime(8, 51)));
    EXPECT_EQ(query.FieldAsString("ReDoTime"), QStringLiteral("2010-11-12 08:51:37"));
}

TEST_F(StatementsTest, JoinedListsDropRowsOfDeletedRecipientsWhileThePublishedListKeepsThem) {
    const int publisher = store.AddUser("p", "发布者");
    const int recipient = store.AddUser("r", "接收者");
    insertReminder(QString::number(recipient), publisher, "0", 60);
    insertReminder(QString::number(recipient), publisher, "0", 60);
    query.SetSQL(Statements::kAcknowledge);
    query.SetText("p", store.Scalar("SELECT MIN(KeyID) FROM tbl_reminder").toString());
    query.ExecSQL();

    auto count = [&](const char* statement, int key) {
        query.SetSQL(statement);
        query.SetInteger("p", key);
        query.Open();
        return query.RecordCount();
    };
    EXPECT_EQ(count(Statements::kPendingList, recipient), 1);
    EXPECT_EQ(count(Statements::kHistoryList, recipient), 1);
    EXPECT_EQ(count(Statements::kPopupListOrdinary, recipient), 1);
    query.SetSQL(Statements::kPendingList);
    query.SetInteger("p", recipient);
    query.Open();
    EXPECT_EQ(query.FieldAsString("UserTrueName"), QStringLiteral("接收者"));

    query.SetSQL(Statements::kDeleteUser);
    query.SetText("p", QString::number(recipient));
    query.ExecSQL();
    EXPECT_EQ(count(Statements::kPendingList, recipient), 0);
    EXPECT_EQ(count(Statements::kHistoryList, recipient), 0);
    EXPECT_EQ(count(Statements::kPopupListOrdinary, recipient), 0);
    EXPECT_EQ(count(Statements::kPublishedList, publisher), 1);
    EXPECT_EQ(count(Statements::kPollOrdinary, recipient), 1);
}

TEST_F(StatementsTest, ThePublishedListComesNewestFirstAndDeletesOnlyPendingRows) {
    const int user = store.AddUser("u", "用户");
    for (const char* moment : {"2010-11-12 08:00:00", "2010-11-12 09:00:00", "2010-11-11 23:00:00"}) {
        insertReminder(QString::number(user), user, "0", 60);
        store.Exec("UPDATE tbl_reminder SET ReDoTime=? WHERE KeyID=(SELECT MAX(KeyID) FROM tbl_reminder)",
                   {QString::fromLatin1(moment)});
    }
    query.SetSQL(Statements::kPublishedList);
    query.SetInteger("p", user);
    query.Open();
    EXPECT_EQ(column("ReDoTime"), QStringList({"2010-11-12 09:00:00", "2010-11-12 08:00:00",
                                               "2010-11-11 23:00:00"}));
    query.SetSQL(Statements::kAcknowledge);
    query.SetText("p", "1");
    query.ExecSQL();
    query.SetSQL(Statements::kDeletePublishedReminder);
    query.SetText("p", "1");
    query.ExecSQL();
    EXPECT_EQ(store.count("tbl_reminder"), 3); // handled rows are not deleted by it
    query.SetSQL(Statements::kDeleteReminder);
    query.SetText("p", "1");
    query.ExecSQL();
    EXPECT_EQ(store.count("tbl_reminder"), 2);
}

TEST_F(StatementsTest, EveryWritingStatementRunsWithItsBindings) {
    query.SetSQL(Statements::kInsertUser);
    query.SetText("p1", "li");
    query.SetText("p2", "李四");
    query.SetText("p3", "pw");
    query.SetText("p4", "");
    query.SetText("p5", "0");
    query.ExecSQL();
    const QString key = store.Scalar("SELECT KeyID FROM tbl_user WHERE UserLogName='li'").toString();
    query.SetSQL(Statements::kUpdatePassword);
    query.SetText("p", "new");
    query.SetInteger("p1", key.toInt());
    query.ExecSQL();
    EXPECT_EQ(store.Scalar("SELECT UserPwd FROM tbl_user WHERE KeyID=?", {key}), QVariant("new"));

    query.SetSQL(Statements::kInsertPermission);
    query.SetText("p1", key);
    query.SetText("p", "000000000");
    query.ExecSQL();
    query.SetSQL(Statements::kUpdatePermission);
    query.SetText("p", "111111111");
    query.SetText("p1", key);
    query.ExecSQL();
    EXPECT_EQ(store.Scalar("SELECT UserPopdem FROM tbl_popdem"), QVariant("111111111"));

    insertReminder(key, key.toInt(), "0", 18000);
    const QString reminder = store.Scalar("SELECT MAX(KeyID) FROM tbl_reminder").toString();
    query.SetSQL(Statements::kUpdateReminder);
    for (int i = 1; i <= 11; ++i)
        query.SetText(QStringLiteral("p%1").arg(i), QStringLiteral("0"));
    query.SetText("p2", "改");
    query.SetText("p8", key);
    query.SetText("p12", reminder);
    query.ExecSQL();
    EXPECT_EQ(store.Scalar("SELECT ReDetail FROM tbl_reminder"), QVariant("改"));

    query.SetSQL(Statements::kPostponeCustom);
    query.SetText("p4", "2011-03-08 09:05:00 ");
    query.SetText("p1", "2");
    query.SetText("p2", "时");
    query.SetLargeInt("p5", 7200);
    query.SetText("p3", reminder);
    query.ExecSQL();
    query.SetSQL(Statements::kPostponeFixed);
    query.SetSmallInt("p1", 30);
    query.SetText("p2", "分");
    query.SetSmallInt("p4", 1800);
    query.SetText("p3", reminder);
    query.ExecSQL();
    const auto row = store.Rows("SELECT ReBeginTime, ReIntervalNumber, ReIntervalType, TotalTime FROM tbl_reminder");
    ASSERT_EQ(row.size(), 1u);
    EXPECT_EQ(row[0][0], QVariant("2011-03-08 09:05:00 "));
    EXPECT_EQ(row[0][1].toInt(), 30);
    EXPECT_EQ(row[0][2], QVariant("分"));
    EXPECT_EQ(row[0][3].toInt(), 1800);

    query.SetSQL(Statements::kSelectPublishedReminder);
    query.SetInteger("p", key.toInt());
    query.SetText("p1", reminder);
    query.Open();
    EXPECT_EQ(query.RecordCount(), 1);

    query.SetSQL(Statements::kDeleteUser);
    query.SetText("p", key);
    query.ExecSQL();
    EXPECT_EQ(store.count("tbl_user"), 1);
}

TEST_F(StatementsTest, SixtyFourBitSortKeysAndHugeContentSurviveUnchanged) {
    const int user = store.AddUser("u", "用户");
    insertReminder(QString::number(user), user, "0", 51834816000LL);
    EXPECT_EQ(store.Scalar("SELECT TotalTime FROM tbl_reminder").toLongLong(), 51834816000LL);

    QString content;
    for (int i = 0; content.size() < 100000; ++i)
        content += QStringLiteral("行%1 😀\r\n").arg(i);
    query.SetSQL(Statements::kUpdateReminder);
    for (int i = 1; i <= 12; ++i)
        query.SetText(QStringLiteral("p%1").arg(i), QStringLiteral("1"));
    query.SetText("p10", "0");
    query.SetText("p2", content);
    query.ExecSQL();
    query.SetSQL(Statements::kPendingList);
    query.SetInteger("p", 1);
    query.Open();
    EXPECT_EQ(query.FieldAsString("ReDetail"), content);
}

} // namespace
