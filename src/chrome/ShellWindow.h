#pragma once

#include "chrome/ShellFrame.h"

#include <QSystemTrayIcon>
#include <QWidget>
#include <optional>

class QAction;
class QMenu;

// The shell window: the base of the main window. A frameless top-level window with the
// picture frame of ShellFrame, four caption buttons (help, minimise, maximise/restore,
// close), and the notification-area icon with its menu. Minimise and close hide the window
// into the notification area instead of closing it; where the desktop has no notification
// area they minimise it, so that it stays reachable.
//
// A main window derives from it and, in its constructor (the shell's creation step has run by
// then), puts its title and content in place:
//
//   MainWindow::MainWindow(QWidget* parent) : ShellWindow(parent) {
//       titleLabel = placeTitleLabel(new QLabel(QStringLiteral("橙岭定时提醒系统 V1.0")));
//       auto* layout = new QVBoxLayout(clientArea);
//       ...
//       setBottomBarHeight(26);                    // optional: its own bars and pictures
//       bottomCenterPicture->setPicture(Assets::picture("..."));
//   }
//   void MainWindow::exitProgram() { close(); }    // a tray menu action of its own
//
// Closing the window (close()) still closes it: only the caption buttons hide it.
//
// Public is only the seam that stands in for the notification area in tests. The frame, the
// tray menu and its handlers are the derived window's and the user's: the menu, its actions
// and the icon carry their member names as object names ("trayMenu", "showWindowAction",
// "quickAddAction", "exitAction", "trayIcon").
class ShellWindow : public QWidget, protected ShellFrame {
    Q_OBJECT
public:
    explicit ShellWindow(QWidget* parent = nullptr);
    ~ShellWindow() override;

    // Whether the desktop offers a notification area. Tests override the answer; an empty
    // optional returns to asking the platform.
    static bool isTrayAvailable();
    static void overrideTrayAvailableForTests(std::optional<bool> available);

signals:
    // A press on the title bar started moving the window.
    void moveStarted(bool systemMove);

protected:
    // Hides the window and adds the notification-area icon, once however often it runs; with
    // no notification area it minimises the window instead.
    void minimizeToTray();

    // The notification-area menu's actions: "显示主窗口", "快速添加事件" and "退出系统". By
    // default: show and bring forward the window; nothing; close the window. The main window
    // overrides them.
    virtual void showMainWindow();
    virtual void quickAddReminder();
    virtual void exitProgram();

    // Removes the notification-area icon; the destructor runs it.
    void removeTrayIcon();

    void resizeEvent(QResizeEvent* event) override;
    void onWindowMoveStarted(bool systemMove) override;
    void onMinimizeClicked() override;
    void onCloseClicked() override;

private:
    // Events of the notification-area icon: a double click shows a hidden (or minimised)
    // window and hides a shown one, then brings it forward. The context menu (trayMenu) is
    // opened by the icon itself on the right button.
    void onTrayIconActivated(QSystemTrayIcon::ActivationReason reason);

    static inline const QString kTrayTip = QStringLiteral("橙岭定时提醒");

    // The notification-area menu: "显示主窗口", a separator, "快速添加事件", a separator,
    // "退出系统".
    QMenu* const trayMenu;
    QAction* const showWindowAction;
    QAction* const firstTraySeparator;
    QAction* const quickAddAction;
    QAction* const secondTraySeparator;
    QAction* const exitAction;
    // Null until the first minimizeToTray().
    QSystemTrayIcon* trayIcon_ = nullptr;
};
