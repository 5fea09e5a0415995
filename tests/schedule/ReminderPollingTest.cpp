// The four polls and repeat timers: the due rule, the popup slots and the sounds, driven by
// the fake clock and by calling the tick handlers directly.
#include "schedule/ReminderPolling.h"
#include "schedule/RecordingSoundPlayer.h"
#include "store/Connection.h"
#include "store/Query.h"
#include "store/Statements.h"
#include "store/StoreError.h"
#include "support/FakeClock.h"
#include "support/ScriptedBoxes.h"
#include "support/TempStore.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QTimerEvent>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

namespace {

constexpr qint64 kDayMs = 86400000;

// A popup as the polls see it: it counts the reloads of its list and says whether anything
// is left, as the test tells it.
class FakePopup final : public ReminderWindow {
public:
    bool refreshReminders() override {
        ++reloads;
        return anyLeft;
    }
    int reloads = 0;
    bool anyLeft = true;
};

class ReminderPollingTest : public ::testing::Test {
protected:
    void SetUp() override {
        me = store.addUser("me", "我自己");
        other = store.addUser("other", "同事");
        store.session().currentUserKey = me;
        store.session().currentUserName = "我自己";
    }
    void TearDown() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    int addReminder(ReminderKind kind, const QString& begin, QVariant number, const QString& unit,
                    QVariant totalTime, int recipient = 0) {
        TempStore::Reminder r;
        r.recipient = recipient ? recipient : me;
        r.publisher = other;
        r.kind = kindIndex(kind);
        r.beginTime = begin;
        r.intervalNumber = number;
        r.intervalType = unit;
        r.totalTime = totalTime;
        return store.addReminder(r);
    }
    QString nowText() const { return clock.now().toString("yyyy-MM-dd HH:mm:ss"); }
    QString inDays(int days) const {
        return clock.now().addDays(days).toString("yyyy-MM-dd HH:mm:ss");
    }
    void pollAll() {
        polling.poll(ReminderKind::Ordinary);
        polling.poll(ReminderKind::Birthday);
        polling.poll(ReminderKind::Appointment);
        polling.poll(ReminderKind::Anniversary);
    }
    // A poll timer's tick as the event loop delivers it: through the guard of the polls.
    static void tick(QTimer* timer) {
        QTimerEvent event(timer->timerId());
        QCoreApplication::sendEvent(timer, &event);
    }
    // Lets every running repeat timer look at the clock, as its wake-up would.
    void wakeAll() {
        for (ReminderKind kind : kAllReminderKinds)
            polling.repeatTimer(kind)->checkElapsed();
    }

