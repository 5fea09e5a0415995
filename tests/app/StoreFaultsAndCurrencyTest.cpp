// The main window keeps its lists current by itself, keeps working whatever the store does,
// and never lets a dialog stand between the user and a reminder.
#include "MainWindowFixture.h"
#include "chrome/HandlerGuard.h"
#include "popups/PopupFactory.h"
#include "popups/ReminderPopup.h"
#include "store/Connection.h"
#include "support/Controls.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QTest>
#include <QTimerEvent>
#include <QToolButton>
#include <QtTest/qtestspontaneevent.h>
#include <sqlite3.h>

namespace {

class StoreFaultsAndCurrencyTest : public MainWindowFixture {
protected:
    // Counts the statements the engine starts on the window's connection.
    int statementsDuring(const std::function<void()>& work) {
        QSqlDatabase db = QSqlDatabase::database(store.session().connectionName);
        sqlite3* handle = *static_cast<sqlite3* const*>(db.driver()->handle().data());
        int count = 0;
        sqlite3_trace_v2(
            handle, SQLITE_TRACE_STMT,
            [](unsigned, void* counter, void*, void*) {
                ++*static_cast<int*>(counter);
                return 0;
            },
            &count);
        work();
        sqlite3_trace_v2(handle, 0, nullptr, nullptr);
        return count;
    }
    // One round of the work the window's timers start by themselves: the four polls and the
    // list refresh, delivered as their timers deliver them.
    void tickPollsAndRefresh() {
        for (ReminderKind kind : kAllReminderKinds)
            deliverTimeout(pollingOf(window).pollTimer(kind));
        deliverTimeout(timer("listRefreshTimer"));
    }
};

TEST_F(StoreFaultsAndCurrencyTest,
       TheListsFollowTheStoreKeepingWhatTheUserSelectedTickedAndScrolled) {
    for (int i = 0; i < 60; ++i)
        addReminder(me, other, QStringLiteral("待办%1").arg(i), 100 + i);
    for (int i = 0; i < 3; ++i)
        addReminder(me, other, QStringLiteral("历史%1").arg(i), 1, 1);
    loginAs("me", "pw");
    EXPECT_TRUE(timer("listRefreshTimer")->isActive());
    EXPECT_LE(timer("listRefreshTimer")->interval(), 7000);
    window.resize(1000, 400);
    window.show();
    list("pendingList")->selectRow(10);
    list("pendingList")->verticalScrollBar()->setValue(7);
    ASSERT_EQ(list("pendingList")->verticalScrollBar()->value(), 7);
    list("historyList")->setChecked(1, true);

    // Nothing changed: nothing is read into the lists, nothing repainted.
    QSignalSpy resets(list("pendingList")->model(), &QAbstractItemModel::modelReset);
    QSignalSpy removals(list("pendingList")->model(), &QAbstractItemModel::rowsRemoved);
    deliverTimeout(timer("listRefreshTimer"));
    EXPECT_EQ(resets.count() + removals.count(), 0);

    // Another copy publishes to me and acknowledges one of mine.
    const Session otherCopy = store.openSecondSession("other-copy");
    QSqlQuery write(QSqlDatabase::database(otherCopy.connectionName));
    ASSERT_TRUE(write.exec(
        QStringLiteral(
            "INSERT INTO tbl_reminder(ReUserID, ReDetail, RedouserID, Retype, IfDone, TotalTime) "
            "VALUES(%1, '新来的', %2, 0, 0, 100000)")
            .arg(me)
            .arg(other)));
    ASSERT_TRUE(write.exec("UPDATE tbl_reminder SET IfDone=1 WHERE ReDetail='待办59'"));
    deliverTimeout(timer("listRefreshTimer"));
    ASSERT_EQ(list("pendingList")->count(), 60);
    EXPECT_EQ(list("pendingList")->text(59, Column::Content), QStringLiteral("新来的"));
    EXPECT_EQ(list("pendingList")->text(list("pendingList")->selectedRow(), Column::Content),
              QStringLiteral("待办10"));
    EXPECT_EQ(list("pendingList")->verticalScrollBar()->value(), 7);
    ASSERT_EQ(list("historyList")->count(), 4);
    EXPECT_EQ(list("historyList")->checkedCount(), 1);
    EXPECT_TRUE(list("historyList")->isChecked(1));
    window.hide();
}

TEST_F(StoreFaultsAndCurrencyTest,
       AReloadRunsAFixedNumberOfStatementsAndShowsTheNamesAsTheyAreNow) {
    addReminder(me, other, "一条", 60);
    loginAs("me", "pw");
    const int few = statementsDuring([&] { window.reloadLists(); });
    for (int i = 0; i < 30; ++i) {
        const int publisher =
            store.addUser(QStringLiteral("p%1").arg(i), QStringLiteral("发布人%1").arg(i));
        addReminder(me, publisher, QStringLiteral("来自%1").arg(i), 100 + i);
        addReminder(publisher, me, QStringLiteral("发给%1").arg(i), 100 + i);
        addReminder(me, publisher, QStringLiteral("已办%1").arg(i), 100 + i, 1);
    }
    EXPECT_EQ(statementsDuring([&] { window.reloadLists(); }), few);

    const Session otherCopy = store.openSecondSession("other-copy");
    QSqlQuery rename(QSqlDatabase::database(otherCopy.connectionName));
    ASSERT_TRUE(rename.exec(
        QStringLiteral("UPDATE tbl_user SET UserTrueName='改名了' WHERE KeyID=%1").arg(other)));
    deliverTimeout(timer("listRefreshTimer"));
    EXPECT_EQ(list("pendingList")->text(0, Column::Publisher), QStringLiteral("改名了"));
}

TEST_F(StoreFaultsAndCurrencyTest, FailingReadsAndDeletesLeaveTheListsAsTheyWere) {
    for (int i = 0; i < 5; ++i)
        addReminder(me, other, QStringLiteral("历史%1").arg(i), 60, 1);
    addReminder(me, other, "待办", 60);
    loginAs("me", "pw");
    list("historyList")->setChecked(1, true);
    list("historyList")->setChecked(3, true);
    store.execute(QStringLiteral(
        "CREATE TRIGGER refuse BEFORE DELETE ON tbl_reminder WHEN OLD.ReDetail='历史1' "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    control<QPushButton>(&window, "deleteHistoryButton")->click();
    EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::Error);
    EXPECT_NE(boxes.texts().last(), QStringLiteral("删除历史提醒记录完毕！"));
    EXPECT_EQ(list("historyList")->count(), 5) << "no reload after a failing delete";
    EXPECT_EQ(store.count("tbl_reminder"), 5) << "the rows after the last one are kept";

    store.execute("ALTER TABLE tbl_reminder RENAME TO tbl_gone");
    boxes.clear();
    guarded([&] { window.reloadLists(); });
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(column(list("pendingList"), Column::Content), QStringList({"待办"}));
    EXPECT_EQ(list("historyList")->count(), 5);
}

TEST_F(StoreFaultsAndCurrencyTest, PermissionsGateTheControlsByTheirCaptions) {
    store.setPermission(me, "001000000");
    loginAs("me", "pw");
    // Every tool button and menu item of the window, by what the user reads on it.
    std::map<QString, QObject*> controls;
    for (QToolButton* button : control<QToolBar>(&window, "toolBar")->findChildren<QToolButton*>())
        if (!button->text().trimmed().isEmpty())
            controls[button->text().trimmed()] = button;
    for (QMenu* menu : control<QMenuBar>(&window, "mainMenu")->findChildren<QMenu*>())
        for (QAction* action : menu->actions())
            if (!action->text().isEmpty())
                controls[action->text()] = action;
    const QStringList gated = {"人员维护", "权限设置", "添加提醒", "编辑提醒",  "删除提醒",
                               "快速发布", "生日提醒", "约会提醒", "纪念日提醒"};
    for (const QString& caption : gated) {
        ASSERT_TRUE(controls.count(caption)) << caption.toStdString();
        EXPECT_EQ(usable(controls[caption]), caption == "添加提醒") << caption.toStdString();
    }

    // Each one, once granted, opens its own window.
    store.execute("UPDATE tbl_popdem SET UserPopdem='111111111' WHERE UserId=?", {me});
    window.applyPermissions(me);
    QString opened;
    ScriptedModal modal([&](QDialog& dialog) {
        opened = dialog.windowTitle();
        return int(QDialog::Rejected);
    });
    const std::pair<const char*, const char*> opens[] = {
        {"人员维护", "人员维护"},     {"权限设置", "权限维护"}, {"添加提醒", "添加提醒"},
        {"快速发布", "快速提醒"},     {"生日提醒", "生日提醒"}, {"约会提醒", "约会提醒"},
        {"纪念日提醒", "纪念日提醒"},
    };
    for (const auto& [caption, title] : opens) {
        opened.clear();
        QObject* control = controls[caption];
        if (auto* action = qobject_cast<QAction*>(control))
            action->trigger();
        else
            static_cast<QToolButton*>(control)->click();
        EXPECT_TRUE(opened.contains(QString::fromUtf8(title)))
            << caption << ": " << opened.toStdString();
    }
}

TEST_F(StoreFaultsAndCurrencyTest, RestoringTheMinimisedWindowKeepsThePageAndTheCalendar) {
    loginAs("me", "pw");
    window.show();
    pages()->setCurrentIndex(1);
    control<CalendarView>(&window, "calendarView")
        ->setDateTime(QDateTime(QDate(1999, 9, 9), QTime(0, 0)));
    QShowEvent restored;
    QSpontaneKeyEvent::setSpontaneous(&restored);
    static_cast<QObject&>(window).event(&restored);
    EXPECT_EQ(pages()->currentIndex(), 1);
    EXPECT_EQ(control<CalendarView>(&window, "calendarView")->dateTime().date(), QDate(1999, 9, 9));
    // Shown again after hiding into the tray, it starts over.
    window.hide();
    window.show();
    EXPECT_EQ(pages()->currentIndex(), 0);
    window.hide();
}

TEST_F(StoreFaultsAndCurrencyTest, APopupTakesTheUsersClicksWhileADialogIsOpen) {
    const int key = addReminder(me, other, "开会", 60);
    loginAs("me", "pw");
    window.show();
    ScriptedModal realLoop({});
    bool acknowledged = false;
    QTimer::singleShot(0, &window, [&] {
        QPointer<ReminderPopup> popup =
            Popups::create({ReminderKind::Ordinary, store.session(), [] {}, [] {}});
        // The slide-in carried to its end as its timer would, one step at a time.
        QTimer* slide = control<QTimer>(popup.data(), "slideTimer");
        for (int step = 0; step < 1000 && slide->isActive(); ++step)
            deliverTimeout(slide);
        EXPECT_FALSE(slide->isActive());
        control<ReportList>(popup, "reminderList")->setChecked(0, true);
        // Clicked through its window, as the window system delivers it: a window blocked by a
        // modal dialog would never see the click.
        QTest::mouseClick(
            popup->windowHandle(), Qt::LeftButton, {},
            control<QPushButton>(popup, "acknowledgeButton")
                ->mapTo(popup, control<QPushButton>(popup, "acknowledgeButton")->rect().center()));
        acknowledged =
            store.scalar("SELECT IfDone FROM tbl_reminder WHERE KeyID=?", {key}).toInt() == 1;
        if (QWidget* dialog = QApplication::activeModalWidget())
            dialog->close();
        delete popup.data();
    });
    menuItem("aboutAction")->trigger(); // the about box, modal
    EXPECT_TRUE(acknowledged);
    window.hide();
}

TEST_F(StoreFaultsAndCurrencyTest, TheWindowKeepsRespondingWhileAnotherCopyHoldsTheLock) {
    addReminder(me, other, "开会", 60);
    loginAs("me", "pw");
    const Session otherCopy = store.openSecondSession("other-copy");
    QSqlQuery lock(QSqlDatabase::database(otherCopy.connectionName));
    ASSERT_TRUE(lock.exec("INSERT INTO tbl_popdem(UserId, UserPopdem) VALUES(99, '1')"));
    ASSERT_TRUE(lock.exec("BEGIN EXCLUSIVE"));
    ASSERT_TRUE(lock.exec("UPDATE tbl_popdem SET UserPopdem='2'"));
    // Round after round of polls and refreshes, as their timers run them meanwhile: none of
    // them may hold the event loop by waiting for the lock.
    int waits = 0;
    Connection::setWaitObserver([&] { ++waits; });
    const int statements = statementsDuring([&] {
        for (int round = 0; round < 5; ++round)
            tickPollsAndRefresh();
    });
    Connection::setWaitObserver({});
    EXPECT_GE(statements, 5 * 4) << "the rounds never tried the store";
    EXPECT_EQ(waits, 0) << "the event loop stood still while the store was locked";
    EXPECT_EQ(boxes.count(), 0) << "a busy store is not a fault to tell at once";
    ASSERT_TRUE(lock.exec("ROLLBACK"));
}

TEST_F(StoreFaultsAndCurrencyTest, AStoreOfGarbageIsToldOnceAndExitWorksAtTheFirstTry) {
    addReminder(me, other, "开会", 60);
    loginAs("me", "pw");
    QFile file(store.filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.write(QByteArray(8192, 'x'));
    file.close();
    for (int round = 0; round < 10; ++round)
        tickPollsAndRefresh();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text.split('\n').size(), 2) << "Chinese text, then the engine's message";
    tool("exitButton")->click();
    EXPECT_EQ(quitRequests, 1);
}

} // namespace
