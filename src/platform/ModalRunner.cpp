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
    return dialog.exec();
}

void ModalRunner::Install(Runner runner) {
    installed() = std::move(runner);
}

ModalRunner::Runner ModalRunner::Installed() {
    return installed();
}
