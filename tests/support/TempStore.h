#pragma once

#include "store/Session.h"
#include "support/QtPrinters.h"

#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <vector>

// A new store in a temporary folder that stands in for the executable's directory.
// The session's connection is open on it for the life of the object.
class TempStore {
public:
    explicit TempStore(const QString& connectionName = Connection::kDefaultName);
    ~TempStore();
    TempStore(const TempStore&) = delete;
    TempStore& operator=(const TempStore&) = delete;

    QString dir() const;       // with a trailing separator
    QString filePath() const;  // the store file
    Session& session() { return session_; }

    // Opens one more connection on the same file, as another copy of the program would.
    Session openSecondSession(const QString& connectionName);

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

private:
    QTemporaryDir dir_;
    Session session_;
    QString checkConnection_;
    std::vector<QString> extraConnections_;
};
