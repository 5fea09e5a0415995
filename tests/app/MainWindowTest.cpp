// The main window's lists, deletes, details, login hand-over and permissions.
#include "MainWindowFixture.h"
#include "store/NewStore.h"

#include <QLocale>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

using MainWindowTest = MainWindowFixture;

// The nine controls the permission string gates, in the order of its positions.
const char* const kGated[] = {"userAccountsAction", "permissionsAction",    "addReminderButton",
                              "editReminderButton", "deleteReminderButton", "quickPublishButton",
                              "birthdayButton",     "appointmentButton",    "anniversaryButton"};

TEST_F(MainWindowTest, BeforeLoginTheListsAreEmptyAndEveryControlEnabled) {
    EXPECT_EQ(list("pendingList")->count(), 0);
    EXPECT_FALSE(label("greetingLabel")->isVisibleTo(&window));
    EXPECT_FALSE(label("clockLabel")->isVisibleTo(&window));
    for (const char* name : kGated)
        EXPECT_TRUE(usable(control<QObject>(&window, name))) << name;
}

TEST_F(MainWindowTest, TheLoginIsShownOnceHoweverOftenTheWindowIsActivated) {
    int logins = 0;
    ScriptedModal modal([&](QDialog& dialog) {
        ++logins;
        control<QLineEdit>(&dialog, "loginNameEdit")->setText("me");
        control<QLineEdit>(&dialog, "passwordEdit")->setText("pw");
        control<QPushButton>(&dialog, "loginButton")->click();
        return dialog.result();
    });
    for (int round = 0; round < 3; ++round) {
        window.show();
        window.activateWindow();
        QCoreApplication::processEvents();
        window.hide();
    }
    window.show();
    EXPECT_EQ(logins, 1);
    EXPECT_EQ(label("greetingLabel")->text(), QStringLiteral("欢迎你：我自己"));
    EXPECT_TRUE(label("greetingLabel")->isVisibleTo(&window));
    EXPECT_TRUE(label("clockLabel")->isVisibleTo(&window));
    EXPECT_TRUE(timer("clockTimer")->isActive());
}

TEST_F(MainWindowTest, AReminderToOneselfShowsInThePendingAndThePublishedList) {
    addReminder(me, me, "给自己", 18000, 0, "2010-11-12 09:00:00");
    addReminder(me, other, "同事发来", 3600);
    addReminder(other, me, "发给同事", 60, 0, "2010-11-12 08:00:00");
    loginAs("me", "pw");
    EXPECT_EQ(column(list("pendingList"), Column::Content), QStringList({"同事发来", "给自己"}));
    EXPECT_EQ(column(list("pendingList"), Column::Publisher), QStringList({"同事", "我自己"}));
    EXPECT_EQ(column(list("publishedList"), Column::Content), QStringList({"给自己", "发给同事"}));
    EXPECT_EQ(column(list("publishedList"), Column::Recipient), QStringList({"我自己", "同事"}));
    EXPECT_EQ(column(list("publishedList"), Column::Publisher), QStringList({"我自己", "我自己"}));
    EXPECT_EQ(list("historyList")->count(), 0);
    EXPECT_EQ(list("pendingList")->text(0, Column::Time), QStringLiteral("2010-11-12 08:51:37"));
    EXPECT_EQ(list("pendingList")->text(0, Column::Key).toInt(), 2);
}

TEST_F(MainWindowTest, PendingListIsOrderedBySortKeyWithPostponedRowsAhead) {
    addReminder(me, other, "五分钟录入", 18000); // "5" "分" entered
    addReminder(me, other, "一分钟录入", 3600);  // "1" "分" entered
    addReminder(me, other, "推迟十分钟", 600);   // postponed "10分钟"
    addReminder(me, other, "已处理", 1, 1);
    loginAs("me", "pw");
    EXPECT_EQ(column(list("pendingList"), Column::Content),
              QStringList({"推迟十分钟", "一分钟录入", "五分钟录入"}));
    EXPECT_EQ(column(list("historyList"), Column::Content), QStringList({"已处理"}));
}

TEST_F(MainWindowTest, ADeletedPublisherLeavesAnEmptyPublisherCell) {
    const int gone = store.addUser("gone", "离职者");
    addReminder(me, gone, "旧提醒", 60);
    store.execute("DELETE FROM tbl_user WHERE KeyID=?", {gone});
    loginAs("me", "pw");
    ASSERT_EQ(list("pendingList")->count(), 1);
    EXPECT_EQ(list("pendingList")->text(0, Column::Publisher), QString());
}

