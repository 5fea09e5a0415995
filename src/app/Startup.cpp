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

std::unique_ptr<Startup::Program> Startup::start(int* exitCode) {
    QApplication::setApplicationDisplayName(AppInfo::kApplicationTitle);
    // Lets a Wayland desktop match the windows to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(AppInfo::kDesktopFileName);
    QApplication::setWindowIcon(Assets::appIcon());
    auto program = std::make_unique<Program>();
    program->mainWindow = std::make_unique<MainWindow>(program->session);
    program->storeConnection = std::make_unique<StoreConnection>(program->session);
    program->storeConnection->openStore();
    QObject::connect(program->mainWindow.get(), &MainWindow::loggedIn,
                     program->storeConnection.get(), &StoreConnection::onLoggedIn);
    const bool declined = program->storeConnection->wasStoreDeclined();
    if (declined || program->storeConnection->hasStartupFailed()) {
        if (exitCode != nullptr)
            *exitCode = declined ? 0 : 1;
        return nullptr;
    }
    return program;
}

int Startup::run(QApplication& app) {
    // The program ends when the main window closes or asks to end, not when the last visible
    // window goes: with the main window hidden in the tray, closing a popup must not end it.
    app.setQuitOnLastWindowClosed(false);
    showBusyCursorWhileWaiting();
    int failedExitCode = 1;
    std::unique_ptr<Program> program = start(&failedExitCode);
    if (!program)
        return failedExitCode;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = program->mainWindow->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        program->mainWindow->move(frame.topLeft());
    }
    program->mainWindow->show();
    return app.exec();
}
