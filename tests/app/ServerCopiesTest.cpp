// Copies of the program on one PostgreSQL server: a reminder travels from one copy to
// another, and the server goes away and comes back under a running copy.
#include "MainWindowFixture.h"
#include "entry/AddReminderDialog.h"
#include "popups/ReminderPopup.h"
#include "schedule/RecordingSoundPlayer.h"
#include "support/Controls.h"
#include "support/FakeClock.h"
#include "support/ScriptedBoxes.h"
#include "support/TempStore.h"
#include "users/LoginDialog.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QTimerEvent>
#include <functional>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>

namespace {

class ServerCopiesTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!TempStore::serverConfigured())
            GTEST_SKIP() << "needs the PostgreSQL test server: ctest -L postgres";
        store = std::make_unique<TempStore>(Connection::kDefaultName, Engine::Postgres);
        me = store->addUser("me", "我自己", "pw");
        colleague = store->addUser("li", "李娜", "pw");
        // Both may add reminders: "添加提醒" is the third right.
        store->setPermission(me, "001000000");
        store->setPermission(colleague, "001000000");
        auto sound = std::make_unique<RecordingSoundPlayer>();
        heard = sound.get();
        window = std::make_unique<MainWindow>(store->session(), nullptr, std::move(sound));
    }
    void TearDown() override {
        colleagueWindow.reset();
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void loginAs(MainWindow& into, const QString& name) { logInThrough(into, name, "pw"); }
    // "添加提醒" in a window, to one recipient, starting now, every five minutes.
    static void publish(MainWindow& from, const QString& recipient, const QString& content,
                        const std::function<void()>& beforeSave = {}) {
        ScriptedModal modal([&](QDialog& dialog) {
            auto& add = dynamic_cast<AddReminderDialog&>(dialog);
            add.show();
            auto* recipients = control<ReportList>(&add, "recipientList");
            for (int row = 0; row < recipients->count(); ++row)
                recipients->setChecked(row, recipients->text(row, ReportList::Column::Name) ==
                                                recipient);
            control<QPlainTextEdit>(&add, "contentEdit")->setPlainText(content);
            if (beforeSave)
                beforeSave();
            control<QPushButton>(&add, "saveButton")->click();
            return int(QDialog::Rejected);
        });
        from.findChild<QAbstractButton*>("addReminderButton")->click();
    }
    // Every timer of the background work fires once, as the event loop delivers it.
    void fireBackgroundTimers() {
        deliverTimeout(control<QTimer>(window.get(), "listRefreshTimer"));
        for (ReminderKind kind : kAllReminderKinds)
            deliverTimeout(pollingOf(*window).pollTimer(kind));
    }

    FakeClock clock{QDateTime(QDate(2026, 12, 9), QTime(9, 0))};
    ScriptedBoxes boxes;
    std::unique_ptr<TempStore> store;
    int me = 0;
    int colleague = 0;
    RecordingSoundPlayer* heard = nullptr;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<MainWindow> colleagueWindow;
};

