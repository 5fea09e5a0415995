#pragma once

#include "chrome/TShellFrame.h"

#include <QSystemTrayIcon>
#include <QWidget>
#include <optional>

class QAction;
class QMenu;

// The shell window: the base of the main window. A frameless top-level window with the
// picture frame of TShellFrame, four caption buttons (help, minimise, maximise/restore,
// close), and the notification-area icon with its menu. Minimise and close hide the window
// into the notification area instead of closing it; where the desktop has no notification
// area they minimise it, so that it stays reachable.
//
// A main window derives from it and, in its constructor (the shell's creation step has run by
// then), puts its title and content in place:
//
//   TFrmMainT::TFrmMainT(QWidget* parent) : TFrmShell(parent) {
//       Label1 = PlaceTitleLabel(new QLabel(QStringLiteral("橙岭定时提醒系统 V1.0")));
//       auto* layout = new QVBoxLayout(panClient);
//       ...
//       SetBottomBarHeight(26);                    // optional: its own bars and pictures
//       Image6->SetPicture(Assets::Picture("..."));
//   }
//   void TFrmMainT::N1221Click() { show(); FormShow(); }   // the menu items' actions
//   void TFrmMainT::N4Click() { close(); }
//
// Closing the window (close()) still closes it: only the caption buttons hide it.
class TFrmShell : public QWidget, protected TShellFrame {
    Q_OBJECT
public:
    explicit TFrmShell(QWidget* parent = nullptr);
    ~TFrmShell() override;

    using TShellFrame::ApplyRoundRegion;
    void CaptionButtonClick(TSkinButton* button) override;

    // Hides the window and adds the notification-area icon, once however often it runs; with
    // no notification area it minimises the window instead.
    void MinimizeToTray();
    // Events of the notification-area icon: a double click shows a hidden (or minimised)
    // window and hides a shown one, then brings it forward. The context menu (PopupMenu1) is
    // opened by the icon itself on the right button.
    void TrayIconMessage(QSystemTrayIcon::ActivationReason reason);
    // The notification-area icon; null until the first MinimizeToTray.
    QSystemTrayIcon* TrayIcon() const { return trayIcon_; }

    static inline const QString kTrayTip = QStringLiteral("橙岭定时提醒");

    // Whether the desktop offers a notification area. Tests override the answer; an empty
    // optional returns to asking the platform.
    static bool TrayAvailable();
    static void OverrideTrayAvailableForTests(std::optional<bool> available);

    // The notification-area menu: N1221 "显示主窗口", N1 separator, N2 "快速添加事件",
    // N3 separator, N4 "退出系统". Their triggers run N1221Click, N2Click and N4Click.
    QMenu* const PopupMenu1;
    QAction* const N1221;
    QAction* const N1;
    QAction* const N2;
    QAction* const N3;
    QAction* const N4;

signals:
    // A press on the title bar started moving the window.
    void MoveStarted(bool systemMove);

protected:
    // The menu's actions. By default: show and bring forward the window; nothing; close the
    // window. The main window overrides them.
    virtual void N1221Click();
    virtual void N2Click();
    virtual void N4Click();

    // Removes the notification-area icon; the destructor runs it.
    void FormDestroy();

    void resizeEvent(QResizeEvent* event) override;
    void WindowMoveStarted(bool systemMove) override;

private:
    QSystemTrayIcon* trayIcon_ = nullptr;
};
