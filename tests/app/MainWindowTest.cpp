// The main window's lists, deletes, details, login hand-over and permissions.
#include "MainWindowFixture.h"
#include "store/NewStore.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

using MainWindowTest = MainWindowFixture;

TEST_F(MainWindowTest, BeforeLoginTheListsAreEmptyAndEveryControlEnabled) {
    EXPECT_EQ(window.pendingList->count(), 0);
    EXPECT_FALSE(window.greetingLabel->isVisibleTo(&window));
    EXPECT_FALSE(window.clockLabel->isVisibleTo(&window));
    for (QObject* control : window.gatedControls())
        EXPECT_TRUE(MainWindow::isControlEnabled(control)) << control->objectName().toStdString();
}

TEST_F(MainWindowTest, TheLoginIsShownOnceHoweverOftenTheWindowIsActivated) {
    int logins = 0;
    ScriptedModal modal([&](QDialog& dialog) {
        ++logins;
        auto& login = dynamic_cast<LoginDialog&>(dialog);
        login.loginNameEdit->setText("me");
        login.passwordEdit->setText("pw");
        login.logIn();
        return dialog.result();
    });
    window.showLoginOnce();
    window.showLoginOnce();
    window.showLoginOnce();
    EXPECT_EQ(logins, 1);
    EXPECT_EQ(window.greetingLabel->text(), QStringLiteral("欢迎你：我自己"));
    EXPECT_TRUE(window.greetingLabel->isVisibleTo(&window));
    EXPECT_TRUE(window.clockLabel->isVisibleTo(&window));
    EXPECT_TRUE(window.clockTimer->isActive());
}

TEST_F(MainWindowTest, AReminderToOneselfShowsInThePendingAndThePublishedList) {
    addReminder(me, me, "给自己", 18000, 0, "2010-11-12 09:00:00");
    addReminder(me, other, "同事发来", 3600);
    addReminder(other, me, "发给同事", 60, 0, "2010-11-12 08:00:00");
    loginAs("me", "pw");
    EXPECT_EQ(column(window.pendingList, 1), QStringList({"同事发来", "给自己"}));
    EXPECT_EQ(column(window.pendingList, 2), QStringList({"同事", "我自己"}));
    EXPECT_EQ(column(window.publishedList, 1), QStringList({"给自己", "发给同事"}));
    EXPECT_EQ(column(window.publishedList, 2), QStringList({"我自己", "同事"}));
    EXPECT_EQ(column(window.publishedList, 3), QStringList({"我自己", "我自己"}));
    EXPECT_EQ(window.historyList->count(), 0);
    EXPECT_EQ(window.pendingList->text(0, 3), QStringLiteral("2010-11-12 08:51:37"));
    EXPECT_EQ(window.pendingList->caption(0).toInt(), 2);
}

TEST_F(MainWindowTest, PendingListIsOrderedBySortKeyWithPostponedRowsAhead) {
    addReminder(me, other, "五分钟录入", 18000); // "5" "分" entered
    addReminder(me, other, "一分钟录入", 3600);  // "1" "分" entered
    addReminder(me, other, "推迟十分钟", 600);   // postponed "10分钟"
    addReminder(me, other, "已处理", 1, 1);
    loginAs("me", "pw");
    EXPECT_EQ(column(window.pendingList, 1),
              QStringList({"推迟十分钟", "一分钟录入", "五分钟录入"}));
    EXPECT_EQ(column(window.historyList, 1), QStringList({"已处理"}));
}

TEST_F(MainWindowTest, ADeletedPublisherLeavesAnEmptyPublisherCell) {
    const int gone = store.addUser("gone", "离职者");
    addReminder(me, gone, "旧提醒", 60);
    store.execute("DELETE FROM tbl_user WHERE KeyID=?", {gone});
    loginAs("me", "pw");
    ASSERT_EQ(window.pendingList->count(), 1);
    EXPECT_EQ(window.pendingList->subItem(0, 1), QString());
}

TEST_F(MainWindowTest, DeleteActsOnThePublishedSelectionWhateverPageShows) {
    addReminder(other, me, "第一条", 60, 0, "2010-11-12 08:00:00");
    const int second = addReminder(other, me, "第二条", 60, 0, "2010-11-12 09:00:00");
    addReminder(me, other, "待处理", 60);
    loginAs("me", "pw");
    window.pages->setCurrentIndex(0);
    window.pendingList->selectRow(0);

    window.deleteReminder();
    EXPECT_EQ(boxes.last().text, QStringLiteral("请在已发布提醒信息处选择一条记录进行操作！"));
    EXPECT_EQ(store.count("tbl_reminder"), 3);

    window.publishedList->selectRow(0); // newest first: the second reminder
    ASSERT_EQ(window.publishedList->caption(0).toInt(), second);
    boxes.answerNext(false);
    window.deleteReminder();
    EXPECT_EQ(store.count("tbl_reminder"), 3);

    boxes.clear();
    window.deleteReminder();
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.all()[0].text, QStringLiteral("确定要删除已发布提醒信息选定记录吗？"));
    EXPECT_EQ(boxes.all()[1].text, QStringLiteral("删除成功！"));
    EXPECT_EQ(store.scalar("SELECT COUNT(*) FROM tbl_reminder WHERE KeyID=?", {second}).toInt(), 0);
    EXPECT_EQ(column(window.publishedList, 1), QStringList({"第一条"}));
}

