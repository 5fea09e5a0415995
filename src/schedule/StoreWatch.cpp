#include "schedule/StoreWatch.h"

#include "platform/AppInfo.h"
#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "store/Connection.h"
#include "store/StoreError.h"

#include <QFileInfo>

StoreWatch::StoreWatch(QString connectionName) : connectionName_(std::move(connectionName)) {}

QString StoreWatch::missingText(const QString& path) {
    return QStringLiteral("找不到数据文件：%1\n提醒已暂停，数据文件恢复后将自动继续。").arg(path);
}

QString StoreWatch::busyText(const QString& engineMessage) {
    return QStringLiteral("数据文件被占用已超过一分钟，暂时无法检查提醒，稍后自动重试。\n") +
           engineMessage;
}

QString StoreWatch::failureText(const QString& engineMessage) {
    return QStringLiteral("读取数据文件失败，稍后自动重试。\n") + engineMessage;
}

void StoreWatch::report(const QString& text) {
    if (reported_)
        return;
    reported_ = true;
    MessageBoxes::notify(
        {MessageBoxes::Icon::Error, MessageBoxes::Buttons::Ok, AppInfo::kApplicationTitle, text});
}

bool StoreWatch::reopen() {
    // Nothing at the path yet: keep waiting, quietly.
    if (path_.isEmpty() || !QFileInfo::exists(path_))
        return false;
    const Connection::Outcome outcome = Connection::open(path_, connectionName_);
    if (outcome.result != Connection::OpenResult::Opened) {
        report(failureText(outcome.message));
        return false;
    }
    missing_ = false;
    return true;
}

bool StoreWatch::run(const std::function<void()>& work) {
    if (path_.isEmpty())
        path_ = Connection::filePath(connectionName_);
    // No store opened yet: the program is still choosing or opening it, and the timers that
    // run meanwhile have nothing to tell.
    if (path_.isEmpty())
        return false;
    if (missing_ && !reopen())
        return false;
    try {
        Connection::NoWait noWait(connectionName_);
        work();
    } catch (const StoreError& error) {
        switch (error.kind()) {
        case StoreError::Kind::Busy: {
            const QDateTime now = SystemClock::now();
            if (!busySince_.isValid())
                busySince_ = now;
            if (busySince_.msecsTo(now) > kBusyReportAfterMs)
                report(busyText(error.message()));
            return false;
        }
        case StoreError::Kind::Missing:
            missing_ = true;
            // A store put in its place is taken at once; otherwise the user hears of it once.
            if (Connection::checkFile(connectionName_) != Connection::FileState::Replaced ||
                !reopen())
                report(missingText(path_));
            return false;
        case StoreError::Kind::Refused:
            report(failureText(error.message()));
            return false;
        }
    } catch (const std::exception& error) {
        report(failureText(QString::fromUtf8(error.what())));
        return false;
    }
    reported_ = false;
    busySince_ = QDateTime();
    return true;
}
