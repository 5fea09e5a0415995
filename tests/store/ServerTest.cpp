// What only a store on a PostgreSQL server has: creating it in a database, moving a file
// store there, many copies at once, and a server that goes away and comes back.
#include "store/Accounts.h"
#include "store/Connection.h"
#include "store/NewStore.h"
#include "store/Passwords.h"
#include "store/PostgresServer.h"
#include "store/Query.h"
#include "store/Statements.h"
#include "store/StoreError.h"
#include "support/ScopedEnvironment.h"
#include "support/ServerLink.h"
#include "support/TempStore.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

#define REQUIRE_SERVER()                                                                           \
    if (!TempStore::serverConfigured())                                                            \
    GTEST_SKIP() << "needs the PostgreSQL test server: ctest -L postgres"

using Connection::OpenResult;

void publish(const QString& connectionName, int recipient, const QString& detail,
             qint64 totalTime) {
    Query insert(connectionName);
    insert.setStatement(Statements::kInsertReminder);
    insert.bindText("p1", QString::number(recipient));
    insert.bindText("p2", detail);
    insert.bindSmallInt("p3", 0);
    insert.bindText("p4", "2011-03-08 08:00:00");
    insert.bindText("p5", "5");
    insert.bindText("p6", "分");
    insert.bindText("p7", "2011-03-08 08:00:00");
    insert.bindInteger("p8", recipient);
    insert.bindText("p9", "0");
    insert.bindText("p10", "0");
    insert.bindLargeInt("p11", totalTime);
    insert.execute();
}

int poll(Query& query, int user) {
    query.setStatement(Statements::kPollOrdinary);
    query.bindInteger("p", user);
    query.open();
    return query.recordCount();
}

TEST(ServerTest, ANewStoreNeedsAnEmptyDatabaseItsOwnerAndTheRightToCreateRolesButNoSuperuser) {
    REQUIRE_SERVER();
    const QString role = QStringLiteral("team_") + QUuid::createUuid().toString(QUuid::Id128);
    TempDatabase::runOnServer(
        QStringLiteral("CREATE ROLE %1 LOGIN CREATEROLE PASSWORD 'team'").arg(role));
    {
        const ScopedEnvironment password("PGPASSWORD", "team");
        TempDatabase database;
        TempDatabase::runOnServer(
            QStringLiteral("ALTER DATABASE %1 OWNER TO %2").arg(database.name(), role));
        const QString uri = database.uri().replace("user=postgres", "user=" + role);

        NewStore::create(uri, QStringLiteral("Erst-Passwort"));
        try {
            NewStore::create(uri);
            ADD_FAILURE() << "a second store in the same database";
        } catch (const StoreError& error) {
            EXPECT_EQ(error.kind(), StoreError::Kind::TablesExist);
        }
        // The administrator logs in with the chosen password, in any letter case.
        ASSERT_EQ(Connection::open(database.programUri(), "team").result, OpenResult::Opened);
        Query login("team");
        const auto account = Accounts::logIn(login, "ADMIN", "erst-PASSWORT");
        ASSERT_TRUE(account.has_value());
        EXPECT_TRUE(account->administrator);
        EXPECT_FALSE(account->mustChangePassword);
        Connection::close("team");
    }
    TempDatabase::runOnServer(QStringLiteral("DROP ROLE %1").arg(role));
}

