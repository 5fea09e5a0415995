// One reminder's road between two copies of the program on one store file: published in
// one, popped up with its sound in the other, acknowledged or postponed there.
#include "PopupFixture.h"
#include "schedule/RecordingSoundPlayer.h"
#include "schedule/ReminderPolling.h"
#include "schedule/TimingRules.h"
#include "store/Query.h"
#include "store/Statements.h"
#include "support/Controls.h"

namespace {

class RoadTest : public PopupFixture {
protected:
    // Publishes an ordinary reminder "now" as the add-reminder dialog does.
    void publish(Session& publisher, int recipient, const QString& detail, const QString& number,
                 const QString& unit) {
        Query insert(publisher.connectionName);
        insert.setStatement(Statements::kInsertReminder);
        insert.bindText("p1", QString::number(recipient));
        insert.bindText("p2", detail);
        insert.bindSmallInt("p3", 0);
        insert.bindText("p4", TimingRules::nowText());
        insert.bindText("p5", number);
        insert.bindText("p6", unit);
        insert.bindText("p7", TimingRules::nowText());
        insert.bindInteger("p8", publisher.currentUserKey);
        insert.bindText("p9", "0");
        insert.bindText("p10", "0");
        insert.bindLargeInt("p11", *TimingRules::entryTotalTime(number.toInt(), unit));
        insert.execute();
    }
    // The publisher's own view: its published list, pending rows only.
    static QStringList published(Session& publisher) {
        Query list(publisher.connectionName);
        list.setStatement(Statements::kPublishedList);
        list.bindInteger("p", publisher.currentUserKey);
        list.open();
        QStringList details;
        for (; !list.atEnd(); list.next())
            details << list.fieldAsString("ReDetail");
        return details;
    }
    static ReminderPopup* popupOf(const ReminderPolling& polling) {
        return static_cast<ReminderPopup*>(polling.openPopup(ReminderKind::Ordinary));
    }
};

TEST_F(RoadTest, PublishedInOneCopyPoppedUpAndAcknowledgedInTheOther) {
    // Copy A: the colleague "同事" publishes. Copy B: "我自己" is reminded.
    Session& a = store.session();
    a.currentUserKey = other;
    a.currentUserName = "同事";
    Session b = store.openSecondSession("copy-b");
    b.currentUserKey = me;
    b.currentUserName = "我自己";

    RecordingSoundPlayer soundA;
    RecordingSoundPlayer soundB;
    int reloadsB = 0;
    ReminderPolling pollingA(
        a, [] {}, soundA, Popups::standardFactory());
    ReminderPolling pollingB(
        b, [&] { ++reloadsB; }, soundB, Popups::standardFactory());

    publish(a, me, "下午三点开会", "5", "分");
    EXPECT_EQ(published(a), QStringList({"下午三点开会"}));

    clock.advanceMs(3000);
    pollingA.poll(ReminderKind::Ordinary);
    pollingB.poll(ReminderKind::Ordinary);
    EXPECT_FALSE(pollingA.repeatTimer(ReminderKind::Ordinary)->isEnabled())
        << "the publisher is not reminded";
    ASSERT_TRUE(pollingB.repeatTimer(ReminderKind::Ordinary)->isEnabled());
    EXPECT_EQ(pollingB.repeatTimer(ReminderKind::Ordinary)->period(), 300000);

    clock.advanceMs(300000);
    EXPECT_TRUE(pollingB.repeatTimer(ReminderKind::Ordinary)->checkElapsed());
    EXPECT_FALSE(pollingA.repeatTimer(ReminderKind::Ordinary)->checkElapsed());
    ReminderPopup* popup = popupOf(pollingB);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->windowTitle(), "定时提醒");
    EXPECT_EQ(soundB.played, QStringList({"reminder.wav"}));
    EXPECT_TRUE(soundA.played.isEmpty());
    ASSERT_EQ(listOf(popup)->count(), 1);
    EXPECT_EQ(listOf(popup)->text(0, ReportList::Column::Content), "下午三点开会");
    EXPECT_EQ(listOf(popup)->text(0, ReportList::Column::Person), "同事");

    // Five minutes later it comes back: the open popup is raised, silently.
    clock.advanceMs(300000);
    EXPECT_TRUE(pollingB.repeatTimer(ReminderKind::Ordinary)->checkElapsed());
    EXPECT_EQ(popupOf(pollingB), popup);
    EXPECT_EQ(soundB.played.size(), 1);

