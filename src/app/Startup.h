#pragma once

#include "app/MainWindow.h"
#include "app/StoreConnection.h"
#include "store/Session.h"

#include <memory>

class QApplication;

// The program's entry sequence: title, main window, store connection, then the event loop.
namespace Startup {

struct Program {
    Session session;
    // Destroyed in reverse order: the main window goes before the connection it uses.
    std::unique_ptr<StoreConnection> storeConnection;
    std::unique_ptr<MainWindow> mainWindow;
};

// Creates the main window (not shown) and the store connection. Returns nullptr when the start
// failed; the failure boxes have then been shown and no window was.
std::unique_ptr<Program> start();

// The whole program: returns the exit code.
int run(QApplication& app);

} // namespace Startup
