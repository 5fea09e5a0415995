// What the server itself refuses a member, whatever client he connects with: these tests talk
// to it through plain libpq, as psql would.
#include "store/Accounts.h"
#include "store/Connection.h"
#include "store/Passwords.h"
#include "store/Query.h"
#include "store/Statements.h"
#include "support/TempStore.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <memory>

namespace {

struct PgClose {
    void operator()(PGconn* connection) const { PQfinish(connection); }
};
using PgConnection = std::unique_ptr<PGconn, PgClose>;

class RightsOnPostgreSQLTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!TempStore::serverConfigured())
            GTEST_SKIP() << "needs the PostgreSQL test server: ctest -L postgres";
        store = std::make_unique<TempStore>(Connection::kDefaultName, Engine::Postgres);
        alice = store->addUser("Alice", "爱丽丝", "alice-pw");
        bob = store->addUser("Bob", "鲍勃", "bob-pw");
        TempStore::Reminder toAlice;
        toAlice.recipient = alice;
        toAlice.publisher = alice;
        alicesRow = store->addReminder(toAlice);
        TempStore::Reminder toBob;
        toBob.recipient = bob;
        toBob.publisher = alice;
        bobsRow = store->addReminder(toBob);
    }

    PgConnection connectAs(const QString& login, const QString& password) const {
        const QByteArray uri = store->toolLocation().toUtf8();
        const QByteArray user =
            Connection::roleName(store->scalar("SELECT current_database()").toString(), login)
                .toUtf8();
        const QByteArray normalised = Passwords::normalised(password).toUtf8();
        const char* keywords[] = {"dbname", "user", "password", nullptr};
        const char* values[] = {uri.constData(), user.constData(), normalised.constData(),
                                nullptr};
        PgConnection connection(PQconnectdbParams(keywords, values, 1));
        EXPECT_EQ(PQstatus(connection.get()), CONNECTION_OK) << PQerrorMessage(connection.get());
        return connection;
    }

    // The statement's outcome: -1 when the server refused it, else the rows it touched or read.
    static int run(PGconn* connection, const QString& statement) {
        PGresult* result = PQexec(connection, statement.toUtf8().constData());
        int outcome = -1;
        if (PQresultStatus(result) == PGRES_COMMAND_OK)
            outcome = QByteArray(PQcmdTuples(result)).toInt();
        else if (PQresultStatus(result) == PGRES_TUPLES_OK)
            outcome = PQntuples(result);
        PQclear(result);
        return outcome;
    }

    QString insertReminder(int recipient, int publisher, int kind = 0) const {
        return QStringLiteral("INSERT INTO tbl_reminder(ReUserID, ReDetail, ReAction, ReBeginTime, "
                              "ReIntervalNumber, ReIntervalType, ReDoTime, RedouserID, Retype, "
                              "IfDone, TotalTime) VALUES (%1, 'x', 0, '2026-01-01 08:00:00', 5, "
                              "'分', '2026-01-01 08:00:00', %2, %3, 0, 1)")
            .arg(recipient)
            .arg(publisher)
            .arg(kind);
    }

    std::unique_ptr<TempStore> store;
    int alice = 0;
    int bob = 0;
    int alicesRow = 0;
    int bobsRow = 0;
};

TEST_F(RightsOnPostgreSQLTest, APlainMemberCannotReachBeyondHisOwnRows) {
    const PgConnection bobConnection = connectAs("bob", "BOB-PW");
    PGconn* c = bobConnection.get();
    const struct {
        const char* what;
        QString statement;
        int expected;
    } cases[] = {
        {"make himself administrator",
         "UPDATE tbl_user SET IfAdmin=1 WHERE UserLogName='Bob'", -1},
        {"read a password's verifier", "SELECT UserPwd FROM tbl_user", -1},
        {"read the names", "SELECT KeyID, UserLogName, UserTrueName FROM tbl_user", 3},
        {"read another person's reminders",
         QStringLiteral("SELECT * FROM tbl_reminder WHERE KeyID=%1").arg(alicesRow), 0},
        {"change another person's reminder",
         QStringLiteral("UPDATE tbl_reminder SET ReDetail='y' WHERE KeyID=%1").arg(alicesRow), 0},
        {"withdraw another person's reminder",
         QStringLiteral("DELETE FROM tbl_reminder WHERE KeyID=%1").arg(alicesRow), 0},
        {"publish in another's name", insertReminder(bob, alice), -1},
        {"publish without the right", insertReminder(bob, bob), -1},
        {"create an account",
         "INSERT INTO tbl_user(UserLogName, UserTrueName, UserPwd, Remarks, IfAdmin) "
         "VALUES ('eve', 'eve', '', '', 0)",
         -1},
        {"write a rights string",
         QStringLiteral("INSERT INTO tbl_popdem(UserId, UserPopdem) VALUES (%1, '111111111')")
             .arg(bob),
         -1},
        {"change what a received reminder says",
         QStringLiteral("UPDATE tbl_reminder SET ReDetail='y' WHERE KeyID=%1").arg(bobsRow), -1},
        {"drop a table", "DROP TABLE tbl_reminder", -1},
        {"empty a table", "TRUNCATE tbl_reminder", -1},
        {"postpone a received reminder",
         QStringLiteral("UPDATE tbl_reminder SET ReIntervalNumber=10, TotalTime=99 WHERE KeyID=%1")
             .arg(bobsRow),
         1},
        {"acknowledge it", QStringLiteral("UPDATE tbl_reminder SET IfDone=1 WHERE KeyID=%1").arg(bobsRow),
         1},
        {"take an acknowledgement back",
         QStringLiteral("UPDATE tbl_reminder SET IfDone=0 WHERE KeyID=%1").arg(bobsRow), -1},
        {"delete his own history row",
         QStringLiteral("DELETE FROM tbl_reminder WHERE KeyID=%1").arg(bobsRow), 1},
    };
    for (const auto& c2 : cases) {
        SCOPED_TRACE(c2.what);
        EXPECT_EQ(run(c, c2.statement), c2.expected) << PQerrorMessage(c);
    }
    EXPECT_EQ(store->scalar("SELECT IfAdmin FROM tbl_user WHERE KeyID=?", {bob}).toInt(), 0);
    EXPECT_EQ(store->count("tbl_user"), 3);
}

