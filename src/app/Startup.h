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
// failed, the failure boxes having been shown and no window, or when the user chose to end the
// program instead of choosing a store; `exitCode` then tells which (1 or 0).
std::unique_ptr<Program> start(int* exitCode = nullptr);

// The whole program: returns the exit code.
int run(QApplication& app);

} // namespace Startup