    TempStore store;
    FakeClock clock;
    ScriptedBoxes boxes;
    RecordingSoundPlayer sound;
    int me = 0;
    int other = 0;
    int reloads = 0;
    std::vector<PopupContext> made;
    // The popups made; the ones still in their slots go with the polling object.
    struct Windows {
        std::vector<QPointer<FakePopup>> list;
        FakePopup* operator[](std::size_t i) const { return list[i].data(); }
        ~Windows() {
            for (const QPointer<FakePopup>& window : list)
                delete window.data();
        }
    } windows;
    std::function<void()> failNext;
    bool nothingToShow = false;
    ReminderPolling polling{store.session(), [this] { ++reloads; }, sound,
                            [this](const PopupContext& context) -> ReminderWindow* {
                                if (failNext) {
                                    std::exchange(failNext, nullptr)();
                                }
                                if (nothingToShow)
                                    return nullptr;
                                made.push_back(context);
                                windows.list.push_back(new FakePopup);
                                return windows.list.back().data();
                            }};
};

TEST(ReminderPollingSetup, CreatingItStartsTheFourPollsAndRunsNoStatement) {
    Session nowhere;
    nowhere.connectionName = "no-such-connection";
    RecordingSoundPlayer sound;
    int factoryCalls = 0;
    ReminderPolling polling(
        nowhere, [] {}, sound,
        [&](const PopupContext&) -> ReminderWindow* {
            ++factoryCalls;
            return nullptr;
        });
    const struct {
        QTimer* poll;
        const char* pollName;
        int pollMs;
        RepeatTimer* repeat;
        const char* repeatName;
        qint64 repeatMs;
    } expected[] = {
        {polling.pollTimer(ReminderKind::Ordinary), "ordinaryPollTimer", 4000,
         polling.repeatTimer(ReminderKind::Ordinary), "ordinaryRepeatTimer", 5000},
        {polling.pollTimer(ReminderKind::Birthday), "birthdayPollTimer", 25000,
         polling.repeatTimer(ReminderKind::Birthday), "birthdayRepeatTimer", 8000},
        {polling.pollTimer(ReminderKind::Appointment), "appointmentPollTimer", 7000,
         polling.repeatTimer(ReminderKind::Appointment), "appointmentRepeatTimer", 5000},
        {polling.pollTimer(ReminderKind::Anniversary), "anniversaryPollTimer", 6000,
         polling.repeatTimer(ReminderKind::Anniversary), "anniversaryRepeatTimer", 5000},
    };
    for (const auto& e : expected) {
        EXPECT_TRUE(e.poll->isActive()) << e.pollName;
        EXPECT_EQ(e.poll->interval(), e.pollMs) << e.pollName;
        EXPECT_EQ(e.poll->objectName(), e.pollName);
        EXPECT_FALSE(e.repeat->isEnabled()) << e.repeatName;
        EXPECT_EQ(e.repeat->period(), e.repeatMs) << e.repeatName;
        EXPECT_EQ(e.repeat->objectName(), e.repeatName);
    }
    EXPECT_EQ(QString::fromLatin1(describe(ReminderKind::Ordinary).poll.sound), "reminder.wav");
    EXPECT_EQ(QString::fromLatin1(describe(ReminderKind::Birthday).poll.sound), "reminder.wav");
    EXPECT_EQ(QString::fromLatin1(describe(ReminderKind::Appointment).poll.sound), "SOUND560.WAV");
    EXPECT_EQ(QString::fromLatin1(describe(ReminderKind::Anniversary).poll.sound), "Trumpet1.wav");
    // The store is only reached when a poll runs.
    EXPECT_THROW(polling.poll(ReminderKind::Ordinary), StoreError);
    EXPECT_EQ(factoryCalls, 0);
    // Ticks while the program is still choosing or opening its store (its first-start dialog
    // or a start-up box is up) wait for it without a word.
    ScriptedBoxes boxes;
    for (const auto& e : expected) {
        QTimerEvent tick(e.poll->timerId());
        QCoreApplication::sendEvent(e.poll, &tick);
    }
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(ReminderPollingTest, BeforeLoginNoPopupComesWhateverTheStoreHolds) {
    for (ReminderKind kind : kAllReminderKinds) {
        addReminder(kind, "2000-01-01 00:00:00", 1, "秒", 60, me);
        addReminder(kind, "2000-01-01 00:00:00", 1, "秒", 60, other);
    }
    store.session().currentUserKey = 0;
    for (int minute = 0; minute < 10; ++minute) {
        pollAll();
        clock.advanceMs(60000);
        wakeAll();
    }
    for (ReminderKind kind : kAllReminderKinds)
        EXPECT_FALSE(polling.repeatTimer(kind)->isEnabled());
    EXPECT_TRUE(made.empty());
    EXPECT_TRUE(sound.played.isEmpty());
}

TEST_F(ReminderPollingTest,
       FiveMinutesEnteredNowPopsUpFiveMinutesAfterTheFirstPollAndThenEveryFive) {
    addReminder(ReminderKind::Ordinary, nowText(), "5", "分", 18000);
    clock.advanceMs(1500); // the poll runs a moment after the entry
    polling.poll(ReminderKind::Ordinary);
    ASSERT_TRUE(polling.repeatTimer(ReminderKind::Ordinary)->isEnabled());
    EXPECT_EQ(polling.repeatTimer(ReminderKind::Ordinary)->period(), 300000);
    const QDateTime firstPoll = clock.now();
    EXPECT_EQ(polling.repeatTimer(ReminderKind::Ordinary)->countStart(), firstPoll);

    // Later polls find the same period and leave the count alone.
    for (int i = 0; i < 74; ++i) {
        clock.advanceMs(4000);
        polling.poll(ReminderKind::Ordinary);
        wakeAll();
    }
    EXPECT_EQ(polling.repeatTimer(ReminderKind::Ordinary)->countStart(), firstPoll);
    EXPECT_TRUE(made.empty());

    clock.set(firstPoll.addMSecs(299999));
    wakeAll();
    EXPECT_TRUE(made.empty());
    clock.set(firstPoll.addMSecs(300000));
    wakeAll();
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0].kind, ReminderKind::Ordinary);
    EXPECT_EQ(&made[0].session, &store.session());
    EXPECT_EQ(sound.played, QStringList({"reminder.wav"}));
    EXPECT_EQ(polling.openPopup(ReminderKind::Ordinary), windows[0]);
    EXPECT_TRUE(windows[0]->isVisible());
    EXPECT_FALSE(windows[0]->isModal());

