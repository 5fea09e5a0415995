#include "app/Startup.h"

#include "chrome/Assets.h"
#include "platform/AppInfo.h"

#include "store/Connection.h"

#include <QApplication>
#include <QScreen>
#include <QThread>
#include <QTimer>

namespace {
// A statement of the user's that waits for another copy's lock shows the busy cursor until
// the program is back in its event loop.
void showBusyCursorWhileWaiting() {
    static bool shown = false;
    Connection::setWaitObserver([] {
        if (shown || QThread::currentThread() != qApp->thread())
            return;
        shown = true;
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        QTimer::singleShot(0, qApp, [] {
            QGuiApplication::restoreOverrideCursor();
            shown = false;
        });
    });
}
} // namespace

std::unique_ptr<Startup::Program> Startup::start() {
    QApplication::setApplicationDisplayName(AppInfo::kApplicationTitle);
    QApplication::setWindowIcon(Assets::appIcon());
    auto program = std::make_unique<Program>();
    program->mainWindow = std::make_unique<MainWindow>(program->session);
    program->storeConnection = std::make_unique<StoreConnection>(program->session);
    program->storeConnection->openStore();
    if (program->storeConnection->hasStartupFailed())
        return nullptr;
    return program;
}

int Startup::run(QApplication& app) {
    // The program ends when the main window closes or asks to end, not when the last visible
    // window goes: with the main window hidden in the tray, closing a popup must not end it.
    app.setQuitOnLastWindowClosed(false);
    showBusyCursorWhileWaiting();
    std::unique_ptr<Program> program = start();
    if (!program)
        return 1;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = program->mainWindow->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        program->mainWindow->move(frame.topLeft());
    }
    program->mainWindow->show();
    return app.exec();
}