TEST_F(RightsOnPostgreSQLTest, ARightTakenAwayStopsTheNextWriteOfACopyStillLoggedIn) {
    store->setPermission(bob, "001000000");
    const PgConnection bobConnection = connectAs("bob", "bob-pw");
    EXPECT_EQ(run(bobConnection.get(), insertReminder(alice, bob)), 1)
        << PQerrorMessage(bobConnection.get());
    EXPECT_EQ(run(bobConnection.get(), insertReminder(alice, bob, 1)), -1) << "no birthday right";
    store->execute("UPDATE tbl_popdem SET UserPopdem='000000000' WHERE UserId=?", {bob});
    EXPECT_EQ(run(bobConnection.get(), insertReminder(alice, bob)), -1);
}

TEST_F(RightsOnPostgreSQLTest, AccountsAreMadeAndEndedOnlyWithTheRightAndTheLastAdministratorStays) {
    // The program's own statements, as the administrator logged in through the program.
    store->openConnection("admin-copy", "admin", "1");
    Query query("admin-copy");
    query.setStatement(Statements::kInsertUser);
    query.bindText("p1", "Carol");
    query.bindText("p2", "卡萝");
    query.bindText("p3", Accounts::storedPassword("Carol-PW"));
    query.bindText("p4", "");
    query.bindInteger("p5", 0);
    query.execute();
    const PgConnection carol = connectAs("CAROL", "carol-pw");
    EXPECT_EQ(run(carol.get(), "SELECT 1"), 1) << "the new account logs in at once";

    // Bob may maintain accounts, but not make an administrator, nor delete the last one.
    store->setPermission(bob, "100000000");
    const PgConnection bobConnection = connectAs("bob", "bob-pw");
    EXPECT_EQ(run(bobConnection.get(),
                  "INSERT INTO tbl_user(UserLogName, UserTrueName, UserPwd, Remarks, IfAdmin) "
                  "VALUES ('mallory', 'm', '', '', 1)"),
              -1);
    EXPECT_EQ(run(bobConnection.get(), "DELETE FROM tbl_user WHERE UserLogName='admin'"), -1);
    EXPECT_EQ(run(bobConnection.get(), "DELETE FROM tbl_user WHERE UserLogName='Carol'"), 1)
        << PQerrorMessage(bobConnection.get());
    EXPECT_EQ(store->scalar("SELECT count(*) FROM pg_roles WHERE rolname = current_database() || "
                            "'.carol'")
                  .toInt(),
              0)
        << "deleting an account drops its role";
}

// A copy reloads its lists when its change counter moves: only writes about its own user do.
TEST_F(RightsOnPostgreSQLTest, AWriteAboutSomebodyElseMovesNothingInACopysChangeCounter) {
    store->setPermission(alice, "001000000");
    store->openConnection("alice-copy", "alice", "alice-pw");
    store->openConnection("bob-copy", "bob", "bob-pw");
    auto publish = [&](int recipient) {
        Query insert("alice-copy");
        insert.setStatement(Statements::kInsertReminder);
        const QString values[] = {QString::number(recipient), "内容", "0", "2026-01-01 08:00:00",
                                  "5", "分", "2026-01-01 08:00:00", QString::number(alice),
                                  "0", "0", "1"};
        for (int p = 0; p < 11; ++p)
            insert.bindText(QStringLiteral("p%1").arg(p + 1), values[p]);
        insert.execute();
    };
    const auto bobsBefore = Connection::changeCounter("bob-copy");
    const auto alicesBefore = Connection::changeCounter("alice-copy");
    ASSERT_TRUE(bobsBefore.has_value());
    publish(alice);
    EXPECT_EQ(Connection::changeCounter("bob-copy"), bobsBefore);
    EXPECT_NE(Connection::changeCounter("alice-copy"), alicesBefore);
    publish(bob);
    EXPECT_NE(Connection::changeCounter("bob-copy"), bobsBefore);
    // An account added changes the names every list shows.
    const auto bobsNow = Connection::changeCounter("bob-copy");
    store->addUser("Dave", "戴夫", "dave-pw");
    EXPECT_NE(Connection::changeCounter("bob-copy"), bobsNow);
}

} // namespace
