#include "app/StoreConnection.h"

#include "app/FirstStartDialog.h"
#include "chrome/ErrorTexts.h"
#include "platform/AppInfo.h"
#include "platform/AppLocations.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"
#include "platform/SettingsFile.h"
#include "store/Connection.h"
#include "store/NewStore.h"

#include <exception>

StoreConnection::StoreConnection(Session& session, QObject* parent)
    : QObject(parent), session_(session) {
    setObjectName(QStringLiteral("storeConnection"));
}

StoreConnection::~StoreConnection() {
    if (connected_)
        Connection::close(session_.connectionName);
}

QString StoreConnection::databasePath() const {
    return chosenLocation_.isEmpty() ? AppLocations::storeLocation() : chosenLocation_;
}

QString StoreConnection::startupFailureText() {
    return QStringLiteral("系统启动失败！") + QStringLiteral("，请联系") + AppInfo::kSupplierName +
           QStringLiteral("\r") + QStringLiteral("联系电话：") + AppInfo::kSupplierPhone;
}

QString StoreConnection::connectionFailureText() {
    return QStringLiteral("连接数据库失败,请重新配置数据库信息！");
}

void StoreConnection::setUpConnection(const QString& location) {
    const Connection::Outcome outcome = Connection::open(location, session_.connectionName);
    switch (outcome.result) {
    case Connection::OpenResult::Opened:
        connected_ = true;
        break;
    case Connection::OpenResult::Missing:
        startupFailed_ = true;
        break;
    case Connection::OpenResult::CannotOpen: {
        // Whoever runs the server needs its own words to put it right.
        QString text = connectionFailureText();
        if (Connection::engineOf(location) == Engine::Postgres && outcome.error)
            text += QLatin1Char('\n') + ErrorTexts::of(*outcome.error);
        MessageBoxes::show({MessageBoxes::Icon::Exclamation, MessageBoxes::Buttons::Ok,
                            QStringLiteral("系统错误:"), text});
        startupFailed_ = true;
        break;
    }
    }
}

bool StoreConnection::chooseStore() {
    FirstStartDialog dialog(AppLocations::storeLocation());
    if (ModalRunner::run(dialog) != QDialog::Accepted)
        return false;
    chosenLocation_ = dialog.chosenLocation();
    createdNewStore_ = dialog.createdNewStore();
    return true;
}

void StoreConnection::saveChosenStore() {
    // Saved only once the store has opened: a file that turned out not to be a store must not
    // stay configured, or every later start would fail on it without asking again.
    try {
        AppLocations::setStoreLocation(chosenLocation_);
        if (createdNewStore_)
            SettingsFile::write(QStringLiteral("Login"), QStringLiteral("Name"),
                                NewStore::kAdminLogName);
    } catch (const std::exception& error) {
        // This run goes on with the store; the next start asks again.
        MessageBoxes::defaultError(ErrorTexts::of(error));
    }
}

void StoreConnection::openStore() {
    if (AppLocations::needsStoreChoice() && !chooseStore()) {
        storeDeclined_ = true;
        return;
    }
    openStore(databasePath());
}

void StoreConnection::openStore(const QString& location) {
    setUpConnection(location);
    if (startupFailed_) {
        MessageBoxes::show({MessageBoxes::Icon::Error, MessageBoxes::Buttons::Ok,
                            AppInfo::kNoticeCaption, startupFailureText()});
    } else if (!chosenLocation_.isEmpty() && Connection::engineOf(location) == Engine::Sqlite) {
        saveChosenStore();
    }
}

void StoreConnection::onLoggedIn() {
    // Nothing reaches a server before the login: its address is kept once somebody logged in
    // through it.
    if (!chosenLocation_.isEmpty() && Connection::engineOf(chosenLocation_) == Engine::Postgres)
        saveChosenStore();
}
