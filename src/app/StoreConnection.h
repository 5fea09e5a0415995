#pragma once

#include "store/Session.h"

#include <QObject>
#include <QString>

// Owns the program's one connection to the store, for the whole run. The store is the one
// AppLocations names; an installed program without one asks the user first (FirstStartDialog).
class StoreConnection : public QObject {
    Q_OBJECT
public:
    explicit StoreConnection(Session& session, QObject* parent = nullptr);
    ~StoreConnection() override;

    // Connection set-up and the start-up decision; shows the failure boxes itself.
    void openStore();
    // The same on a store location given (a file path or a server URI, taken unchanged),
    // without asking for one.
    void openStore(const QString& location);
    bool hasStartupFailed() const { return startupFailed_; }
    // A login succeeded: a server chosen at this start is kept in the settings now.
    void onLoggedIn();
    // The user chose to end the program instead of choosing a store: nothing was opened.
    bool wasStoreDeclined() const { return storeDeclined_; }
    // The store's location: a file path, or a server address given to the store layer as it is.
    QString databasePath() const;

    static QString startupFailureText();
    static QString connectionFailureText();

private:
    void setUpConnection(const QString& location);
    // Asks for a store when an installed program has none; false when the user declined.
    bool chooseStore();
    void saveChosenStore();

    Session& session_;
    bool startupFailed_ = false;
    bool connected_ = false;
    bool storeDeclined_ = false;
    QString chosenLocation_;
    bool createdNewStore_ = false;
};