TEST_F(ServerCopiesTest, AReminderPublishedInOneCopyIsRemindedAndAcknowledgedInAnother) {
    Session colleagueSession = store->openSecondSession("colleague-copy");
    colleagueWindow = std::make_unique<MainWindow>(colleagueSession, nullptr,
                                                   std::make_unique<RecordingSoundPlayer>());
    loginAs(*colleagueWindow, "li");
    loginAs(*window, "me");
    ASSERT_EQ(control<ReportList>(window.get(), "pendingList")->count(), 0);

    publish(*colleagueWindow, "我自己", "下午三点开会");
    ASSERT_EQ(control<ReportList>(colleagueWindow.get(), "publishedList")->count(), 1);

    // My copy finds the row by itself: the list refresh, then the poll and its timer.
    deliverTimeout(control<QTimer>(window.get(), "listRefreshTimer"));
    ASSERT_EQ(control<ReportList>(window.get(), "pendingList")->count(), 1);
    ReminderPolling& polling = pollingOf(*window);
    polling.poll(ReminderKind::Ordinary);
    ASSERT_TRUE(polling.repeatTimer(ReminderKind::Ordinary)->isRunning());
    EXPECT_EQ(polling.repeatTimer(ReminderKind::Ordinary)->period(), 300000);
    clock.advanceMs(300000);
    ASSERT_TRUE(polling.repeatTimer(ReminderKind::Ordinary)->checkElapsed());
    auto* popup = qobject_cast<ReminderPopup*>(polling.openPopup(ReminderKind::Ordinary));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(heard->played, QStringList{"reminder.wav"});
    ASSERT_EQ(control<ReportList>(popup, "reminderList")->count(), 1);
    control<ReportList>(popup, "reminderList")->setChecked(0, true);
    control<QPushButton>(popup, "acknowledgeButton")->click();
    EXPECT_EQ(control<ReportList>(window.get(), "pendingList")->count(), 0);
    ASSERT_EQ(control<ReportList>(window.get(), "historyList")->count(), 1);
    EXPECT_EQ(
        control<ReportList>(window.get(), "historyList")->text(0, ReportList::Column::Content),
        QStringLiteral("下午三点开会"));

    // The publisher's copy sees it handled.
    deliverTimeout(control<QTimer>(colleagueWindow.get(), "listRefreshTimer"));
    EXPECT_EQ(control<ReportList>(colleagueWindow.get(), "publishedList")->count(), 0);
    polling.poll(ReminderKind::Ordinary);
    EXPECT_FALSE(polling.repeatTimer(ReminderKind::Ordinary)->isEnabled());
}

TEST_F(ServerCopiesTest, AServerRestartIsToldOnceAndTheCopyCarriesOnByItself) {
    TempStore::Reminder before;
    before.recipient = me;
    before.publisher = colleague;
    before.detail = "之前写的";
    before.beginTime = "2026-12-09 08:00:00";
    store->addReminder(before);
    loginAs(*window, "me");
    ASSERT_EQ(control<ReportList>(window.get(), "pendingList")->count(), 1);

    // The server goes while the user fills in a reminder: saving it fails, and says so.
    publish(*window, "李娜", "服务器不在时写的", [] { TempStore::controlServer("kill"); });
    ASSERT_FALSE(boxes.texts().isEmpty());
    EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::Error);
    EXPECT_FALSE(boxes.texts().contains(QStringLiteral("成功添加提醒信息！")));

    boxes.clear();
    for (int round = 0; round < 5; ++round)
        fireBackgroundTimers();
    ASSERT_EQ(boxes.count(), 1) << "one fault, one box, however many timers fail";
    EXPECT_TRUE(boxes.lastWasNotice());
    EXPECT_GE(boxes.last().text.split('\n').size(), 2) << "the server's own message follows";
    EXPECT_TRUE(pollingOf(*window).pollTimer(ReminderKind::Ordinary)->isActive());
    EXPECT_TRUE(control<QTimer>(window.get(), "listRefreshTimer")->isActive());
    EXPECT_EQ(control<ReportList>(window.get(), "pendingList")->count(), 1)
        << "a failed read leaves the lists as they were";

    // Background rounds reach the server again on the connection's worker, never waiting for it:
    // a round fails quietly until the connection is there.
    TempStore::controlServer("restart");
    boxes.clear();
    Connection::overrideWaitsForTests({}, {}, std::chrono::milliseconds(0));
    const QString connection = store->session().connectionName;
    for (int round = 0; round < 500 && Connection::changeCounter(connection) == std::nullopt;
         ++round) {
        fireBackgroundTimers();
        QThread::msleep(10);
    }
    Connection::overrideWaitsForTests({}, {});
    fireBackgroundTimers();
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_TRUE(pollingOf(*window).repeatTimer(ReminderKind::Ordinary)->isRunning())
        << "the poll works again without a restart of the program";
    window->reloadLists();
    ASSERT_EQ(control<ReportList>(window.get(), "pendingList")->count(), 1);
    EXPECT_EQ(
        control<ReportList>(window.get(), "pendingList")->text(0, ReportList::Column::Content),
        QStringLiteral("之前写的"));
    EXPECT_EQ(store->count("tbl_reminder"), 1);

    // Working again ends the episode: the next fault is told again.
    TempStore::controlServer("kill");
    fireBackgroundTimers();
    EXPECT_EQ(boxes.count(), 1);
    TempStore::controlServer("restart");
}

} // namespace
