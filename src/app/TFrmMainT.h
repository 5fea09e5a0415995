#pragma once

#include "app/Autostart.h"
#include "calview/CalendarView.h"
#include "chrome/ShellWindow.h"
#include "platform/ReportList.h"
#include "schedule/ReminderPolling.h"
#include "schedule/SoundPlayer.h"
#include "store/Query.h"
#include "store/Session.h"
#include "users/LoginDialog.h"

#include <QAction>
#include <QDate>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// The main window: asks for the login once, shows the current user's pending, history and
// published reminders, the perpetual calendar and a clock, and opens every other window.
class TFrmMainT : public ShellWindow, public LoginHost {
    Q_OBJECT
public:
    // The autostart entry and the sound player are the platform's unless a test gives its own.
    explicit TFrmMainT(Session& session, std::unique_ptr<Autostart> autostart = nullptr,
                       std::unique_ptr<SoundPlayer> sound = nullptr);
    ~TFrmMainT() override;

    // Event handlers.
    void FormCreate();
    void FormShow();
    void FormActivate();
    void Timer_showtimeTimer();
    void ListView1DblClick();
    void ListView2DblClick();
    void ListView3DblClick();
    void ToolButton10Click();
    void ToolButton3Click();
    void ToolButton4Click();
    void ToolButton2Click();
    void ToolButton12Click();
    void ToolButton9Click();
    void TbexitClick();
    void ToolButton1Click();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void N41Click();
    void N43Click();
    void N9Click();
    void N13Click();
    void N14Click();
    void ToolButton8Click();

    // Reads "Run"/"dword" and carries it into the caption of N14 and the autostart entry.
    void ApplyAutostartSetting();
    // Hides the window into the notification area (minimises it where there is none).
    void HideToTray();

    // Re-reads the three lists for the current user, keeping what the user selected, ticked
    // and scrolled to; a list that did not change is left alone.
    void ReloadLists();
    // The lists are kept current without the user doing anything: at every tick of
    // listRefreshTimer they are read again when the store changed since the last reading.
    void RefreshListsIfChanged();
    QString LookupUserName(int userKey);

    // LoginHost: what a successful login sets in this window.
    void showGreeting(const QString& userName) override;
    void applyPermissions(int userKey) override;

    // The clock text of a moment: "yyyy年mm月dd日 dddd HH:mm:ss " with the long weekday name.
    static QString ClockText(const QDateTime& moment);

    Session& session() { return session_; }
    // The polls, repeat timers and popup slots of the four kinds of reminder.
    ReminderPolling& Polling() { return *polling_; }

    // Controls, named as their members.
    QLabel* Label1 = nullptr;
    QMenuBar* MainMenu1 = nullptr;
    QMenu* SystemMenu = nullptr;
    QMenu* OptionsMenu = nullptr;
    QMenu* AboutMenu = nullptr;
    QAction* N41 = nullptr;
    QAction* N43 = nullptr;
    QAction* N9 = nullptr;
    QAction* N14 = nullptr;
    QAction* N13 = nullptr;
    QToolBar* ToolBar2 = nullptr;
    QToolButton* ToolButton10 = nullptr;
    QToolButton* ToolButton3 = nullptr;
    QToolButton* ToolButton4 = nullptr;
    QToolButton* ToolButton2 = nullptr;
    QToolButton* ToolButton12 = nullptr;
    QToolButton* ToolButton9 = nullptr;
    QToolButton* Tbexit = nullptr;
    QToolButton* ToolButton8 = nullptr;
    QToolButton* ToolButton1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    ReportList* ListView1 = nullptr;
    ReportList* ListView2 = nullptr;
    ReportList* ListView3 = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* SpeedButton2 = nullptr;
    QPushButton* SpeedButton3 = nullptr;
    QWidget* CalendarPage = nullptr;
    CalendarView* calendarView = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QTimer* Timer_showtime = nullptr;
    QTimer* listRefreshTimer = nullptr;
    // As often as the polls look for due reminders: the lists show what popped up.
    static constexpr int kListRefreshMs = 4000;

    // The nine controls the permission string gates, in the order of its positions.
    std::array<QObject*, 9> GatedControls() const;
    static void SetControlEnabled(QObject* control, bool enabled);
    static bool ControlEnabled(const QObject* control);

    // The notification-area menu's "退出系统"; "显示主窗口" and "快速添加事件" are the shell's.
    void exitProgram() override;
    using ShellWindow::quickAddReminder;
    using ShellWindow::showMainWindow;

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildPages();
    void buildFooter();
    QToolButton* addToolButton(const QString& name, const QString& caption, const QString& picture,
                               void (TFrmMainT::*handler)());
    std::vector<QStringList> readRows(const char* statement,
                                      const std::function<QStringList()>& row);
    void showRowDetails(ReportList* list, const QString& personLabel);
    // What the dialogs call after each successful write.
    std::function<void()> reloader();
    // Closes the window and ends the program, once.
    void EndProgram();

    Session& session_;
    std::unique_ptr<Autostart> autostart_;
    std::unique_ptr<SoundPlayer> sound_;
    ReminderPolling* polling_ = nullptr;
    bool loginShown_ = false;
    bool ending_ = false;
    Query ADOQuery2; // the lists
    Query ADOQuery3; // names, deletes and permissions
    // The row icons of the pending, history and published lists.
    std::array<QIcon, 3> listIcons_;
    // The store's change counter when the lists were last read.
    std::optional<qint64> listsReadAt_;
};
