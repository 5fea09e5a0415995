#include "chrome/TFrmShell.h"

#include "chrome/Assets.h"
#include "platform/HandlerGuard.h"

#include <QAction>
#include <QMenu>

namespace {
std::optional<bool>& trayOverride() {
    static std::optional<bool> value;
    return value;
}

QAction* AddItem(QMenu* menu, const char* name, const QString& text) {
    QAction* action = text.isEmpty() ? menu->addSeparator() : menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}
} // namespace

TFrmShell::TFrmShell(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), TShellFrame(*this, true),
      PopupMenu1(new QMenu(this)),
      N1221(AddItem(PopupMenu1, "N1221", QStringLiteral("显示主窗口"))),
      N1(AddItem(PopupMenu1, "N1", {})),
      N2(AddItem(PopupMenu1, "N2", QStringLiteral("快速添加事件"))),
      N3(AddItem(PopupMenu1, "N3", {})), N4(AddItem(PopupMenu1, "N4", QStringLiteral("退出系统"))) {
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    connect(N1221, &QAction::triggered, this, [this] { guarded([this] { N1221Click(); }); });
    connect(N2, &QAction::triggered, this, [this] { guarded([this] { N2Click(); }); });
    connect(N4, &QAction::triggered, this, [this] { guarded([this] { N4Click(); }); });
    setWindowIcon(Assets::AppIcon());
    FormCreate();
}

TFrmShell::~TFrmShell() {
    FormDestroy();
}

bool TFrmShell::TrayAvailable() {
    if (trayOverride().has_value())
        return *trayOverride();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TFrmShell::OverrideTrayAvailableForTests(std::optional<bool> available) {
    trayOverride() = available;
}

void TFrmShell::CaptionButtonClick(TSkinButton* button) {
    switch (button->SkinButtonStyle()) {
    case sbsMin:
    case sbsClose:
        MinimizeToTray();
        break;
    case sbsMax:
        showMaximized();
        break;
    case sbsNormal:
        showNormal();
        break;
    case sbsHelp:
    case sbsBtn:
        break;
    }
}

void TFrmShell::MinimizeToTray() {
    if (!TrayAvailable()) {
        // Hidden without an icon to bring it back, the window would be lost.
        showMinimized();
        return;
    }
    hide();
    if (trayIcon_ == nullptr) {
        trayIcon_ = new QSystemTrayIcon(Assets::AppIcon(), this);
        trayIcon_->setObjectName(QStringLiteral("TrayIcon"));
        trayIcon_->setToolTip(kTrayTip);
        trayIcon_->setContextMenu(PopupMenu1);
        connect(trayIcon_, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    guarded([&] { TrayIconMessage(reason); });
                });
    }
    trayIcon_->show();
}

void TFrmShell::TrayIconMessage(QSystemTrayIcon::ActivationReason reason) {
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

void TFrmShell::FormDestroy() {
    if (trayIcon_ == nullptr)
        return;
    trayIcon_->hide();
    delete trayIcon_;
    trayIcon_ = nullptr;
}

void TFrmShell::N1221Click() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TFrmShell::N2Click() {}

void TFrmShell::N4Click() {
    close();
}

void TFrmShell::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    guarded([this] { FormResize(); });
}

void TFrmShell::WindowMoveStarted(bool systemMove) {
    emit MoveStarted(systemMove);
}