// Nothing is sent before the login; the login then tells the server's own words, once.
TEST(ServerTest, AServerThatCannotServeIsToldWithItsOwnMessageAtTheLogin) {
    REQUIRE_SERVER();
    const struct {
        const char* what;
        QString uri;
        StoreError::Kind kind;
        const char* message;
    } cases[] = {
        {"no server there", "postgresql:///postgres?host=/nonexistent/qx&port=5432",
         StoreError::Kind::Unreachable, "/nonexistent/qx/.s.PGSQL.5432"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const quint64 attempts = Connection::connectAttempts("unusable");
        ASSERT_EQ(Connection::open(c.uri, "unusable").result, OpenResult::Opened);
        EXPECT_EQ(Connection::connectAttempts("unusable"), attempts);
        try {
            Connection::logIn("unusable", "admin", "1");
            ADD_FAILURE() << "logged in";
        } catch (const StoreError& error) {
            EXPECT_EQ(error.kind(), c.kind);
            const QString message = error.engineMessage();
            EXPECT_TRUE(message.contains(QString::fromUtf8(c.message))) << message.toStdString();
            EXPECT_FALSE(message.contains("FATAL")) << message.toStdString();
        }
        EXPECT_EQ(Connection::connectAttempts("unusable"), attempts + 1) << "no second try";
        Connection::close("unusable");
    }
    const auto refused =
        Connection::open(TempStore::serverUri().replace("user=postgres", "password=x"), "unusable");
    EXPECT_EQ(refused.result, OpenResult::CannotOpen);
    ASSERT_TRUE(refused.error);
    EXPECT_EQ(refused.error->kind(), StoreError::Kind::PasswordInUri);
}

// The network to the server goes: the copy hears of it at its next statement and tries to
// reach the server again, which lets it wait for the connect timeout; its background work
// then fails at once for a while instead of holding the windows at every round. Whatever
// someone waits for tries again, and brings the store back for everything.
TEST(ServerTest, ANetworkGoneIsToldAndBackgroundWorkDoesNotWaitForItAgainAndAgain) {
    REQUIRE_SERVER();
    TempDatabase database;
    NewStore::create(database.uri());
    ServerLink link;
    ASSERT_EQ(Connection::open(link.uri(database.name(), 2), "remote").result, OpenResult::Opened);
    Connection::logIn("remote", NewStore::kAdminLogName,
                      Passwords::normalised(NewStore::kAdminDefaultPassword));
    Query query("remote");
    ASSERT_EQ(poll(query, 1), 0);
    auto backgroundPoll = [&] {
        Connection::NoWait background("remote");
        return poll(query, 1);
    };

    // A cut link leaves the attempt to reach the server unanswered until its timeout; only an
    // attempt that waited so keeps the background work from trying again.
    link.cut();
    const quint64 attempts = Connection::connectAttempts("remote");
    EXPECT_THROW(poll(query, 1), StoreError);
    EXPECT_EQ(Connection::connectAttempts("remote"), attempts + 1);
    EXPECT_THROW(backgroundPoll(), StoreError);
    EXPECT_EQ(Connection::connectAttempts("remote"), attempts + 1)
        << "background work tried the network again";

    link.restore();
    EXPECT_THROW(backgroundPoll(), StoreError);
    EXPECT_EQ(Connection::connectAttempts("remote"), attempts + 1);
    EXPECT_EQ(poll(query, 1), 0);
    EXPECT_EQ(Connection::connectAttempts("remote"), attempts + 2);
    EXPECT_EQ(backgroundPoll(), 0);
    Connection::close("remote");
}

TEST(ServerTest, TwentyCopiesWritingAndPollingAtOnceLoseNothing) {
    REQUIRE_SERVER();
    TempStore store(Connection::kDefaultName, Engine::Postgres);
    constexpr int kCopies = 20;
    constexpr int kRounds = 25;
    std::vector<int> users;
    for (int c = 0; c < kCopies; ++c)
        users.push_back(
            store.addUser(QStringLiteral("user%1").arg(c), QStringLiteral("用户%1").arg(c)));
    std::atomic<int> failures{0};
    std::atomic<int> acknowledged{0};
    std::vector<std::thread> copies;
    for (int c = 0; c < kCopies; ++c) {
        copies.emplace_back([&, c] {
            const QString name = QStringLiteral("copy-%1").arg(c);
            try {
                store.openConnection(name);
            } catch (const std::exception&) {
                failures += kRounds;
                return;
            }
            {
                Query query(name);
                for (int round = 0; round < kRounds; ++round) {
                    try {
                        // Each copy publishes to the next one's user and handles what it
                        // finds for its own, as popups do.
                        publish(name, users[(c + 1) % kCopies],
                                QStringLiteral("%1-%2").arg(c).arg(round), round);
                        if (poll(query, users[c]) > 0) {
                            const QString key = query.fieldAsString("KeyID");
                            query.setStatement(Statements::kAcknowledge);
                            query.bindText("p", key);
                            query.execute();
                            ++acknowledged;
                        }
                    } catch (const StoreError& error) {
                        ADD_FAILURE() << error.what();
                        ++failures;
                    }
                }
            }
            Connection::close(name);
        });
    }
    for (std::thread& copy : copies)
        copy.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(store.count("tbl_reminder"), kCopies * kRounds);
    EXPECT_EQ(store.scalar("SELECT COUNT(DISTINCT ReDetail) FROM tbl_reminder").toInt(),
              kCopies * kRounds);
    EXPECT_GT(acknowledged.load(), 0);
    EXPECT_EQ(store.scalar("SELECT COUNT(*) FROM tbl_reminder WHERE IfDone = 1").toInt(),
              acknowledged.load());
}

// Every row of the three tables, keys first, as texts (NULL stays apart from empty text).
std::vector<QStringList> everyRow(const QString& connectionName) {
    std::vector<QStringList> rows;
    for (const char* table : {"tbl_user", "tbl_popdem", "tbl_reminder"}) {
        QSqlQuery query(QSqlDatabase::database(connectionName));
        EXPECT_TRUE(query.exec(QStringLiteral("SELECT * FROM %1 ORDER BY KeyID").arg(table)));
        while (query.next()) {
            QStringList texts{QString::fromLatin1(table)};
            for (int c = 0; c < query.record().count(); ++c)
                texts << (query.isNull(c) ? QStringLiteral("<null>") : query.value(c).toString());
            rows.push_back(texts);
        }
    }
    return rows;
}

struct ToolRun {
    int exitCode = -1;
    QString output;
};

ToolRun runNewStore(const QStringList& arguments) {
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(QStringLiteral(QX_NEWSTORE_TOOL), arguments);
    tool.waitForFinished(60000);
    return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1,
            QString::fromUtf8(tool.readAll())};
}

