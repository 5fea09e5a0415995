#include "platform/ModalRunner.h"

#include <QDialog>

namespace {
ModalRunner::Runner& activeRunner() {
    static ModalRunner::Runner runner;
    return runner;
}
} // namespace

int ModalRunner::run(QDialog& dialog) {
    if (activeRunner())
        return activeRunner()(dialog);
    // Modal to the window that opened it, not to the program: the reminder popups that come
    // up meanwhile must still take the user's clicks.
    dialog.setWindowModality(Qt::WindowModal);
    return dialog.exec();
}

void ModalRunner::install(Runner runner) {
    activeRunner() = std::move(runner);
}

ModalRunner::Runner ModalRunner::installed() {
    return activeRunner();
}
