#include "app/StoreConnection.h"

#include "platform/AppInfo.h"
#include "platform/ExecutableFolder.h"
#include "platform/MessageBoxes.h"
#include "store/Connection.h"

StoreConnection::StoreConnection(Session& session, QObject* parent)
    : QObject(parent), session_(session) {
    setObjectName(QStringLiteral("storeConnection"));
}

StoreConnection::~StoreConnection() {
    if (connected_)
        Connection::close(session_.connectionName);
}

QString StoreConnection::databasePath() const {
    return ExecutableFolder::path() + Connection::kDatabaseFileName;
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
        if (Connection::engineOf(location) == Engine::Postgres && !outcome.message.isEmpty())
            text += QLatin1Char('\n') + outcome.message;
        MessageBoxes::show({MessageBoxes::Icon::Exclamation, MessageBoxes::Buttons::Ok,
                            QStringLiteral("系统错误:"), text});
        startupFailed_ = true;
        break;
    }
    }
}

void StoreConnection::openStore() {
    openStore(databasePath());
}

void StoreConnection::openStore(const QString& location) {
    setUpConnection(location);
    if (startupFailed_) {
        MessageBoxes::show({MessageBoxes::Icon::Error, MessageBoxes::Buttons::Ok,
                            AppInfo::kNoticeCaption, startupFailureText()});
    }
}