// A team's file store with accounts (the newest one deleted), permission strings and a few
// hundred reminders of every kind, moved to the server and back to a file.
TEST(ServerTest, CopyFromMovesEveryRowWithItsKeyAndNewKeysFollowTheSourcesOwn) {
    REQUIRE_SERVER();
    TempStore file(QStringLiteral("file"));
    file.execute("BEGIN");
    std::vector<int> users;
    for (int u = 0; u < 12; ++u)
        users.push_back(file.addUser(QStringLiteral("User%1").arg(u),
                                     QStringLiteral("用户%1").arg(u), QStringLiteral("Pw%1").arg(u),
                                     u == 3, u % 2 ? QStringLiteral("备注") : QString()));
    for (int u = 0; u < 12; u += 3)
        file.setPermission(users[u], QStringLiteral("101010101"));
    for (int r = 0; r < 300; ++r) {
        TempStore::Reminder reminder;
        reminder.recipient = users[r % 12];
        reminder.publisher = users[(r * 7) % 12];
        reminder.detail = QStringLiteral("第%1条\r\n第二行 'quoted' \\ back").arg(r);
        reminder.action = r % 2;
        reminder.beginTime = r % 2 ? "2011-03-08 09:05:00 " : "2011-03-08 09:05:17";
        reminder.intervalNumber = r % 60;
        reminder.intervalType = QStringList{"秒", "分", "时", "天"}[r % 4];
        reminder.kind = r % 4;
        reminder.done = r % 3 == 0;
        reminder.totalTime = r % 10 == 0 ? QVariant() : QVariant(qint64(r) * 1000000000LL);
        file.addReminder(reminder);
    }
    file.execute("DELETE FROM tbl_user WHERE KeyID=?", {users.back()});
    file.execute("DELETE FROM tbl_reminder WHERE KeyID > 295");
    file.execute("COMMIT");
    const auto original = everyRow(file.session().connectionName);
    Connection::close(file.session().connectionName); // the team has stopped its copies

    TempDatabase server;
    const ToolRun moved = runNewStore({"--copy-from", file.filePath(), server.uri()});
    ASSERT_EQ(moved.exitCode, 0) << moved.output.toStdString();
    EXPECT_TRUE(moved.output.contains("copied 12 users, 4 permission strings and 295 reminders"))
        << moved.output.toStdString();
    ToolRun again = runNewStore({"--copy-from", file.filePath(), server.uri()});
    EXPECT_EQ(again.exitCode, 1) << "a store that holds the tables is never written over";
    again = runNewStore({server.uri()});
    EXPECT_EQ(again.exitCode, 1);

    QTemporaryDir back;
    const QString backPath = back.filePath("back.mcm");
    ASSERT_EQ(runNewStore({"--copy-from", server.uri(), backPath}).exitCode, 0);
    // Passwords are compared by logging in: a plain one became its verifier on the way.
    auto withoutPasswords = [](std::vector<QStringList> rows) {
        for (QStringList& row : rows)
            if (row[0] == "tbl_user")
                row[4].clear();
        return rows;
    };
    for (const QString& copy : {server.uri(), backPath}) {
        SCOPED_TRACE(copy.toStdString());
        const bool onServer = copy == server.uri();
        {
            QSqlDatabase raw = QSqlDatabase::addDatabase(
                onServer ? PostgresServer::kDriver : QStringLiteral("QSQLITE"), "raw");
            if (onServer) {
                PostgresServer::open(raw, copy, 30000);
            } else {
                raw.setDatabaseName(copy);
                ASSERT_TRUE(raw.open());
            }
            EXPECT_EQ(withoutPasswords(everyRow("raw")), withoutPasswords(original));
            raw.close();
        }
        QSqlDatabase::removeDatabase("raw");
        const QString location = onServer ? server.programUri() : copy;
        ASSERT_EQ(Connection::open(location, "copy").result, OpenResult::Opened);
        Query query("copy");
        for (int u = 0; u < 11; ++u)
            EXPECT_TRUE(Accounts::logIn(query, QStringLiteral("user%1").arg(u),
                                        QStringLiteral("PW%1").arg(u))
                            .has_value())
                << u;
        ASSERT_TRUE(Accounts::logIn(query, "admin", NewStore::kAdminDefaultPassword));
        // The keys handed out next.
        query.setStatement(Statements::kInsertUser);
        for (const char* p : {"p1", "p2", "p4"})
            query.bindText(p, "new");
        query.bindText("p3", Accounts::storedPassword("new"));
        query.bindText("p5", "0");
        query.execute();
        query.setStatement(Statements::kSelectUserByLogName);
        query.bindText("p", "NEW");
        query.open();
        EXPECT_EQ(query.fieldAsInteger("KeyID"), users.back() + 1)
            << "the deleted account's key is never given again";
        publish("copy", 1, "next", 1);
        query.setStatement(QStringLiteral("Select * from tbl_reminder where ReDetail='next'"));
        query.open();
        EXPECT_EQ(query.fieldAsInteger("KeyID"), 301);
        Connection::close("copy");
    }

    // A row the server cannot take stops the move and leaves the database as it was.
    file.execute("UPDATE tbl_reminder SET ReIntervalNumber='abc' WHERE KeyID=250");
    TempDatabase refused;
    const ToolRun failed = runNewStore({"--copy-from", file.filePath(), refused.uri()});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.output.contains("tbl_reminder KeyID 201–")) << failed.output.toStdString();
    EXPECT_TRUE(failed.output.contains("abc")) << failed.output.toStdString();
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(PostgresServer::kDriver, "refused");
        PostgresServer::open(raw, refused.uri(), 30000);
        QSqlQuery left(raw);
        ASSERT_TRUE(left.exec(QStringLiteral(
            "SELECT to_regclass('tbl_user') IS NULL, NOT EXISTS (SELECT 1 FROM pg_roles WHERE "
            "starts_with(rolname, current_database()))")));
        ASSERT_TRUE(left.next());
        EXPECT_TRUE(left.value(0).toBool()) << "no table";
        EXPECT_TRUE(left.value(1).toBool()) << "no role";
        raw.close();
    }
    QSqlDatabase::removeDatabase("refused");
}

