#pragma once

#include "store/Engine.h"
#include "store/Session.h"
#include "support/QtPrinters.h"

#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// An empty database on the PostgreSQL test server for the life of the object.
class TempDatabase {
public:
    TempDatabase();
    ~TempDatabase();
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    const QString& name() const { return name_; }
    // As the server's superuser, for the store tool.
    QString uri() const;
    // As the program names it: no user (the account that logs in is the user).
    QString programUri() const;

    // Runs a statement as the server's superuser, on its own "postgres" database.
    static void runOnServer(const QString& statement);

private:
    QString name_;
};

// A new store: a file in a temporary folder that stands in for the executable's directory,
// or a new database on the PostgreSQL test server (dropped at the end), with that folder
// standing in as well. The session's connection is open on it for the life of the object; on
// a server it is logged in as a test account that passes the row-level checks (password "1").
class TempStore {
public:
    explicit TempStore(const QString& connectionName = Connection::kDefaultName,
                       Engine engine = Engine::Sqlite);
    ~TempStore();
    TempStore(const TempStore&) = delete;
    TempStore& operator=(const TempStore&) = delete;

    QString dir() const;      // with a trailing separator
    QString filePath() const; // the store file (of a file store)
    QString location() const;     // the file, or the URI of the database as the program names it
    QString toolLocation() const; // the file, or the URI as the store tool names it
    Engine engine() const { return engine_; }
    Session& session() { return session_; }

    // Opens one more connection on the same store, as another copy of the program would.
    // On a server the connection logs in as the given account.
    Session openSecondSession(const QString& connectionName,
                              const QString& loginName = kUnrestrictedLogin,
                              const QString& password = QStringLiteral("1"));
    // Opens a connection on the store as a copy of the program does, logged in on a server as
    // the given account; throws when it cannot.
    void openConnection(const QString& connectionName,
                        const QString& loginName = kUnrestrictedLogin,
                        const QString& password = QStringLiteral("1")) {
        openSession(connectionName, loginName, password);
    }
    // The server's test account that no row-level check limits (no row of tbl_user).
    static inline const QString kUnrestrictedLogin = QStringLiteral("tester");

    // The PostgreSQL test server ctest starts for the tests of the label "postgres": the
    // file its start-up wrote, named by the environment variable QX_TEST_POSTGRES.
    static bool serverConfigured();
    // The URI of a database on the test server; the cluster's own "postgres" by default.
    static QString serverUri(const QString& database = QStringLiteral("postgres"));
    // The same without the superuser's name.
    static QString programUri(const QString& database);
    // The file that names the test server.
    static QString serverStateFile();
    // Stops the test server at once, as a crash would ("kill"), or starts it again
    // ("restart"), with the cluster script ctest names in QX_TEST_POSTGRES_SCRIPT.
    static void controlServer(const QString& command);

    // The engines a store test runs on: the file always, the server where one is set up.
    static std::vector<Engine> engines();
    static std::string engineName(const ::testing::TestParamInfo<Engine>& info);

    // Fixtures written straight into the store, bypassing the program.
    int addUser(const QString& logName, const QString& trueName, const QString& password = "1",
                bool admin = false, const QString& remarks = "");
    struct Reminder {
        int recipient = 0;
        int publisher = 0;
        QString detail = "内容";
        int action = 0;
        QString beginTime = "2010-11-12 08:51:37";
        QVariant intervalNumber = 5;
        QString intervalType = "分";
        QString doTime = "2010-11-12 08:51:37";
        int kind = 0;
        int done = 0;
        QVariant totalTime = 18000; // a null QVariant leaves it without a value
    };
    int addReminder(const Reminder& reminder);
    void setPermission(int userKey, const QString& permission);

    // Runs a statement on the test's own connection; returns the rows as variants.
    std::vector<std::vector<QVariant>> rows(const QString& sql,
                                            const std::vector<QVariant>& bindings = {}) const;
    QVariant scalar(const QString& sql, const std::vector<QVariant>& bindings = {}) const;
    void execute(const QString& sql, const std::vector<QVariant>& bindings = {}) const;
    int count(const QString& table) const;
    // A statement that a server does not prepare (one that defines or drops things).
    void executeUnprepared(const QString& sql) const { runOnStore(sql); }

private:
    Session openSession(const QString& connectionName,
                        const QString& loginName = kUnrestrictedLogin,
                        const QString& password = QStringLiteral("1"));
    void openCheckConnection() const;
    void runOnStore(const QString& statement) const;

    QTemporaryDir dir_;
    Engine engine_;
    std::unique_ptr<TempDatabase> database_; // on the server
    Session session_;
    QString checkConnection_;
    std::vector<QString> extraConnections_;
};
