#include "platform/ModalRunner.h"

#include <QDialog>

namespace {
ModalRunner::Runner& installed() {
    static ModalRunner::Runner runner;
    return runner;
}
} // namespace

int ModalRunner::Run(QDialog& dialog) {
    if (installed())
        return installed()(dialog);
    // Modal to the window that opened it, not to the program: the reminder popups that come
    // up meanwhile must still take the user's clicks.
    dialog.setWindowModality(Qt::WindowModal);
    return dialog.exec();
}

void ModalRunner::Install(Runner runner) {
    installed() = std::move(runner);
}

ModalRunner::Runner ModalRunner::Installed() {
    return installed();
}
