#include "schedule/ReminderWindow.h"

#include <QApplication>

void ReminderWindow::present() {
    const QWidget* active = QApplication::activeWindow();
    const bool takeFocus = active == nullptr || active == this;
    setAttribute(Qt::WA_ShowWithoutActivating, !takeFocus);
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    if (takeFocus)
        activateWindow();
}