    // The popup's reload reaches the owner's.
    made[0].reloadLists();
    EXPECT_EQ(reloads, 1);

    // The next period with the popup still open reloads its list and raises it, silently.
    windows[0]->hide();
    clock.advanceMs(300000);
    wakeAll();
    EXPECT_EQ(made.size(), 1u);
    EXPECT_EQ(sound.played.size(), 1);
    EXPECT_TRUE(windows[0]->isVisible());
    EXPECT_EQ(windows[0]->reloads, 1);

    // Closed, the next period brings a new popup with its sound.
    made[0].closed();
    EXPECT_EQ(polling.openPopup(ReminderKind::Ordinary), nullptr);
    clock.advanceMs(300000);
    wakeAll();
    EXPECT_EQ(made.size(), 2u);
    EXPECT_EQ(sound.played, QStringList({"reminder.wav", "reminder.wav"}));
    EXPECT_EQ(polling.openPopup(ReminderKind::Ordinary), windows[1]);

    // A late close of the old popup leaves the new one in its slot.
    made[0].closed();
    EXPECT_EQ(polling.openPopup(ReminderKind::Ordinary), windows[1]);
}

TEST_F(ReminderPollingTest, AHeadNotYetDueLeavesTheTimerAsItWas) {
    const int key = addReminder(ReminderKind::Ordinary, nowText(), 5, "分", 18000);
    polling.poll(ReminderKind::Ordinary);
    ASSERT_TRUE(polling.repeatTimer(ReminderKind::Ordinary)->isEnabled());
    const QDateTime begun = polling.repeatTimer(ReminderKind::Ordinary)->countStart();

    // Postponed into tomorrow with a short interval: it heads the order but is not due.
    store.execute("UPDATE tbl_reminder SET ReBeginTime=?, ReIntervalNumber=1, ReIntervalType='秒', "
                  "TotalTime=1 WHERE KeyID=?",
                  {inDays(1), key});
    clock.advanceMs(4000);
    polling.poll(ReminderKind::Ordinary);
    EXPECT_TRUE(polling.repeatTimer(ReminderKind::Ordinary)->isEnabled());
    EXPECT_EQ(polling.repeatTimer(ReminderKind::Ordinary)->period(), 300000);
    EXPECT_EQ(polling.repeatTimer(ReminderKind::Ordinary)->countStart(), begun);
    clock.set(begun.addMSecs(300000));
    wakeAll();
    EXPECT_EQ(made.size(), 1u) << "the old period keeps bringing the popup";

    // A stopped timer stays stopped for a head that is not due, even when a later row is.
    addReminder(ReminderKind::Birthday, inDays(2), 1, "分", 100);
    addReminder(ReminderKind::Birthday, "2000-01-01 00:00:00", 1, "秒", 200);
    polling.poll(ReminderKind::Birthday);
    EXPECT_FALSE(polling.repeatTimer(ReminderKind::Birthday)->isEnabled());
}