TEST(ServerRestartTest, ASessionCarriesOnAfterTheServerRestartsAndAFailedWriteIsNeverASuccess) {
    REQUIRE_SERVER();
    TempStore store(Connection::kDefaultName, Engine::Postgres);
    const QString name = store.session().connectionName;
    const int user = store.addUser("u", "用户");
    publish(name, user, "before", 60);
    Query query(name);
    ASSERT_EQ(poll(query, user), 1);
    const QString key = query.fieldAsString("KeyID");
    const quint64 opens = Connection::openCount(name);

    // Another copy acknowledges the row while a third holds it locked; the server goes down
    // under the waiting write.
    QSqlDatabase lockerDb = QSqlDatabase::addDatabase(PostgresServer::kDriver, "locker");
    ASSERT_NO_THROW(PostgresServer::open(lockerDb, store.toolLocation(), 30000));
    QSqlQuery locker(lockerDb);
    ASSERT_TRUE(locker.exec("BEGIN"));
    ASSERT_TRUE(locker.exec("SELECT * FROM tbl_reminder FOR UPDATE"));
    std::atomic<bool> writeFailed{false};
    std::thread waitingCopy([&] {
        if (Connection::open(store.location(), "waiting").result == OpenResult::Opened) {
            Connection::logIn("waiting", TempStore::kUnrestrictedLogin, "1");
            try {
                Query acknowledge("waiting");
                acknowledge.setStatement(Statements::kAcknowledge);
                acknowledge.bindText("p", key);
                acknowledge.execute();
            } catch (const StoreError&) {
                writeFailed = true;
            }
        }
        Connection::close("waiting");
    });
    const QString waiting =
        QStringLiteral("SELECT COUNT(*) FROM pg_stat_activity WHERE "
                       "wait_event_type = 'Lock' AND datname = current_database()");
    // Bounded below the server's lock timeout, after which the write would stop waiting.
    ASSERT_TRUE(QTest::qWaitFor([&] { return store.scalar(waiting).toInt() != 0; }, 4000));
    ASSERT_EQ(store.scalar(waiting).toInt(), 1);
    TempStore::controlServer("kill");
    waitingCopy.join();
    locker.finish();
    lockerDb.close();
    lockerDb = QSqlDatabase();
    QSqlDatabase::removeDatabase("locker");
    EXPECT_TRUE(writeFailed) << "a write cut off by the server's end reports its failure";

    // While the server is away every statement fails.
    EXPECT_THROW(publish(name, user, "while away", 60), StoreError);
    EXPECT_THROW(poll(query, user), StoreError);

    TempStore::controlServer("restart");
    // The next statement opens the connection again by itself.
    EXPECT_EQ(poll(query, user), 1);
    EXPECT_EQ(query.fieldAsString("ReDetail"), "before");
    EXPECT_GT(Connection::openCount(name), opens);
    publish(name, user, "after", 60);
    const auto rows = store.rows("SELECT ReDetail, IfDone FROM tbl_reminder ORDER BY KeyID");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0].toString(), "before");
    EXPECT_EQ(rows[0][1].toInt(), 0);
    EXPECT_EQ(rows[1][0].toString(), "after");

    // A restart between two statements fails neither of them.
    TempStore::controlServer("kill");
    TempStore::controlServer("restart");
    EXPECT_EQ(poll(query, user), 2);
}

} // namespace

