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
    QSignalSpy fired{&timer, &RepeatTimer::fired};
};

TEST_F(RepeatTimerTest, FiresOncePerWholePeriodFromItsStart) {
    EXPECT_FALSE(timer.isEnabled());
    clock.advanceMs(60000);
    EXPECT_FALSE(timer.checkElapsed()) << "a stopped timer never fires";

    timer.start();
    clock.advanceMs(4999);
    EXPECT_FALSE(timer.checkElapsed());
    clock.advanceMs(1);
    EXPECT_TRUE(timer.checkElapsed());
    EXPECT_FALSE(timer.checkElapsed()) << "the count began again at the firing";
    clock.advanceMs(5000);
    EXPECT_TRUE(timer.checkElapsed());
    EXPECT_EQ(fired.count(), 2);

    timer.stop();
    clock.advanceMs(50000);
    EXPECT_FALSE(timer.checkElapsed());
    EXPECT_EQ(fired.count(), 2);
}

TEST_F(RepeatTimerTest, SamePeriodOrStartAgainKeepTheCountAndANewPeriodRestartsIt) {
    timer.start();
    clock.advanceMs(3000);
    timer.start();
    timer.setPeriod(5000);
    clock.advanceMs(2000);
    EXPECT_TRUE(timer.checkElapsed()) << "neither call restarted the count";

    clock.advanceMs(3000);
    timer.setPeriod(6000);
    clock.advanceMs(5999);
    EXPECT_FALSE(timer.checkElapsed()) << "the new period counts from its setting";
    clock.advanceMs(1);
    EXPECT_TRUE(timer.checkElapsed());

    // A period set while stopped takes effect from the start.
    timer.stop();
    timer.setPeriod(1000);
    clock.advanceMs(10000);
    timer.start();
    EXPECT_EQ(timer.countStart(), clock.now());
    EXPECT_FALSE(timer.checkElapsed());
}

TEST_F(RepeatTimerTest, APeriodOfZeroNeverFiresUntilAPeriodReturns) {
    timer.start();
    timer.setPeriod(0);
    EXPECT_TRUE(timer.isEnabled());
    EXPECT_FALSE(timer.isRunning());
    for (int i = 0; i < 100; ++i) {
        clock.advanceMs(1);
        EXPECT_FALSE(timer.checkElapsed());
    }
    clock.advanceMs(86400000);
    EXPECT_FALSE(timer.checkElapsed());
    timer.setPeriod(-5);
    clock.advanceMs(86400000);
    EXPECT_FALSE(timer.checkElapsed());
    EXPECT_EQ(fired.count(), 0);

    // Still started: a period again makes it run, counted from then.
    timer.setPeriod(2000);
    EXPECT_TRUE(timer.isRunning());
    clock.advanceMs(2000);
    EXPECT_TRUE(timer.checkElapsed());
}

TEST_F(RepeatTimerTest, AFiveHundredDayPeriodFiresAfterFiveHundredDaysAndNotBefore) {
    const qint64 period = 500LL * 86400000;
    timer.setPeriod(period);
    timer.start();
    const QDateTime begun = clock.now();
    // The wake-up looks at the clock every hour or so; none of those looks fires early.
    for (int hour = 1; hour < 500 * 24; hour += 97) {
        clock.set(begun.addMSecs(hour * RepeatTimer::kLongestWakeMs));
        EXPECT_FALSE(timer.checkElapsed()) << hour;
    }
    clock.set(begun.addMSecs(period - 1));
    EXPECT_FALSE(timer.checkElapsed());
    clock.set(begun.addMSecs(period));
    EXPECT_TRUE(timer.checkElapsed());
    EXPECT_EQ(fired.count(), 1);
}

TEST_F(RepeatTimerTest, AClockSetBackCountsThePeriodAfresh) {
    timer.start();
    clock.advanceMs(-3600000);
    EXPECT_FALSE(timer.checkElapsed());
    clock.advanceMs(4999);
    EXPECT_FALSE(timer.checkElapsed());
    clock.advanceMs(1);
    EXPECT_TRUE(timer.checkElapsed());
}

} // namespace
