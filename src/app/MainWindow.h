#pragma once

#include "app/Autostart.h"
#include "app/HistoryPages.h"
#include "calview/CalendarView.h"
#include "chrome/ShellWindow.h"
#include "platform/ReportList.h"
#include "schedule/ReminderCalendar.h"
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
#include <map>
#include <memory>
#include <optional>
#include <vector>

// The main window: asks for the login once, shows the current user's pending, history and
// published reminders, the perpetual calendar and a clock, and opens every other window.
//
// Public is what the program calls: the list reload the dialogs and popups ask for, and what
// a successful login sets (LoginHost). Everything else is reached as the user reaches it,
// through the controls, the menus and the timers, each named as its member is
// (addReminderButton, publishedList, listRefreshTimer ...); the polls are the child named
// "polling".
class MainWindow : public ShellWindow, public LoginHost {
    Q_OBJECT
public:
    // The autostart entry and the sound player are the platform's unless a test gives its own.
    explicit MainWindow(Session& session, std::unique_ptr<Autostart> autostart = nullptr,
                        std::unique_ptr<SoundPlayer> sound = nullptr);
    ~MainWindow() override;

    // Re-reads the three lists for the current user, keeping what the user selected, ticked
    // and scrolled to; a list that did not change is left alone.
    void reloadLists();

    // LoginHost: what a successful login sets in this window.
    void showGreeting(const QString& userName) override;
    void applyPermissions(int userKey) override;

signals:
    // Somebody logged in: the store is known to be usable by its accounts.
    void loggedIn();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The creation step, and the handlers of the controls, menus and timers.
    void buildControls();
    void onShown();
    void showLoginOnce();
    void updateClock();
    void showPendingDetails();
    void showHistoryDetails();
    void showPublishedDetails();
    // The entry dialog of a kind, as its tool button opens it ("添加提醒" for ordinary ones).
    void openEntryFor(ReminderKind kind);
    void editReminder();
    void deleteReminder();
    void quickPublish();
    void confirmExit();
    void tickAllHistory();
    void clearAllHistory();
    void deleteTickedHistory();
    void openUserAccounts();
    void openPermissions();
    void openPasswordChange();
    void openAbout();
    void toggleAutostart();
    void exportCalendar();
    // A double-click on a day of the calendar: the add dialog on that day.
    void addReminderOnDay(const QDate& day);
    // "近期提醒" from the reminders last read.
    void fillComingList();
    void onHideClicked();

    // Reads "Run"/"dword" and carries it into the tick of autostartAction and the autostart
    // entry.
    void applyAutostartSetting();
    // Hides the window into the notification area (minimises it where there is none).
    void hideToTray();
    // The lists are kept current without the user doing anything: at every tick of
    // listRefreshTimer they are read again when the store changed since the last reading.
    void refreshListsIfChanged();

    // The clock text of a moment: "yyyy年mm月dd日 dddd HH:mm:ss " with the long weekday name.
    static QString clockText(const QDateTime& moment);

    // The notification-area menu's "退出系统"; "显示主窗口" and "快速添加事件" are the shell's.
    void exitProgram() override;

    // The nine controls the permission string gates, in the order of its positions.
    std::array<QObject*, 9> gatedControls() const;
    static void setControlEnabled(QObject* control, bool enabled);

    void buildMenus();
    void buildToolBar();
    void buildPages();
    void buildFooter();
    QToolButton* addToolButton(const QString& name, const QString& caption, const QString& picture,
                               void (MainWindow::*handler)());
    QToolButton* addKindButton(ReminderKind kind);
    std::vector<ReportList::Row> readRows(const char* statement,
                                          const std::function<ReportList::Row()>& row);
    // The details box of the selected row: the person in the given column, then the content.
    void showRowDetails(ReportList* list, ReportList::Column person, const QString& personLabel);
    // What the dialogs call after each successful write.
    std::function<void()> reloader();
    // Closes the window and ends the program, once.
    void endProgram();

    // Controls.
    QLabel* titleLabel = nullptr;
    QMenuBar* mainMenu = nullptr;
    QMenu* systemMenu = nullptr;
    QMenu* optionsMenu = nullptr;
    QMenu* aboutMenu = nullptr;
    QAction* userAccountsAction = nullptr;
    QAction* permissionsAction = nullptr;
    QAction* passwordAction = nullptr;
    QAction* autostartAction = nullptr;
    QAction* exportCalendarAction = nullptr;
    QAction* aboutAction = nullptr;
    QToolBar* toolBar = nullptr;
    QToolButton* addReminderButton = nullptr;
    QToolButton* editReminderButton = nullptr;
    QToolButton* deleteReminderButton = nullptr;
    QToolButton* quickPublishButton = nullptr;
    QToolButton* birthdayButton = nullptr;
    QToolButton* appointmentButton = nullptr;
    QToolButton* anniversaryButton = nullptr;
    QToolButton* hideButton = nullptr;
    QToolButton* exitButton = nullptr;
    QTabWidget* pages = nullptr;
    ReportList* pendingList = nullptr;
    ReportList* historyList = nullptr;
    ReportList* publishedList = nullptr;
    QPushButton* selectAllHistoryButton = nullptr;
    QPushButton* clearAllHistoryButton = nullptr;
    QPushButton* deleteHistoryButton = nullptr;
    QWidget* calendarPage = nullptr;
    CalendarView* calendarView = nullptr;
    QLabel* comingLabel = nullptr;
    ReportList* comingList = nullptr;
    QLabel* greetingLabel = nullptr;
    QLabel* clockLabel = nullptr;
    QTimer* clockTimer = nullptr;
    QTimer* listRefreshTimer = nullptr;
    // As often as the polls look for due reminders: the lists show what popped up.
    static constexpr int kListRefreshMs = 4000;

    Session& session_;
    std::unique_ptr<Autostart> autostart_;
    std::unique_ptr<SoundPlayer> sound_;
    ReminderPolling* polling_ = nullptr;
    bool loginShown_ = false;
    bool ending_ = false;
    Query listsQuery_;
    Query namesAndDeletesQuery_; // the permission strings too
    std::array<QToolButton*, kAllReminderKinds.size()> kindButtons_{};
    // The row icons of the pending, history and published lists.
    std::array<QIcon, 3> listIcons_;
    // The user's pending reminders as the calendar shows them, from the last reading.
    ReminderCalendar reminderCalendar_;
    QDate comingListDay_;
    // What the details box adds for a repeating row, by key.
    std::map<QString, QString> repeatDetails_;
    // The store's change counter when the lists were last read.
    std::optional<qint64> listsReadAt_;
    // The history list comes a page at a time.
    std::unique_ptr<HistoryPages> historyPages_;
};