namespace {

// A server store as the previous version made it: the three tables of a team role that every
// member logged in as, plain passwords, no checks.
TEST(ServerTest, APreviousServerStoreIsUpgradedOnceAndItsPeopleKeepTheirPasswords) {
    REQUIRE_SERVER();
    const QString team = QStringLiteral("team_") + QUuid::createUuid().toString(QUuid::Id128);
    TempDatabase::runOnServer(QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD 'team'").arg(team));
    {
        TempDatabase database;
        QSqlDatabase db = QSqlDatabase::addDatabase(PostgresServer::kDriver, "previous");
        PostgresServer::open(db, database.uri(), 30000);
        QSqlQuery make(db);
        for (const QString& statement : {
                 QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext"),
                 QStringLiteral("CREATE TABLE tbl_user (KeyID integer GENERATED BY DEFAULT AS "
                                "IDENTITY PRIMARY KEY, UserLogName citext, UserTrueName citext, "
                                "UserPwd citext, Remarks citext, IfAdmin integer DEFAULT 0)"),
                 QStringLiteral("CREATE TABLE tbl_reminder (KeyID integer GENERATED BY DEFAULT AS "
                                "IDENTITY PRIMARY KEY, ReUserID integer, ReDetail citext, "
                                "ReAction integer, ReBeginTime citext, ReIntervalNumber integer, "
                                "ReIntervalType citext, ReDoTime citext, RedouserID integer, "
                                "Retype integer, IfDone integer, TotalTime bigint)"),
                 QStringLiteral("CREATE TABLE tbl_popdem (KeyID integer GENERATED BY DEFAULT AS "
                                "IDENTITY PRIMARY KEY, UserId integer, UserPopdem citext)"),
                 QStringLiteral("INSERT INTO tbl_user(UserLogName, UserTrueName, UserPwd, "
                                "Remarks, IfAdmin) VALUES ('admin', '管理员', '1', '', 1), "
                                "('Alice', '爱丽丝', 'Secret', '', 0), ('Bob', '鲍勃', 'b', '', 0)"),
                 QStringLiteral("INSERT INTO tbl_reminder(ReUserID, ReDetail, RedouserID, Retype, "
                                "IfDone) VALUES (3, 'for bob', 1, 0, 0)"),
                 QStringLiteral("ALTER TABLE tbl_user OWNER TO %1").arg(team),
                 QStringLiteral("ALTER TABLE tbl_reminder OWNER TO %1").arg(team),
                 QStringLiteral("ALTER TABLE tbl_popdem OWNER TO %1").arg(team),
             })
            ASSERT_TRUE(make.exec(statement)) << make.lastError().text().toStdString();
        db.close();
        QSqlDatabase::removeDatabase("previous");

        ASSERT_EQ(Connection::open(database.programUri(), "old").result, OpenResult::Opened);
        // Before the upgrade nobody has a role of his own to log in with.
        try {
            Connection::logIn("old", "alice", "secret");
            ADD_FAILURE() << "a store without its checks was used";
        } catch (const StoreError& error) {
            EXPECT_EQ(error.kind(), StoreError::Kind::WrongPassword);
        }
        const ToolRun upgraded = runNewStore({"--upgrade", database.uri()});
        ASSERT_EQ(upgraded.exitCode, 0) << upgraded.output.toStdString();
        EXPECT_EQ(runNewStore({"--upgrade", database.uri()}).exitCode, 0) << "once is enough";

        Query query("old");
        const auto alice = Accounts::logIn(query, "ALICE", "SECRET");
        ASSERT_TRUE(alice.has_value()) << "her plain password became her role's";
        query.setStatement(Statements::kPendingList);
        query.bindInteger("p", 3);
        query.open();
        EXPECT_EQ(query.recordCount(), 0) << "Bob's reminder is not hers to read";
        EXPECT_TRUE(Accounts::logIn(query, "bob", "B").has_value());
        Connection::close("old");
        QSqlDatabase check = QSqlDatabase::addDatabase(PostgresServer::kDriver, "check");
        PostgresServer::open(check, database.uri(), 30000);
        QSqlQuery login(check);
        ASSERT_TRUE(login.exec(
            QStringLiteral("SELECT rolcanlogin FROM pg_roles WHERE rolname = '%1'").arg(team)));
        ASSERT_TRUE(login.next());
        EXPECT_FALSE(login.value(0).toBool()) << "nobody logs in as the team any more";
        check.close();
        QSqlDatabase::removeDatabase("check");
    }
    TempDatabase::runOnServer(QStringLiteral("DROP ROLE %1").arg(team));
}

} // namespace
