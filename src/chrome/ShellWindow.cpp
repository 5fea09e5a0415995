#include "chrome/ShellWindow.h"

#include "chrome/Assets.h"
#include "chrome/HandlerGuard.h"

#include <QAction>
#include <QMenu>

namespace {
std::optional<bool>& trayOverride() {
    static std::optional<bool> value;
    return value;
}

QAction* addMenuItem(QMenu* menu, const char* name, const QString& text) {
    QAction* action = text.isEmpty() ? menu->addSeparator() : menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}
} // namespace

ShellWindow::ShellWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), ShellFrame(*this, true),
      trayMenu(new QMenu(this)),
      showWindowAction(addMenuItem(trayMenu, "showWindowAction", QStringLiteral("显示主窗口"))),
      firstTraySeparator(addMenuItem(trayMenu, "firstTraySeparator", {})),
      quickAddAction(addMenuItem(trayMenu, "quickAddAction", QStringLiteral("快速添加事件"))),
      secondTraySeparator(addMenuItem(trayMenu, "secondTraySeparator", {})),
      exitAction(addMenuItem(trayMenu, "exitAction", QStringLiteral("退出系统"))) {
    trayMenu->setObjectName(QStringLiteral("trayMenu"));
    connect(showWindowAction, &QAction::triggered, this,
            [this] { guarded([this] { showMainWindow(); }); });
    connect(quickAddAction, &QAction::triggered, this,
            [this] { guarded([this] { quickAddReminder(); }); });
    connect(exitAction, &QAction::triggered, this, [this] { guarded([this] { exitProgram(); }); });
    setWindowIcon(Assets::appIcon());
    initializeFrame();
}

ShellWindow::~ShellWindow() {
    removeTrayIcon();
}

bool ShellWindow::isTrayAvailable() {
    if (trayOverride().has_value())
        return *trayOverride();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void ShellWindow::overrideTrayAvailableForTests(std::optional<bool> available) {
    trayOverride() = available;
}

void ShellWindow::onMinimizeClicked() {
    minimizeToTray();
}

void ShellWindow::onCloseClicked() {
    minimizeToTray();
}

void ShellWindow::minimizeToTray() {
    if (!isTrayAvailable()) {
        // Hidden without an icon to bring it back, the window would be lost.
        showMinimized();
        return;
    }
    hide();
    if (trayIcon_ == nullptr) {
        trayIcon_ = new QSystemTrayIcon(Assets::appIcon(), this);
        trayIcon_->setObjectName(QStringLiteral("trayIcon"));
        trayIcon_->setToolTip(kTrayTip);
        trayIcon_->setContextMenu(trayMenu);
        connect(trayIcon_, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    guarded([&] { onTrayIconActivated(reason); });
                });
    }
    trayIcon_->show();
}

void ShellWindow::onTrayIconActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason != QSystemTrayIcon::DoubleClick)
        return;
    if (isHidden() || isMinimized()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
        raise();
        activateWindow();
    } else {
        hide();
    }
}

void ShellWindow::removeTrayIcon() {
    if (trayIcon_ == nullptr)
        return;
    trayIcon_->hide();
    delete trayIcon_;
    trayIcon_ = nullptr;
}

void ShellWindow::showMainWindow() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void ShellWindow::quickAddReminder() {}

void ShellWindow::exitProgram() {
    close();
}

void ShellWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    guarded([this] { onFrameResized(); });
}

void ShellWindow::onWindowMoveStarted(bool systemMove) {
    emit moveStarted(systemMove);
}
