#include "chrome/DialogShell.h"

#include "chrome/Assets.h"
#include "chrome/HandlerGuard.h"

#include <QApplication>

DialogShell::DialogShell(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ShellFrame(*this, false) {
    setWindowIcon(Assets::appIcon());
    initializeFrame();
}

DialogShell::~DialogShell() = default;

void DialogShell::onMinimizeClicked() {
    // The whole application goes down, as the platform's application minimise does.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->isWindow())
            window->showMinimized();
}

void DialogShell::onCloseClicked() {
    close();
}

void DialogShell::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    guarded([this] { onFrameResized(); });
}

void DialogShell::onWindowMoveStarted(bool systemMove) {
    emit moveStarted(systemMove);
}