TEST_F(ReminderPollingTest, TheLastPendingReminderAcknowledgedStopsTheTimerAtTheNextPoll) {
    const int key = addReminder(ReminderKind::Appointment, nowText(), 1, "分", 3600);
    polling.poll(ReminderKind::Appointment);
    ASSERT_TRUE(polling.repeatTimer(ReminderKind::Appointment)->isEnabled());
    store.execute("UPDATE tbl_reminder SET IfDone=1 WHERE KeyID=?", {key});

    // A tick before the next poll still brings the popup.
    clock.advanceMs(60000);
    wakeAll();
    EXPECT_EQ(made.size(), 1u);

    polling.poll(ReminderKind::Appointment);
    EXPECT_FALSE(polling.repeatTimer(ReminderKind::Appointment)->isEnabled());
    made[0].closed();
    clock.advanceMs(10 * 60000);
    wakeAll();
    EXPECT_EQ(made.size(), 1u);
}

TEST_F(ReminderPollingTest, TwoKindsDueAtOnceGiveTwoPopupsAndTwoSoundsInTurn) {
    addReminder(ReminderKind::Birthday, nowText(), 8, "秒", 480);
    addReminder(ReminderKind::Appointment, nowText(), 8, "秒", 480);
    polling.poll(ReminderKind::Birthday);
    polling.poll(ReminderKind::Appointment);
    clock.advanceMs(8000);
    wakeAll();
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(made[0].kind, ReminderKind::Birthday);
    EXPECT_EQ(made[1].kind, ReminderKind::Appointment);
    EXPECT_EQ(sound.played, QStringList({"reminder.wav", "SOUND560.WAV"}));
    EXPECT_NE(polling.openPopup(ReminderKind::Birthday),
              polling.openPopup(ReminderKind::Appointment));

    addReminder(ReminderKind::Anniversary, nowText(), 8, "秒", 480);
    polling.poll(ReminderKind::Anniversary);
    clock.advanceMs(8000);
    wakeAll();
    EXPECT_EQ(made.size(), 3u) << "the open popups are only raised";
    EXPECT_EQ(sound.played, QStringList({"reminder.wav", "SOUND560.WAV", "Trumpet1.wav"}));
}

TEST_F(ReminderPollingTest, AnIntervalOfZeroNeverBringsThePopup) {
    addReminder(ReminderKind::Ordinary, nowText(), 0, "分", 0);
    polling.poll(ReminderKind::Ordinary);
    EXPECT_TRUE(polling.repeatTimer(ReminderKind::Ordinary)->isEnabled());
    EXPECT_EQ(polling.repeatTimer(ReminderKind::Ordinary)->period(), 0);
    for (int i = 0; i < 200; ++i) {
        clock.advanceMs(i < 100 ? 1 : 3600000);
        polling.poll(ReminderKind::Ordinary);
        wakeAll();
    }
    EXPECT_TRUE(made.empty());
    EXPECT_TRUE(sound.played.isEmpty());
}

TEST_F(ReminderPollingTest, AFiveHundredDayIntervalComesAfterFiveHundredDaysAndNotBefore) {
    addReminder(ReminderKind::Ordinary, nowText(), 500, "天", 500LL * 5184000);
    polling.poll(ReminderKind::Ordinary);
    EXPECT_EQ(polling.repeatTimer(ReminderKind::Ordinary)->period(), 500 * kDayMs);
    const QDateTime begun = clock.now();
    for (int day = 1; day < 500; day += 7) {
        clock.set(begun.addDays(day));
        polling.poll(ReminderKind::Ordinary);
        wakeAll();
    }
    clock.set(begun.addMSecs(500 * kDayMs - 1));
    wakeAll();
    EXPECT_TRUE(made.empty());
    clock.set(begun.addMSecs(500 * kDayMs));
    wakeAll();
    EXPECT_EQ(made.size(), 1u);
    EXPECT_EQ(sound.played, QStringList({"reminder.wav"}));
}

