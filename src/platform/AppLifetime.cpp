#include "platform/AppLifetime.h"

#include <QCoreApplication>

namespace {
std::function<void()>& hook() {
    static std::function<void()> installed;
    return installed;
}
} // namespace

void AppLifetime::requestQuit() {
    if (hook()) {
        hook()();
        return;
    }
    // Every running event loop (a modal dialog's included) is told to end.
    QCoreApplication::exit(0);
}

void AppLifetime::installQuitHook(std::function<void()> hook_) {
    hook() = std::move(hook_);
}
