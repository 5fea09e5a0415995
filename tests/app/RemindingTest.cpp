// The main window's polls: a reminder published to the logged-in user pops up with its sound
// and, once acknowledged, moves to the history list.
#include "MainWindowFixture.h"
#include "popups/ReminderPopup.h"

#include <gtest/gtest.h>

namespace {

class HeardSounds final : public SoundPlayer {
public:
    explicit HeardSounds(QStringList& played) : played_(played) {}
    void play(const QString& fileName) override { played_ << fileName; }

private:
    QStringList& played_;
};

TEST(RemindingTest, TheMainWindowsPollsBringUpTheDueReminderUntilItIsAcknowledged) {
    TempStore store;
    FakeClock clock(QDateTime(QDate(2026, 12, 9), QTime(9, 0)));
    ScriptedBoxes boxes;
    QStringList played;
    const int colleague = store.addUser("li", "李娜", "pw");
    MainWindow window(store.session(), nullptr, std::make_unique<HeardSounds>(played));
    ReminderPolling& polling = pollingOf(window);
    EXPECT_TRUE(polling.pollTimer(ReminderKind::Ordinary)->isActive());
    EXPECT_EQ(polling.pollTimer(ReminderKind::Ordinary)->interval(), 4000);
    EXPECT_EQ(polling.pollTimer(ReminderKind::Birthday)->interval(), 25000);
    EXPECT_EQ(polling.pollTimer(ReminderKind::Appointment)->interval(), 7000);
    EXPECT_EQ(polling.pollTimer(ReminderKind::Anniversary)->interval(), 6000);

    TempStore::Reminder r;
    r.recipient = colleague;
    r.publisher = 1;
    r.detail = "下午三点开会";
    r.beginTime = "2026-12-09 09:00:00";
    store.addReminder(r);

    // Before the login nothing is found.
    polling.poll(ReminderKind::Ordinary);
    EXPECT_FALSE(polling.repeatTimer(ReminderKind::Ordinary)->isEnabled());

    logInThrough(window, "li", "pw");
    ASSERT_EQ(control<ReportList>(&window, "pendingList")->count(), 1);

    polling.poll(ReminderKind::Ordinary);
    EXPECT_TRUE(polling.repeatTimer(ReminderKind::Ordinary)->isRunning());
    EXPECT_EQ(polling.repeatTimer(ReminderKind::Ordinary)->period(), 300000);
    clock.advanceMs(300000);
    ASSERT_TRUE(polling.repeatTimer(ReminderKind::Ordinary)->checkElapsed());
    auto* popup = qobject_cast<ReminderPopup*>(polling.openPopup(ReminderKind::Ordinary));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(played, QStringList{"reminder.wav"});
    ASSERT_EQ(control<ReportList>(popup, "reminderList")->count(), 1);

    control<ReportList>(popup, "reminderList")->setChecked(0, true);
    control<QPushButton>(popup, "acknowledgeButton")->click();
    EXPECT_EQ(control<ReportList>(&window, "pendingList")->count(), 0);
    ASSERT_EQ(control<ReportList>(&window, "historyList")->count(), 1);
    EXPECT_EQ(control<ReportList>(&window, "historyList")->text(0, ReportList::Column::Content),
              QStringLiteral("下午三点开会"));

    polling.poll(ReminderKind::Ordinary);
    EXPECT_FALSE(polling.repeatTimer(ReminderKind::Ordinary)->isEnabled());
}

} // namespace