    listOf(popup)->setChecked(0, true);
    control<QPushButton>(popup, "acknowledgeButton")->click();
    EXPECT_EQ(boxes.last().text, "该动作后该消息将不再提醒，确定吗?");
    EXPECT_EQ(reloadsB, 1);
    EXPECT_EQ(popupOf(pollingB), nullptr);

    // A sees the row handled: it has left the published list of pending rows.
    EXPECT_TRUE(published(a).isEmpty());
    EXPECT_EQ(store.scalar("SELECT IfDone FROM tbl_reminder").toInt(), 1);

    clock.advanceMs(4000);
    pollingB.poll(ReminderKind::Ordinary);
    EXPECT_FALSE(pollingB.repeatTimer(ReminderKind::Ordinary)->isEnabled());
    clock.advanceMs(600000);
    EXPECT_FALSE(pollingB.repeatTimer(ReminderKind::Ordinary)->checkElapsed());
    EXPECT_EQ(soundB.played.size(), 1);
}

TEST_F(RoadTest, PostponedByTenMinutesItComesBackTenMinutesAfterTheNextPoll) {
    Session& a = store.session();
    a.currentUserKey = other;
    Session b = store.openSecondSession("copy-b");
    b.currentUserKey = me;
    RecordingSoundPlayer sound;
    ReminderPolling pollingB(
        b, [] {}, sound, Popups::standardFactory());

    publish(a, me, "交报告", "5", "分");
    pollingB.poll(ReminderKind::Ordinary);
    clock.advanceMs(300000);
    ASSERT_TRUE(pollingB.repeatTimer(ReminderKind::Ordinary)->checkElapsed());
    ReminderPopup* popup = popupOf(pollingB);
    ASSERT_NE(popup, nullptr);

    // Nothing changed in the store: the next tick brings the popup forward and reads nothing.
    listOf(popup)->setChecked(0, true);
    const quint64 statements = Query::statementsRun();
    clock.advanceMs(300000);
    pollingB.repeatTick(ReminderKind::Ordinary);
    EXPECT_EQ(Query::statementsRun(), statements);

    // A second reminder arrives while the popup is open: the next tick shows it too, and the
    // row the user ticked stays ticked.
    publish(a, me, "再一条", "5", "分");
    clock.advanceMs(300000);
    pollingB.repeatTick(ReminderKind::Ordinary);
    ASSERT_EQ(listOf(popup)->count(), 2);
    EXPECT_EQ(listOf(popup)->text(0, ReportList::Column::Content), "交报告");
    EXPECT_TRUE(listOf(popup)->isChecked(0));
    EXPECT_FALSE(listOf(popup)->isChecked(1));
    EXPECT_EQ(sound.played.size(), 1) << "the open popup comes forward silently";

    control<QRadioButton>(popup, "tenMinutesButton")->click(); // "10分钟"
    control<QPushButton>(popup, "exitButton")->click();
    EXPECT_EQ(popupOf(pollingB), nullptr);
    const auto stored =
        store.rows("SELECT ReIntervalNumber, ReIntervalType, TotalTime FROM tbl_reminder "
                   "WHERE ReDetail='交报告'");
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0][0].toInt(), 10);
    EXPECT_EQ(stored[0][1].toString(), "分");
    EXPECT_EQ(stored[0][2].toInt(), 600);

    // Postponed (seconds scale) it now heads the order and sets a ten-minute period.
    clock.advanceMs(4000);
    pollingB.poll(ReminderKind::Ordinary);
    EXPECT_EQ(pollingB.repeatTimer(ReminderKind::Ordinary)->period(), 600000);
    clock.advanceMs(599999);
    EXPECT_FALSE(pollingB.repeatTimer(ReminderKind::Ordinary)->checkElapsed());
    clock.advanceMs(1);
    EXPECT_TRUE(pollingB.repeatTimer(ReminderKind::Ordinary)->checkElapsed());
    ASSERT_NE(popupOf(pollingB), nullptr);
    EXPECT_EQ(listOf(popupOf(pollingB))->count(), 2);
    EXPECT_EQ(sound.played, QStringList({"reminder.wav", "reminder.wav"}));
}

} // namespace
