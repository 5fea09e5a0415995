#include "schedule/StoreWatch.h"

#include "chrome/ErrorTexts.h"
#include "platform/AppInfo.h"
#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "store/Connection.h"
#include "store/StoreError.h"

#include <QFileInfo>

StoreWatch::StoreWatch(QString connectionName) : connectionName_(std::move(connectionName)) {}

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
        report(
            ErrorTexts::failureNotice(outcome.error ? ErrorTexts::of(*outcome.error) : QString()));
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
    // A server store before the login: there is nothing to look at yet.
    if (Connection::awaitsLogin(connectionName_))
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
                report(ErrorTexts::busyNotice(error));
            return false;
        }
        case StoreError::Kind::Missing:
            missing_ = true;
            // A store put in its place is taken at once; otherwise the user hears of it once.
            if (Connection::checkFile(connectionName_) != Connection::FileState::Replaced ||
                !reopen())
                report(ErrorTexts::missingNotice(path_));
            return false;
        default:
            report(ErrorTexts::failureNotice(ErrorTexts::of(error)));
            return false;
        }
    } catch (const std::exception& error) {
        report(ErrorTexts::failureNotice(ErrorTexts::of(error)));
        return false;
    }
    reported_ = false;
    busySince_ = QDateTime();
    return true;
}