TEST_F(ReminderPollingTest, APopupThatCannotBeMadeIsTriedAgainAtTheNextTickWithoutAMessage) {
    addReminder(ReminderKind::Ordinary, nowText(), 5, "秒", 300);
    polling.poll(ReminderKind::Ordinary);
    failNext = [] { throw StoreError(StoreError::Kind::Busy, {}, "database is locked"); };
    polling.repeatTick(ReminderKind::Ordinary);
    EXPECT_EQ(polling.openPopup(ReminderKind::Ordinary), nullptr);
    EXPECT_TRUE(sound.played.isEmpty());
    EXPECT_EQ(boxes.count(), 0);

    polling.repeatTick(ReminderKind::Ordinary);
    EXPECT_NE(polling.openPopup(ReminderKind::Ordinary), nullptr);
    EXPECT_EQ(sound.played, QStringList({"reminder.wav"}));
}

TEST_F(ReminderPollingTest, AFaultIsToldOncePerEpisodeAndTheBoxBlocksNothing) {
    store.execute("ALTER TABLE tbl_reminder RENAME TO tbl_gone");
    for (int round = 0; round < 5; ++round)
        for (ReminderKind kind : kAllReminderKinds)
            tick(polling.pollTimer(kind));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.lastWasNotice()) << "a fault nobody asked about must not block the program";
    EXPECT_EQ(boxes.last().icon, MessageBoxes::Icon::Error);
    const QStringList lines = boxes.last().text.split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].contains("tbl_reminder")) << lines[1].toStdString();

    // The store working again ends the episode; the next fault is told again.
    store.execute("ALTER TABLE tbl_gone RENAME TO tbl_reminder");
    addReminder(ReminderKind::Ordinary, nowText(), 5, "秒", 300);
    tick(polling.pollTimer(ReminderKind::Ordinary));
    EXPECT_TRUE(polling.repeatTimer(ReminderKind::Ordinary)->isEnabled())
        << "the poll timer drives the poll";
    store.execute("ALTER TABLE tbl_reminder RENAME TO tbl_gone");
    tick(polling.pollTimer(ReminderKind::Appointment));
    tick(polling.pollTimer(ReminderKind::Appointment));
    EXPECT_EQ(boxes.count(), 2);
}

TEST_F(ReminderPollingTest, TiedHeadRowsOfDifferentPeriodsStillBringThePopup) {
    // "1" "分" entered and a row postponed by "60分钟" both store 3600: they tie at the head.
    addReminder(ReminderKind::Ordinary, nowText(), 1, "分", 3600);
    addReminder(ReminderKind::Ordinary, nowText(), 60, "分", 3600);
    polling.poll(ReminderKind::Ordinary);
    ASSERT_TRUE(polling.repeatTimer(ReminderKind::Ordinary)->isEnabled());
    const qint64 period = polling.repeatTimer(ReminderKind::Ordinary)->period();
    EXPECT_TRUE(period == 60000 || period == 3600000) << period;
    const QDateTime begun = polling.repeatTimer(ReminderKind::Ordinary)->countStart();
    for (qint64 ms = 4000; ms <= period; ms += 4000) {
        clock.set(begun.addMSecs(ms));
        polling.poll(ReminderKind::Ordinary);
        wakeAll();
    }
    clock.set(begun.addMSecs(period));
    wakeAll();
    EXPECT_EQ(made.size(), 1u) << "the polls must not restart the count";
}