TEST_F(MainWindowTest, DeleteActsOnThePublishedSelectionWhateverPageShows) {
    addReminder(other, me, "第一条", 60, 0, "2010-11-12 08:00:00");
    const int second = addReminder(other, me, "第二条", 60, 0, "2010-11-12 09:00:00");
    addReminder(me, other, "待处理", 60);
    store.setPermission(me, "000010000"); // "删除提醒"
    loginAs("me", "pw");
    pages()->setCurrentIndex(0);
    list("pendingList")->selectRow(0);

    tool("deleteReminderButton")->click();
    EXPECT_EQ(boxes.last().text, QStringLiteral("请在已发布提醒信息处选择一条记录进行操作！"));
    EXPECT_EQ(store.count("tbl_reminder"), 3);

    list("publishedList")->selectRow(0); // newest first: the second reminder
    ASSERT_EQ(list("publishedList")->text(0, Column::Key).toInt(), second);
    boxes.answerNext(false);
    tool("deleteReminderButton")->click();
    EXPECT_EQ(store.count("tbl_reminder"), 3);

    boxes.clear();
    tool("deleteReminderButton")->click();
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.all()[0].text, QStringLiteral("确定要删除已发布提醒信息选定记录吗？"));
    EXPECT_EQ(boxes.all()[1].text, QStringLiteral("删除成功！"));
    EXPECT_EQ(store.scalar("SELECT COUNT(*) FROM tbl_reminder WHERE KeyID=?", {second}).toInt(), 0);
    EXPECT_EQ(column(list("publishedList"), Column::Content), QStringList({"第一条"}));
}

TEST_F(MainWindowTest, AFailingDeleteSaysSoAndKeepsTheList) {
    addReminder(other, me, "第一条", 60);
    store.setPermission(me, "000010000"); // "删除提醒"
    loginAs("me", "pw");
    list("publishedList")->selectRow(0);
    store.execute("CREATE TRIGGER refuse BEFORE DELETE ON tbl_reminder BEGIN SELECT RAISE(ABORT, "
                  "'locked'); END");
    boxes.clear();
    tool("deleteReminderButton")->click();
    EXPECT_EQ(boxes.last().text, QStringLiteral("删除失败，请稍后重试！"));
    EXPECT_EQ(list("publishedList")->count(), 1);
}

TEST_F(MainWindowTest, DeletingTwoTickedHistoryRowsOfFiveDeletesExactlyThose) {
    std::vector<int> keys;
    for (int i = 0; i < 5; ++i)
        keys.push_back(addReminder(me, other, QStringLiteral("历史%1").arg(i), 60, 1));
    loginAs("me", "pw");
    ASSERT_EQ(list("historyList")->count(), 5);

    control<QPushButton>(&window, "deleteHistoryButton")->click();
    EXPECT_EQ(boxes.last().text, QStringLiteral("请选择记录！"));

    control<QPushButton>(&window, "selectAllHistoryButton")->click();
    EXPECT_EQ(list("historyList")->checkedCount(), 5);
    control<QPushButton>(&window, "clearAllHistoryButton")->click();
    EXPECT_EQ(list("historyList")->checkedCount(), 0);
    list("historyList")->setChecked(1, true);
    list("historyList")->setChecked(3, true);
    boxes.clear();
    control<QPushButton>(&window, "deleteHistoryButton")->click();
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.all()[0].text, QStringLiteral("确定要删除所选定的历史提醒记录吗？"));
    EXPECT_EQ(boxes.all()[1].text, QStringLiteral("删除历史提醒记录完毕！"));
    EXPECT_EQ(column(list("historyList"), Column::Content),
              QStringList({"历史0", "历史2", "历史4"}));
    EXPECT_EQ(store.count("tbl_reminder"), 3);
}

