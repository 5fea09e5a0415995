// The engine properties the catalogue's statements rely on, through the real statements.
#include "store/Accounts.h"
#include "store/Statements.h"
#include "store/Query.h"
#include "support/TempStore.h"

#include <gtest/gtest.h>

namespace {

// Every case runs on each engine: the file and the server must give the same results.
class StatementsTest : public ::testing::TestWithParam<Engine> {
protected:
    TempStore store{Connection::kDefaultName, GetParam()};
    Query query{store.session().connectionName};

    QStringList column(const QString& name) {
        QStringList values;
        for (query.first(); !query.atEnd(); query.next())
            values << query.fieldAsString(name);
        return values;
    }
    void insertReminder(const QString& recipientText, int publisher, const QString& kind,
                        std::optional<qint64> totalTime,
                        const QString& begin = "2010-11-12 08:51:37") {
        query.setStatement(Statements::kInsertReminder);
        query.bindText("p1", recipientText);
        query.bindText("p2", "内容");
        query.bindSmallInt("p3", 0);
        query.bindText("p4", begin);
        query.bindText("p5", "5");
        query.bindText("p6", "分");
        query.bindText("p7", "2010-11-12 08:51:37");
        query.bindInteger("p8", publisher);
        query.bindText("p9", kind);
        query.bindText("p10", "0");
        if (totalTime)
            query.bindLargeInt("p11", *totalTime);
        query.execute();
    }
};

TEST_P(StatementsTest, TheLoginNameIsFoundWhateverItsLetterCase) {
    store.addUser("Zhang", "张三", "Secret");
    for (const char* statement : {Statements::kLogin, Statements::kSelectUserByLogName}) {
        // A server checks passwords itself: its accounts never read a verifier.
        if (statement == Statements::kLogin && GetParam() == Engine::Postgres)
            continue;
        query.setStatement(statement);
        query.bindText(QString::fromLatin1(statement).contains(":P1") ? "p1" : "p", "ZHANG");
        query.open();
        ASSERT_EQ(query.recordCount(), 1) << statement;
        EXPECT_EQ(query.fieldAsString("UserTrueName"), QStringLiteral("张三"));
    }
}

TEST_P(StatementsTest, TextBoundToANumberColumnIsStoredAndComparedAsANumber) {
    const int user = store.addUser("u", "用户");
    insertReminder(QString::number(user), user, "1", 18000);
    const auto stored = store.rows("SELECT Retype, ReUserID, IfDone FROM tbl_reminder");
    for (const QVariant& value : stored.at(0))
        EXPECT_NE(value.typeId(), QMetaType::QString) << value.toString().toStdString();
    // The birthday poll compares Retype=1 with the number and finds the row bound as "1".
    query.setStatement(Statements::kPollBirthday);
    query.bindInteger("p", user);
    query.open();
    EXPECT_EQ(query.recordCount(), 1);
    // A key bound as decimal text finds the row.
    const QString key = query.fieldAsString("KeyID");
    query.setStatement(Statements::kAcknowledge);
    query.bindText("p", key);
    query.execute();
    EXPECT_EQ(store.scalar("SELECT IfDone FROM tbl_reminder").toInt(), 1);
    // Permission strings keyed by text.
    query.setStatement(Statements::kInsertPermission);
    query.bindText("p1", QString::number(user));
    query.bindText("p", "110000000");
    query.execute();
    query.setStatement(Statements::kSelectPermission);
    query.bindInteger("p", user);
    query.open();
    EXPECT_EQ(query.fieldAsString("UserPopdem"), QStringLiteral("110000000"));
}

TEST_P(StatementsTest, TopOneKeepsEveryTiedRowAndOnlyThem) {
    const int user = store.addUser("u", "用户");
    insertReminder(QString::number(user), user, "0", 18000);
    insertReminder(QString::number(user), user, "0", 300);
    insertReminder(QString::number(user), user, "0", 300);
    insertReminder(QString::number(user), user, "1", 60);     // other kind
    insertReminder(QString::number(user + 1), user, "0", 10); // other user
    query.setStatement(Statements::kPollOrdinary);
    query.bindInteger("p", user);
    query.open();
    EXPECT_EQ(column("TotalTime"), QStringList({"300", "300"}));
    // The anniversary poll names its parameter p1.
    query.setStatement(Statements::kPollAnniversary);
    query.bindInteger("p1", user);
    query.open();
    EXPECT_EQ(query.recordCount(), 0);
}

TEST_P(StatementsTest, ARowWithoutSortKeyHeadsThePendingListAndItsPoll) {
    const int user = store.addUser("u", "用户");
    insertReminder(QString::number(user), user, "0", 60);
    insertReminder(QString::number(user), user, "0", std::nullopt);
    query.setStatement(Statements::kPendingList);
    query.bindInteger("p", user);
    query.open();
    EXPECT_EQ(column("TotalTime"), QStringList({"", "60"}));
    query.setStatement(Statements::kPollOrdinary);
    query.bindInteger("p", user);
    query.open();
    EXPECT_EQ(column("TotalTime"), QStringList({""}));
}

TEST_P(StatementsTest, TheHistoryComesBySortKeyWithRowsWithoutOneFirstThenByKey) {
    const int user = store.addUser("u", "用户");
    for (std::optional<qint64> totalTime :
         {std::optional<qint64>(60), std::optional<qint64>(), std::optional<qint64>(60),
          std::optional<qint64>(30), std::optional<qint64>()})
        insertReminder(QString::number(user), user, "0", totalTime);
    store.execute("UPDATE tbl_reminder SET IfDone=1");
    query.setStatement(Statements::kHistoryList);
    query.bindInteger("p", user);
    query.open();
    EXPECT_EQ(column("TotalTime"), QStringList({"", "", "30", "60", "60"}));
    const QStringList keys = column("KeyID");
    EXPECT_LT(keys[0].toInt(), keys[1].toInt());
    EXPECT_LT(keys[3].toInt(), keys[4].toInt());

    query.setStatement(Statements::kHistoryFirstRows);
    query.bindInteger("p", user);
    query.bindInteger("n", 2);
    query.open();
    EXPECT_EQ(column("KeyID"), keys.mid(0, 2));
}

TEST_P(StatementsTest, APickedMomentWithItsTrailingBlankReadsBackAsTheSameMoment) {
    const int user = store.addUser("u", "用户");
    insertReminder(QString::number(user), user, "0", 60, "2010-11-12 08:51:00 ");
    EXPECT_EQ(store.scalar("SELECT ReBeginTime FROM tbl_reminder").toString(),
              QStringLiteral("2010-11-12 08:51:00 "));
    query.setStatement(Statements::kPollOrdinary);
    query.bindInteger("p", user);
    query.open();
    EXPECT_EQ(query.fieldAsDateTime("RebeginTime"), QDateTime(QDate(2010, 11, 12), QTime(8, 51)));
    EXPECT_EQ(query.fieldAsString("ReDoTime"), QStringLiteral("2010-11-12 08:51:37"));
}

TEST_P(StatementsTest, JoinedListsDropRowsOfDeletedRecipientsWhileThePublishedListKeepsThem) {
    const int publisher = store.addUser("p", "发布者");
    const int recipient = store.addUser("r", "接收者");
    insertReminder(QString::number(recipient), publisher, "0", 60);
    insertReminder(QString::number(recipient), publisher, "0", 60);
    query.setStatement(Statements::kAcknowledge);
    query.bindText("p", store.scalar("SELECT MIN(KeyID) FROM tbl_reminder").toString());
    query.execute();

    auto count = [&](const char* statement, int key) {
        query.setStatement(statement);
        query.bindInteger("p", key);
        query.open();
        return query.recordCount();
    };
    EXPECT_EQ(count(Statements::kPendingList, recipient), 1);
    EXPECT_EQ(count(Statements::kHistoryList, recipient), 1);
    EXPECT_EQ(count(Statements::kPopupListOrdinary, recipient), 1);
    query.setStatement(Statements::kPendingList);
    query.bindInteger("p", recipient);
    query.open();
    EXPECT_EQ(query.fieldAsString("UserTrueName"), QStringLiteral("接收者"));

    query.setStatement(Statements::kDeleteUser);
    query.bindText("p", QString::number(recipient));
    query.execute();
    EXPECT_EQ(count(Statements::kPendingList, recipient), 0);
    EXPECT_EQ(count(Statements::kHistoryList, recipient), 0);
    EXPECT_EQ(count(Statements::kPopupListOrdinary, recipient), 0);
    EXPECT_EQ(count(Statements::kPublishedList, publisher), 1);
    EXPECT_EQ(count(Statements::kPollOrdinary, recipient), 1);
}

TEST_P(StatementsTest, ThePublishedListComesNewestFirstAndDeletesOnlyPendingRows) {
    const int user = store.addUser("u", "用户");
    for (const char* moment :
         {"2010-11-12 08:00:00", "2010-11-12 09:00:00", "2010-11-11 23:00:00"}) {
        insertReminder(QString::number(user), user, "0", 60);
        store.execute(
            "UPDATE tbl_reminder SET ReDoTime=? WHERE KeyID=(SELECT MAX(KeyID) FROM tbl_reminder)",
            {QString::fromLatin1(moment)});
    }
    query.setStatement(Statements::kPublishedList);
    query.bindInteger("p", user);
    query.open();
    EXPECT_EQ(column("ReDoTime"),
              QStringList({"2010-11-12 09:00:00", "2010-11-12 08:00:00", "2010-11-11 23:00:00"}));
    query.setStatement(Statements::kAcknowledge);
    query.bindText("p", "1");
    query.execute();
    query.setStatement(Statements::kDeletePublishedReminder);
    query.bindText("p", "1");
    query.execute();
    EXPECT_EQ(store.count("tbl_reminder"), 3); // handled rows are not deleted by it
    query.setStatement(Statements::kDeleteReminder);
    query.bindText("p", "1");
    query.execute();
    EXPECT_EQ(store.count("tbl_reminder"), 2);
}

TEST_P(StatementsTest, EveryWritingStatementRunsWithItsBindings) {
    query.setStatement(Statements::kInsertUser);
    query.bindText("p1", "li");
    query.bindText("p2", "李四");
    query.bindText("p3", "pw");
    query.bindText("p4", "");
    query.bindText("p5", "0");
    query.execute();
    const QString key =
        store.scalar("SELECT KeyID FROM tbl_user WHERE UserLogName='li'").toString();
    // A server's account takes only a verifier, which its role gets as well.
    const QString verifier = Accounts::storedPassword("new");
    query.setStatement(Statements::kUpdatePassword);
    query.bindText("p", verifier);
    query.bindInteger("p1", key.toInt());
    query.execute();
    EXPECT_EQ(store.scalar("SELECT UserPwd FROM tbl_user WHERE KeyID=?", {key}), QVariant(verifier));

    query.setStatement(Statements::kInsertPermission);
    query.bindText("p1", key);
    query.bindText("p", "000000000");
    query.execute();
    query.setStatement(Statements::kUpdatePermission);
    query.bindText("p", "111111111");
    query.bindText("p1", key);
    query.execute();
    EXPECT_EQ(store.scalar("SELECT UserPopdem FROM tbl_popdem"), QVariant("111111111"));

    insertReminder(key, key.toInt(), "0", 18000);
    const QString reminder = store.scalar("SELECT MAX(KeyID) FROM tbl_reminder").toString();
    query.setStatement(Statements::kUpdateReminder);
    for (int i = 1; i <= 11; ++i)
        query.bindText(QStringLiteral("p%1").arg(i), QStringLiteral("0"));
    query.bindText("p2", "改");
    query.bindText("p8", key);
    query.bindText("p12", reminder);
    query.execute();
    EXPECT_EQ(store.scalar("SELECT ReDetail FROM tbl_reminder"), QVariant("改"));

    query.setStatement(Statements::kPostponeCustom);
    query.bindText("p4", "2011-03-08 09:05:00 ");
    query.bindText("p1", "2");
    query.bindText("p2", "时");
    query.bindLargeInt("p5", 7200);
    query.bindText("p3", reminder);
    query.execute();
    query.setStatement(Statements::kPostponeFixed);
    query.bindSmallInt("p1", 30);
    query.bindText("p2", "分");
    query.bindSmallInt("p4", 1800);
    query.bindText("p3", reminder);
    query.execute();
    const auto row = store.rows(
        "SELECT ReBeginTime, ReIntervalNumber, ReIntervalType, TotalTime FROM tbl_reminder");
    ASSERT_EQ(row.size(), 1u);
    EXPECT_EQ(row[0][0], QVariant("2011-03-08 09:05:00 "));
    EXPECT_EQ(row[0][1].toInt(), 30);
    EXPECT_EQ(row[0][2], QVariant("分"));
    EXPECT_EQ(row[0][3].toInt(), 1800);

    query.setStatement(Statements::kSelectPublishedReminder);
    query.bindInteger("p", key.toInt());
    query.bindText("p1", reminder);
    query.open();
    EXPECT_EQ(query.recordCount(), 1);

    query.setStatement(Statements::kDeleteUser);
    query.bindText("p", key);
    query.execute();
    EXPECT_EQ(store.count("tbl_user"), 1);
}

TEST_P(StatementsTest, SixtyFourBitSortKeysAndHugeContentSurviveUnchanged) {
    const int user = store.addUser("u", "用户");
    insertReminder(QString::number(user), user, "0", 51834816000LL);
    EXPECT_EQ(store.scalar("SELECT TotalTime FROM tbl_reminder").toLongLong(), 51834816000LL);

    QString content;
    for (int i = 0; content.size() < 100000; ++i)
        content += QStringLiteral("行%1 😀\r\n").arg(i);
    query.setStatement(Statements::kUpdateReminder);
    for (int i = 1; i <= 12; ++i)
        query.bindText(QStringLiteral("p%1").arg(i), QStringLiteral("1"));
    query.bindText("p10", "0");
    query.bindText("p2", content);
    query.execute();
    query.setStatement(Statements::kPendingList);
    query.bindInteger("p", 1);
    query.open();
    EXPECT_EQ(query.fieldAsString("ReDetail"), content);
}

INSTANTIATE_TEST_SUITE_P(Engines, StatementsTest, ::testing::ValuesIn(TempStore::engines()),
                         TempStore::engineName);

} // namespace
