// The timer on a held clock: exact ticks, no waiting, nothing that a busy machine can upset.

#include <gtest/gtest.h>

#include "gfx/Timer.h"

namespace {

class TimerTest : public testing::Test {
protected:
    void TearDown() override { Timer::releaseClock(); }
};

TEST_F(TimerTest, MeasuresOnlyWhileRunning) {
    Timer timer;
    EXPECT_TRUE(timer.stopped);
    EXPECT_EQ(timer.elapsed(), 0u);
    Timer::holdClock(1000);
    timer.start();
    Timer::holdClock(1030);
    EXPECT_EQ(timer.elapsed(), 30u);
    timer.stop();
    Timer::holdClock(1050);
    EXPECT_EQ(timer.elapsed(), 30u);
    // A second start continues from what was accumulated.
    timer.start();
    Timer::holdClock(1070);
    EXPECT_EQ(timer.elapsed(), 50u);
    timer.reset();
    EXPECT_TRUE(timer.stopped);
    EXPECT_EQ(timer.elapsed(), 0u);
}

TEST_F(TimerTest, StartOnRunningTimerIsIgnored) {
    Timer timer;
    Timer::holdClock(500);
    timer.start();
    Timer::holdClock(515);
    timer.start();
    EXPECT_EQ(timer.startTicks, 500u);
    timer.stop();
    EXPECT_EQ(timer.accumulated, 15u);
    timer.stop();
    EXPECT_EQ(timer.accumulated, 15u);
}

}  // namespace
