// The repeat timer counted on the clock: window-timer semantics, period 0, and periods far
// beyond what a QTimer can wait.
#include "schedule/RepeatTimer.h"
#include "support/FakeClock.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class RepeatTimerTest : public ::testing::Test {
protected:
    FakeClock clock;
    RepeatTimer timer{5000};
    QSignalSpy fired{&timer, &RepeatTimer::Fired};
};

TEST_F(RepeatTimerTest, FiresOncePerWholePeriodFromItsStart) {
    EXPECT_FALSE(timer.Enabled());
    clock.advanceMs(60000);
    EXPECT_FALSE(timer.CheckElapsed()) << "a stopped timer never fires";

    timer.Start();
    clock.advanceMs(4999);
    EXPECT_FALSE(timer.CheckElapsed());
    clock.advanceMs(1);
    EXPECT_TRUE(timer.CheckElapsed());
    EXPECT_FALSE(timer.CheckElapsed()) << "the count began again at the firing";
    clock.advanceMs(5000);
    EXPECT_TRUE(timer.CheckElapsed());
    EXPECT_EQ(fired.count(), 2);

    timer.Stop();
    clock.advanceMs(50000);
    EXPECT_FALSE(timer.CheckElapsed());
    EXPECT_EQ(fired.count(), 2);
}

TEST_F(RepeatTimerTest, SamePeriodOrStartAgainKeepTheCountAndANewPeriodRestartsIt) {
    timer.Start();
    clock.advanceMs(3000);
    timer.Start();
    timer.SetPeriod(5000);
    clock.advanceMs(2000);
    EXPECT_TRUE(timer.CheckElapsed()) << "neither call restarted the count";

    clock.advanceMs(3000);
    timer.SetPeriod(6000);
    clock.advanceMs(5999);
    EXPECT_FALSE(timer.CheckElapsed()) << "the new period counts from its setting";
    clock.advanceMs(1);
    EXPECT_TRUE(timer.CheckElapsed());

    // A period set while stopped takes effect from the start.
    timer.Stop();
    timer.SetPeriod(1000);
    clock.advanceMs(10000);
    timer.Start();
    EXPECT_EQ(timer.CountStart(), clock.now());
    EXPECT_FALSE(timer.CheckElapsed());
}

TEST_F(RepeatTimerTest, APeriodOfZeroNeverFiresUntilAPeriodReturns) {
    timer.Start();
    timer.SetPeriod(0);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_FALSE(timer.Running());
    for (int i = 0; i < 100; ++i) {
        clock.advanceMs(1);
        EXPECT_FALSE(timer.CheckElapsed());
    }
    clock.advanceMs(86400000);
    EXPECT_FALSE(timer.CheckElapsed());
    timer.SetPeriod(-5);
    clock.advanceMs(86400000);
    EXPECT_FALSE(timer.CheckElapsed());
    EXPECT_EQ(fired.count(), 0);

    // Still started: a period again makes it run, counted from then.
    timer.SetPeriod(2000);
    EXPECT_TRUE(timer.Running());
    clock.advanceMs(2000);
    EXPECT_TRUE(timer.CheckElapsed());
}

TEST_F(RepeatTimerTest, AFiveHundredDayPeriodFiresAfterFiveHundredDaysAndNotBefore) {
    const qint64 period = 500LL * 86400000;
    timer.SetPeriod(period);
    timer.Start();
    const QDateTime begun = clock.now();
    // The wake-up looks at the clock every hour or so; none of those looks fires early.
    for (int hour = 1; hour < 500 * 24; hour += 97) {
        clock.set(begun.addMSecs(hour * RepeatTimer::kLongestWakeMs));
        EXPECT_FALSE(timer.CheckElapsed()) << hour;
    }
    clock.set(begun.addMSecs(period - 1));
    EXPECT_FALSE(timer.CheckElapsed());
    clock.set(begun.addMSecs(period));
    EXPECT_TRUE(timer.CheckElapsed());
    EXPECT_EQ(fired.count(), 1);
}

TEST_F(RepeatTimerTest, AClockSetBackCountsThePeriodAfresh) {
    timer.Start();
    clock.advanceMs(-3600000);
    EXPECT_FALSE(timer.CheckElapsed());
    clock.advanceMs(4999);
    EXPECT_FALSE(timer.CheckElapsed());
    clock.advanceMs(1);
    EXPECT_TRUE(timer.CheckElapsed());
}

} // namespace