TEST_F(ReminderPollingTest, AnOpenPopupIsReloadedAndAnEmptyOneNeverShows) {
    addReminder(ReminderKind::Ordinary, nowText(), 5, "秒", 300);
    polling.poll(ReminderKind::Ordinary);
    nothingToShow = true;
    polling.repeatTick(ReminderKind::Ordinary);
    EXPECT_EQ(polling.openPopup(ReminderKind::Ordinary), nullptr);
    EXPECT_TRUE(sound.played.isEmpty()) << "no sound without a popup";

    nothingToShow = false;
    polling.repeatTick(ReminderKind::Ordinary);
    ASSERT_NE(polling.openPopup(ReminderKind::Ordinary), nullptr);
    FakePopup* popup = windows[0];
    polling.repeatTick(ReminderKind::Ordinary);
    EXPECT_EQ(popup->reloads, 1);
    EXPECT_EQ(sound.played.size(), 1);

    // Everything it listed was handled in another copy: the next tick closes it.
    popup->anyLeft = false;
    polling.repeatTick(ReminderKind::Ordinary);
    EXPECT_FALSE(popup->isVisible());
}

TEST_F(ReminderPollingTest, ABusyStoreIsRetriedSilentlyAndToldOnlyAfterAMinute) {
    addReminder(ReminderKind::Ordinary, nowText(), 5, "秒", 300);
    const Session other = store.openSecondSession("other");
    QSqlQuery lock(QSqlDatabase::database(other.connectionName));
    ASSERT_TRUE(lock.exec("BEGIN EXCLUSIVE"));
    int waits = 0;
    Connection::setWaitObserver([&] { ++waits; });
    for (int second = 0; second <= 60; second += 4) {
        tick(polling.pollTimer(ReminderKind::Ordinary));
        clock.advanceSecs(4);
    }
    Connection::setWaitObserver({});
    EXPECT_EQ(waits, 0) << "a poll waited for the lock instead of giving up at once";
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_FALSE(polling.repeatTimer(ReminderKind::Ordinary)->isEnabled());
    clock.advanceSecs(4);
    tick(polling.pollTimer(ReminderKind::Ordinary));
    tick(polling.pollTimer(ReminderKind::Ordinary));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text.split('\n').size(), 2);

    ASSERT_TRUE(lock.exec("COMMIT"));
    tick(polling.pollTimer(ReminderKind::Ordinary));
    EXPECT_TRUE(polling.repeatTimer(ReminderKind::Ordinary)->isEnabled());
}

TEST_F(ReminderPollingTest, AStoreThatWentAwayPausesThePollsUntilOneIsBack) {
    addReminder(ReminderKind::Ordinary, nowText(), 5, "秒", 300);
    const QString path = store.filePath();
    ASSERT_TRUE(QFile::rename(path, path + ".moved"));
    for (int round = 0; round < 3; ++round)
        tick(polling.pollTimer(ReminderKind::Ordinary));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text.split('\n').front(), "找不到数据文件：" + path);
    EXPECT_FALSE(polling.repeatTimer(ReminderKind::Ordinary)->isEnabled());

    ASSERT_TRUE(QFile::rename(path + ".moved", path));
    tick(polling.pollTimer(ReminderKind::Ordinary));
    EXPECT_TRUE(polling.repeatTimer(ReminderKind::Ordinary)->isEnabled())
        << "the store back, the polls go on by themselves";
    EXPECT_EQ(boxes.count(), 1);
}

