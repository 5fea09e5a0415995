#include "chrome/TFrmMidShell.h"

#include "chrome/Assets.h"
#include "platform/HandlerGuard.h"

#include <QApplication>

TFrmMidShell::TFrmMidShell(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), TShellFrame(*this, false) {
    setWindowIcon(Assets::AppIcon());
    FormCreate();
}

TFrmMidShell::~TFrmMidShell() = default;

void TFrmMidShell::CaptionButtonClick(TSkinButton* button) {
    switch (button->SkinButtonStyle()) {
    case sbsMin:
        // The whole application goes down, as the platform's application minimise does.
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && window->isWindow())
                window->showMinimized();
        break;
    case sbsMax:
        showMaximized();
        break;
    case sbsNormal:
        showNormal();
        break;
    case sbsClose:
        close();
        break;
    case sbsHelp:
    case sbsBtn:
        break;
    }
}

void TFrmMidShell::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    guarded([this] { FormResize(); });
}

void TFrmMidShell::WindowMoveStarted(bool systemMove) {
    emit MoveStarted(systemMove);
}
