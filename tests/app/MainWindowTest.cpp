// The main window's lists, deletes, details, login hand-over and permissions.
#include "MainWindowFixture.h"
#include "store/NewStore.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

using MainWindowTest = MainWindowFixture;

TEST_F(MainWindowTest, BeforeLoginTheListsAreEmptyAndEveryControlEnabled) {
    EXPECT_EQ(window.ListView1->count(), 0);
    EXPECT_FALSE(window.Label2->isVisibleTo(&window));
    EXPECT_FALSE(window.Label3->isVisibleTo(&window));
    for (QObject* control : window.GatedControls())
        EXPECT_TRUE(TFrmMainT::ControlEnabled(control)) << control->objectName().toStdString();
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
    window.FormActivate();
    window.FormActivate();
    window.FormActivate();
    EXPECT_EQ(logins, 1);
    EXPECT_EQ(window.Label2->text(), QStringLiteral("欢迎你：我自己"));
    EXPECT_TRUE(window.Label2->isVisibleTo(&window));
    EXPECT_TRUE(window.Label3->isVisibleTo(&window));
    EXPECT_TRUE(window.Timer_showtime->isActive());
}

TEST_F(MainWindowTest, AReminderToOneselfShowsInThePendingAndThePublishedList) {
    addReminder(me, me, "给自己", 18000, 0, "2010-11-12 09:00:00");
    addReminder(me, other, "同事发来", 3600);
    addReminder(other, me, "发给同事", 60, 0, "2010-11-12 08:00:00");
    loginAs("me", "pw");
    EXPECT_EQ(column(window.ListView1, 1), QStringList({"同事发来", "给自己"}));
    EXPECT_EQ(column(window.ListView1, 2), QStringList({"同事", "我自己"}));
    EXPECT_EQ(column(window.ListView3, 1), QStringList({"给自己", "发给同事"}));
    EXPECT_EQ(column(window.ListView3, 2), QStringList({"我自己", "同事"}));
    EXPECT_EQ(column(window.ListView3, 3), QStringList({"我自己", "我自己"}));
    EXPECT_EQ(window.ListView2->count(), 0);
    EXPECT_EQ(window.ListView1->text(0, 3), QStringLiteral("2010-11-12 08:51:37"));
    EXPECT_EQ(window.ListView1->caption(0).toInt(), 2);
}

TEST_F(MainWindowTest, PendingListIsOrderedBySortKeyWithPostponedRowsAhead) {
    addReminder(me, other, "五分钟录入", 18000); // "5" "分" entered
    addReminder(me, other, "一分钟录入", 3600);  // "1" "分" entered
    addReminder(me, other, "推迟十分钟", 600);   // postponed "10分钟"
    addReminder(me, other, "已处理", 1, 1);
    loginAs("me", "pw");
    EXPECT_EQ(column(window.ListView1, 1), QStringList({"推迟十分钟", "一分钟录入", "五分钟录入"}));
    EXPECT_EQ(column(window.ListView2, 1), QStringList({"已处理"}));
}

TEST_F(MainWindowTest, ADeletedPublisherLeavesAnEmptyPublisherCell) {
    const int gone = store.addUser("gone", "离职者");
    addReminder(me, gone, "旧提醒", 60);
    store.execute("DELETE FROM tbl_user WHERE KeyID=?", {gone});
    loginAs("me", "pw");
    ASSERT_EQ(window.ListView1->count(), 1);
    EXPECT_EQ(window.ListView1->subItem(0, 1), QString());
}

TEST_F(MainWindowTest, DeleteActsOnThePublishedSelectionWhateverPageShows) {
    addReminder(other, me, "第一条", 60, 0, "2010-11-12 08:00:00");
    const int second = addReminder(other, me, "第二条", 60, 0, "2010-11-12 09:00:00");
    addReminder(me, other, "待处理", 60);
    loginAs("me", "pw");
    window.PageControl1->setCurrentIndex(0);
    window.ListView1->selectRow(0);

    window.ToolButton4Click();
    EXPECT_EQ(boxes.last().text, QStringLiteral("请在已发布提醒信息处选择一条记录进行操作！"));
    EXPECT_EQ(store.count("tbl_reminder"), 3);

    window.ListView3->selectRow(0); // newest first: the second reminder
    ASSERT_EQ(window.ListView3->caption(0).toInt(), second);
    boxes.answerNext(false);
    window.ToolButton4Click();
    EXPECT_EQ(store.count("tbl_reminder"), 3);

    boxes.clear();
    window.ToolButton4Click();
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.all()[0].text, QStringLiteral("确定要删除已发布提醒信息选定记录吗？"));
    EXPECT_EQ(boxes.all()[1].text, QStringLiteral("删除成功！"));
    EXPECT_EQ(store.scalar("SELECT COUNT(*) FROM tbl_reminder WHERE KeyID=?", {second}).toInt(), 0);
    EXPECT_EQ(column(window.ListView3, 1), QStringList({"第一条"}));
}