TEST_F(ReminderPollingTest, APopupComingUpLeavesTheKeyboardWithTheWindowThatHasIt) {
    addReminder(ReminderKind::Ordinary, nowText(), 5, "秒", 300);
    polling.poll(ReminderKind::Ordinary);
    QWidget typing;
    typing.show();
    typing.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&typing));
    polling.repeatTick(ReminderKind::Ordinary);
    ReminderWindow* popup = polling.openPopup(ReminderKind::Ordinary);
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible());
    // The window system is asked to show it without activating it (the offscreen test
    // platform activates every window it shows, whatever it is asked).
    EXPECT_TRUE(popup->testAttribute(Qt::WA_ShowWithoutActivating));

    typing.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&typing));
    for (int tick = 0; tick < 3; ++tick) {
        polling.repeatTick(ReminderKind::Ordinary);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(windows[0]->reloads, 3);
    EXPECT_EQ(QApplication::activeWindow(), &typing) << "a repeat tick took the keyboard";

    // With no window of the program active, the popup takes the focus.
    typing.hide();
    popup->hide();
    QCoreApplication::processEvents();
    polling.repeatTick(ReminderKind::Ordinary);
    EXPECT_FALSE(popup->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(QTest::qWaitForWindowActive(popup));
}

TEST_F(ReminderPollingTest, OpenPopupsCloseWithTheirOwner) {
    Session second = store.openSecondSession("second");
    second.currentUserKey = me;
    QPointer<QWidget> popup;
    {
        ReminderPolling owner(
            second, [] {}, sound, [](const PopupContext&) { return new FakePopup; });
        owner.repeatTick(ReminderKind::Anniversary);
        popup = owner.openPopup(ReminderKind::Anniversary);
        ASSERT_TRUE(popup);
    }
    EXPECT_TRUE(popup.isNull());
}

// One poll of the ordinary kind on either engine, from a stopped repeat timer at its first
// period, 2024-03-08 09:00:00 on the clock.
class PollOutcomeTest : public ::testing::TestWithParam<Engine> {
protected:
    struct Row {
        const char* begin; // nullptr: no start
        QVariant number;
        const char* unit;
        QVariant totalTime; // null: no sort key
    };
    void SetUp() override {
        me = store.addUser("me", "我自己");
        store.session().currentUserKey = me;
    }
    void add(const Row& row) {
        TempStore::Reminder r;
        r.recipient = me;
        r.publisher = me;
        r.beginTime = row.begin ? QString::fromUtf8(row.begin) : QString("x");
        r.intervalNumber = row.number;
        r.intervalType = QString::fromUtf8(row.unit);
        r.totalTime = row.totalTime;
        const int key = store.addReminder(r);
        if (!row.begin)
            store.execute("UPDATE tbl_reminder SET ReBeginTime=NULL WHERE KeyID=?", {key});
    }
    // Rows of one sort key and one start, as many as asked, in one statement.
    void addTied(int count, const QString& begin) {
        store.execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                      "WHERE i < ?) "
                      "INSERT INTO tbl_reminder(ReUserID, ReDetail, ReAction, ReBeginTime, "
                      "ReIntervalNumber, ReIntervalType, ReDoTime, RedouserID, Retype, IfDone, "
                      "TotalTime) SELECT ?, 'tie', 0, ?, 5, '分', ?, ?, 0, 0, 18000 FROM n",
                      {count, me, begin, begin, me});
    }
    RepeatTimer* timer() const { return polling.repeatTimer(ReminderKind::Ordinary); }

    TempStore store{Connection::kDefaultName, GetParam()};
    FakeClock clock{QDateTime(QDate(2024, 3, 8), QTime(9, 0, 0))};
    ScriptedBoxes boxes;
    RecordingSoundPlayer sound;
    int me = 0;
    ReminderPolling polling{store.session(), [] {}, sound,
                            [](const PopupContext&) -> ReminderWindow* { return nullptr; }};
};

INSTANTIATE_TEST_SUITE_P(Engines, PollOutcomeTest, ::testing::ValuesIn(TempStore::engines()),
                         TempStore::engineName);