TEST_F(MainWindowTest, TheHistoryComesAsTheUserScrollsAndTickingAllReachesRowsNotYetShown) {
    store.execute("BEGIN");
    for (int i = 0; i < 250; ++i)
        addReminder(me, other, QStringLiteral("历史%1").arg(i), 18000, 1);
    store.execute("COMMIT");
    loginAs("me", "pw");
    window.resize(1000, 400);
    pages()->setCurrentIndex(2);
    QCoreApplication::processEvents();
    ReportList* history = list("historyList");
    ASSERT_EQ(history->count(), HistoryPages::kPageRows);
    EXPECT_EQ(history->text(0, Column::Content), QStringLiteral("历史0"));

    QScrollBar* scroll = history->verticalScrollBar();
    scroll->setValue(scroll->maximum());
    QCoreApplication::processEvents();
    ASSERT_EQ(history->count(), 2 * HistoryPages::kPageRows);
    EXPECT_EQ(history->text(150, Column::Content), QStringLiteral("历史150"));

    // Another copy acknowledges a row of mine: the list is read again as the user left it.
    history->setChecked(150, true);
    history->selectRow(120);
    scroll->setValue(scroll->maximum() / 2);
    const int scrolled = scroll->value();
    addReminder(me, other, "刚处理", 60, 1);
    deliverTimeout(timer("listRefreshTimer"));
    ASSERT_EQ(history->count(), 2 * HistoryPages::kPageRows);
    EXPECT_EQ(history->text(0, Column::Content), QStringLiteral("刚处理"));
    EXPECT_EQ(history->checkedCount(), 1);
    EXPECT_EQ(history->text(history->selectedRow(), Column::Content), QStringLiteral("历史120"));
    EXPECT_EQ(scroll->value(), scrolled);

    control<QPushButton>(&window, "selectAllHistoryButton")->click();
    EXPECT_EQ(history->count(), 251);
    EXPECT_EQ(history->checkedCount(), 251);
    control<QPushButton>(&window, "deleteHistoryButton")->click();
    EXPECT_EQ(history->count(), 0);
    EXPECT_EQ(store.count("tbl_reminder"), 0);
}

TEST_F(MainWindowTest, DoubleClickShowsTheRowDetails) {
    addReminder(me, other, "开会\n带材料", 60);
    addReminder(other, me, "交报告", 60);
    loginAs("me", "pw");
    emit list("pendingList")->rowDoubleClicked(0); // nothing selected: nothing shown
    EXPECT_EQ(boxes.count(), 0);
    list("pendingList")->selectRow(0);
    emit list("pendingList")->rowDoubleClicked(0);
    EXPECT_EQ(boxes.last().text, QStringLiteral("【发布人】同事\r\r【内容】\r\r\n开会\n带材料"));
    EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::None);
    list("publishedList")->selectRow(0);
    emit list("publishedList")->rowDoubleClicked(0);
    EXPECT_EQ(boxes.last().text, QStringLiteral("【提醒人】同事\r\r【内容】\r\r\n交报告"));
}

TEST_F(MainWindowTest, PermissionsFollowTheStringAndTheAdministratorFlag) {
    auto enabled = [&] {
        QString mask;
        for (const char* name : kGated)
            mask += usable(control<QObject>(&window, name)) ? '1' : '0';
        return mask;
    };
    window.applyPermissions(me); // no row
    EXPECT_EQ(enabled(), QStringLiteral("000000000"));
    store.setPermission(me, "11");
    window.applyPermissions(me);
    EXPECT_EQ(enabled(), QStringLiteral("110000000"));
    EXPECT_TRUE(menuItem("passwordAction")->isEnabled());
    EXPECT_TRUE(tool("hideButton")->isEnabled());
    EXPECT_TRUE(tool("exitButton")->isEnabled());
    store.setPermission(1, "000000000");
    window.applyPermissions(1);
    EXPECT_EQ(enabled(), QStringLiteral("111111111"));
}

TEST_F(MainWindowTest, ExitAsksFirst) {
    boxes.answerNext(false);
    tool("exitButton")->click();
    EXPECT_EQ(boxes.last().text, QStringLiteral("确定要退出系统吗？"));
    EXPECT_EQ(quitRequests, 0);
    tool("exitButton")->click();
    EXPECT_EQ(quitRequests, 1);
}

TEST_F(MainWindowTest, ShowingReturnsToTheFirstPageAndTheClockReadsTheLocalesWeekday) {
    clock.set(QDateTime(QDate(2024, 2, 10), QTime(8, 5, 9)));
    pages()->setCurrentIndex(3);
    window.show();
    EXPECT_EQ(pages()->currentIndex(), 0);
    const QString weekday = QLocale::system().dayName(6, QLocale::LongFormat);
    EXPECT_EQ(label("clockLabel")->text(),
              QStringLiteral("2024年02月10日 ") + weekday + QStringLiteral(" 08:05:09 "));
}

} // namespace