TEST_F(MainWindowTest, AFailingDeleteSaysSoAndKeepsTheList) {
    addReminder(other, me, "第一条", 60);
    loginAs("me", "pw");
    window.ListView3->selectRow(0);
    store.execute("CREATE TRIGGER refuse BEFORE DELETE ON tbl_reminder BEGIN SELECT RAISE(ABORT, "
                  "'locked'); END");
    boxes.clear();
    window.ToolButton4Click();
    EXPECT_EQ(boxes.last().text, QStringLiteral("删除失败，请稍后重试！"));
    EXPECT_EQ(window.ListView3->count(), 1);
}

TEST_F(MainWindowTest, DeletingTwoTickedHistoryRowsOfFiveDeletesExactlyThose) {
    std::vector<int> keys;
    for (int i = 0; i < 5; ++i)
        keys.push_back(addReminder(me, other, QStringLiteral("历史%1").arg(i), 60, 1));
    loginAs("me", "pw");
    ASSERT_EQ(window.ListView2->count(), 5);

    window.SpeedButton3Click();
    EXPECT_EQ(boxes.last().text, QStringLiteral("请选择记录！"));

    window.SpeedButton1Click();
    EXPECT_EQ(window.ListView2->checkedCount(), 5);
    window.SpeedButton2Click();
    EXPECT_EQ(window.ListView2->checkedCount(), 0);
    window.ListView2->setChecked(1, true);
    window.ListView2->setChecked(3, true);
    boxes.clear();
    window.SpeedButton3Click();
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.all()[0].text, QStringLiteral("确定要删除所选定的历史提醒记录吗？"));
    EXPECT_EQ(boxes.all()[1].text, QStringLiteral("删除历史提醒记录完毕！"));
    EXPECT_EQ(column(window.ListView2, 1), QStringList({"历史0", "历史2", "历史4"}));
    EXPECT_EQ(store.count("tbl_reminder"), 3);
}

TEST_F(MainWindowTest, DoubleClickShowsTheRowDetails) {
    addReminder(me, other, "开会\n带材料", 60);
    addReminder(other, me, "交报告", 60);
    loginAs("me", "pw");
    window.ListView1DblClick(); // nothing selected: nothing shown
    EXPECT_EQ(boxes.count(), 0);
    window.ListView1->selectRow(0);
    window.ListView1DblClick();
    EXPECT_EQ(boxes.last().text, QStringLiteral("【发布人】同事\r\r【内容】\r\r\n开会\n带材料"));
    EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::None);
    window.ListView3->selectRow(0);
    window.ListView3DblClick();
    EXPECT_EQ(boxes.last().text, QStringLiteral("【提醒人】同事\r\r【内容】\r\r\n交报告"));
}

TEST_F(MainWindowTest, PermissionsFollowTheStringAndTheAdministratorFlag) {
    auto enabled = [&] {
        QString mask;
        for (QObject* control : window.GatedControls())
            mask += TFrmMainT::ControlEnabled(control) ? '1' : '0';
        return mask;
    };
    window.applyPermissions(me); // no row
    EXPECT_EQ(enabled(), QStringLiteral("000000000"));
    store.setPermission(me, "11");
    window.applyPermissions(me);
    EXPECT_EQ(enabled(), QStringLiteral("110000000"));
    EXPECT_TRUE(window.N9->isEnabled());
    EXPECT_TRUE(window.ToolButton8->isEnabled());
    EXPECT_TRUE(window.ToolButton1->isEnabled());
    store.setPermission(1, "000000000");
    window.applyPermissions(1);
    EXPECT_EQ(enabled(), QStringLiteral("111111111"));
}

TEST_F(MainWindowTest, ExitAsksFirst) {
    boxes.answerNext(false);
    window.ToolButton1Click();
    EXPECT_EQ(boxes.last().text, QStringLiteral("确定要退出系统吗？"));
    EXPECT_EQ(quitRequests, 0);
    window.ToolButton1Click();
    EXPECT_EQ(quitRequests, 1);
}

TEST_F(MainWindowTest, ShowingReturnsToTheFirstPageAndTheClockReadsTheLocalesWeekday) {
    clock.set(QDateTime(QDate(2024, 2, 10), QTime(8, 5, 9)));
    window.PageControl1->setCurrentIndex(3);
    window.FormShow();
    EXPECT_EQ(window.PageControl1->currentIndex(), 0);
    const QString weekday = QLocale::system().dayName(6, QLocale::LongFormat);
    EXPECT_EQ(window.Label3->text(),
              QStringLiteral("2024年02月10日 ") + weekday + QStringLiteral(" 08:05:09 "));
}

} // namespace