TEST_F(MainWindowTest, AFailingDeleteSaysSoAndKeepsTheList) {
    addReminder(other, me, "第一条", 60);
    loginAs("me", "pw");
    window.publishedList->selectRow(0);
    store.execute("CREATE TRIGGER refuse BEFORE DELETE ON tbl_reminder BEGIN SELECT RAISE(ABORT, "
                  "'locked'); END");
    boxes.clear();
    window.deleteReminder();
    EXPECT_EQ(boxes.last().text, QStringLiteral("删除失败，请稍后重试！"));
    EXPECT_EQ(window.publishedList->count(), 1);
}

TEST_F(MainWindowTest, DeletingTwoTickedHistoryRowsOfFiveDeletesExactlyThose) {
    std::vector<int> keys;
    for (int i = 0; i < 5; ++i)
        keys.push_back(addReminder(me, other, QStringLiteral("历史%1").arg(i), 60, 1));
    loginAs("me", "pw");
    ASSERT_EQ(window.historyList->count(), 5);

    window.deleteTickedHistory();
    EXPECT_EQ(boxes.last().text, QStringLiteral("请选择记录！"));

    window.tickAllHistory();
    EXPECT_EQ(window.historyList->checkedCount(), 5);
    window.clearAllHistory();
    EXPECT_EQ(window.historyList->checkedCount(), 0);
    window.historyList->setChecked(1, true);
    window.historyList->setChecked(3, true);
    boxes.clear();
    window.deleteTickedHistory();
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.all()[0].text, QStringLiteral("确定要删除所选定的历史提醒记录吗？"));
    EXPECT_EQ(boxes.all()[1].text, QStringLiteral("删除历史提醒记录完毕！"));
    EXPECT_EQ(column(window.historyList, 1), QStringList({"历史0", "历史2", "历史4"}));
    EXPECT_EQ(store.count("tbl_reminder"), 3);
}

TEST_F(MainWindowTest, DoubleClickShowsTheRowDetails) {
    addReminder(me, other, "开会\n带材料", 60);
    addReminder(other, me, "交报告", 60);
    loginAs("me", "pw");
    window.showPendingDetails(); // nothing selected: nothing shown
    EXPECT_EQ(boxes.count(), 0);
    window.pendingList->selectRow(0);
    window.showPendingDetails();
    EXPECT_EQ(boxes.last().text, QStringLiteral("【发布人】同事\r\r【内容】\r\r\n开会\n带材料"));
    EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::None);
    window.publishedList->selectRow(0);
    window.showPublishedDetails();
    EXPECT_EQ(boxes.last().text, QStringLiteral("【提醒人】同事\r\r【内容】\r\r\n交报告"));
}

TEST_F(MainWindowTest, PermissionsFollowTheStringAndTheAdministratorFlag) {
    auto enabled = [&] {
        QString mask;
        for (QObject* control : window.gatedControls())
            mask += MainWindow::isControlEnabled(control) ? '1' : '0';
        return mask;
    };
    window.applyPermissions(me); // no row
    EXPECT_EQ(enabled(), QStringLiteral("000000000"));
    store.setPermission(me, "11");
    window.applyPermissions(me);
    EXPECT_EQ(enabled(), QStringLiteral("110000000"));
    EXPECT_TRUE(window.passwordAction->isEnabled());
    EXPECT_TRUE(window.hideButton->isEnabled());
    EXPECT_TRUE(window.exitButton->isEnabled());
    store.setPermission(1, "000000000");
    window.applyPermissions(1);
    EXPECT_EQ(enabled(), QStringLiteral("111111111"));
}

TEST_F(MainWindowTest, ExitAsksFirst) {
    boxes.answerNext(false);
    window.confirmExit();
    EXPECT_EQ(boxes.last().text, QStringLiteral("确定要退出系统吗？"));
    EXPECT_EQ(quitRequests, 0);
    window.confirmExit();
    EXPECT_EQ(quitRequests, 1);
}

TEST_F(MainWindowTest, ShowingReturnsToTheFirstPageAndTheClockReadsTheLocalesWeekday) {
    clock.set(QDateTime(QDate(2024, 2, 10), QTime(8, 5, 9)));
    window.pages->setCurrentIndex(3);
    window.onShown();
    EXPECT_EQ(window.pages->currentIndex(), 0);
    const QString weekday = QLocale::system().dayName(6, QLocale::LongFormat);
    EXPECT_EQ(window.clockLabel->text(),
              QStringLiteral("2024年02月10日 ") + weekday + QStringLiteral(" 08:05:09 "));
}

} // namespace