TEST_P(PollOutcomeTest, TheLastDueHeadRowThatNamesAUnitSetsThePeriod) {
    const QVariant none;
    struct Case {
        const char* what;
        std::vector<Row> rows;
        bool running;
        qint64 period;
    };
    const Case cases[] = {
        {"nothing pending", {}, false, 5000},
        {"a start one second ahead", {{"2024-03-08 09:00:01", 5, "分", 18000}}, false, 5000},
        {"a start of now", {{"2024-03-08 09:00:00", 5, "分", 18000}}, true, 300000},
        {"a picked moment of now", {{"2024-03-08 09:00:00 ", 2, "分", 120}}, true, 120000},
        {"a start without seconds", {{"2024-03-08 09:00", 1, "时", 216000}}, true, 3600000},
        {"a start of tomorrow without time", {{"2024-03-09", 1, "秒", 60}}, false, 5000},
        {"a start of tomorrow after a blank", {{" 2024-03-09 08:00:00", 1, "秒", 60}}, false, 5000},
        {"tied due rows: the later start",
         {{"2024-03-08 08:30:00", 90, "秒", 3600},
          {"2024-03-08 08:00:00", 2, "分", 3600},
          {"2024-03-08 07:00:00 ", 1, "时", 3600}},
         true,
         90000},
        {"tied due rows of one start: the later key",
         {{"2024-03-08 08:00:00", 2, "分", 3600}, {"2024-03-08 08:00:00", 90, "秒", 3600}},
         true,
         90000},
        {"a tie not yet due after a due one",
         {{"2024-03-08 08:00:00", 2, "分", 3600}, {"2024-03-09 08:00:00", 90, "秒", 3600}},
         true,
         120000},
        {"the last due tie names no unit",
         {{"2024-03-08 08:00:00", 2, "分", 3600}, {"2024-03-08 08:30:00", 3, "周", 3600}},
         true,
         120000},
        {"only a row without a unit is due", {{"2024-03-08 08:00:00", 3, "周", 10}}, true, 5000},
        {"a due row behind a head not yet due",
         {{"2024-03-09 08:00:00", 1, "分", 100}, {"2000-01-01 00:00:00", 1, "秒", 200}},
         false,
         5000},
        {"a row without a sort key heads the order",
         {{"2024-03-08 08:00:00", 5, "分", 18000}, {"2024-03-08 08:00:00", 7, "秒", none}},
         true,
         7000},
        {"a row without a start is due",
         {{nullptr, 3, "秒", 180}, {"2024-03-09 08:00:00", 1, "分", 180}},
         true,
         3000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        store.execute("DELETE FROM tbl_reminder");
        timer()->stop();
        timer()->setPeriod(5000);
        for (const Row& row : c.rows)
            add(row);
        polling.poll(ReminderKind::Ordinary);
        EXPECT_EQ(timer()->isEnabled(), c.running);
        EXPECT_EQ(timer()->period(), c.period);
    }
}

TEST_P(PollOutcomeTest, AStartThatIsNoMomentFailsThePoll) {
    add({"2024-03-08 08:00:00", 2, "分", 3600});
    add({"明天上午", 1, "分", 3600});
    try {
        polling.poll(ReminderKind::Ordinary);
        ADD_FAILURE() << "the poll went through";
    } catch (const StoreError& error) {
        EXPECT_EQ(error.kind(), StoreError::Kind::NotADateTime);
    }
    EXPECT_FALSE(timer()->isEnabled());
}

TEST_P(PollOutcomeTest, TenThousandTiedRowsCostOneStatementAndAFewMomentsDueOrNot) {
    addTied(10000, "2024-03-09 08:00:00");
    for (const char* when : {"2024-03-08 09:00:00", "2024-03-09 08:00:00"}) {
        SCOPED_TRACE(when);
        clock.set(QDateTime::fromString(when, "yyyy-MM-dd HH:mm:ss"));
        const quint64 statements = Query::statementsRun();
        const quint64 moments = Query::momentsConverted();
        polling.poll(ReminderKind::Ordinary);
        EXPECT_EQ(Query::statementsRun() - statements, 1u);
        EXPECT_LE(Query::momentsConverted() - moments, 2u);
    }
    EXPECT_TRUE(timer()->isEnabled());
    EXPECT_EQ(timer()->period(), 300000);
}

} // namespace
