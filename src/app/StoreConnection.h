#pragma once

#include "store/Session.h"

#include <QObject>
#include <QString>

// Owns the program's one connection to the store beside the executable, for the whole run.
class StoreConnection : public QObject {
    Q_OBJECT
public:
    explicit StoreConnection(Session& session, QObject* parent = nullptr);
    ~StoreConnection() override;

    // Connection set-up and the start-up decision; shows the failure boxes itself.
    void openStore();
    // The same on a store location given: a file path or a server URI, taken unchanged.
    void openStore(const QString& location);
    bool hasStartupFailed() const { return startupFailed_; }
    QString databasePath() const;

    static QString startupFailureText();
    static QString connectionFailureText();

private:
    void setUpConnection(const QString& location);

    Session& session_;
    bool startupFailed_ = false;
    bool connected_ = false;
};
