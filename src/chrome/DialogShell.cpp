#include "chrome/DialogShell.h"

#include "chrome/Assets.h"
#include "platform/HandlerGuard.h"

#include <QApplication>

DialogShell::DialogShell(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ShellFrame(*this, false) {
    setWindowIcon(Assets::appIcon());
    initializeFrame();
}

DialogShell::~DialogShell() = default;

void DialogShell::onCaptionButtonClicked(SkinButton* button) {
    switch (button->buttonStyle()) {
    case SkinButtonStyle::Minimize:
        // The whole application goes down, as the platform's application minimise does.
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && window->isWindow())
                window->showMinimized();
        break;
    case SkinButtonStyle::Maximize:
        showMaximized();
        break;
    case SkinButtonStyle::Restore:
        showNormal();
        break;
    case SkinButtonStyle::Close:
        close();
        break;
    case SkinButtonStyle::Help:
    case SkinButtonStyle::TextButton:
        break;
    }
}

void DialogShell::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    guarded([this] { onFrameResized(); });
}

void DialogShell::onWindowMoveStarted(bool systemMove) {
    emit moveStarted(systemMove);
}
