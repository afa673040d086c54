#include <gtest/gtest.h>

#include <SDL.h>

#include "gfx/Timer.h"

namespace {

class TimerTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_TIMER), 0); }
    void TearDown() override { SDL_Quit(); }
};

TEST_F(TimerTest, MeasuresOnlyWhileRunning) {
    Timer timer;
    EXPECT_TRUE(timer.stopped);
    EXPECT_EQ(timer.elapsed(), 0u);
    timer.start();
    SDL_Delay(30);
    Uint32 running = timer.elapsed();
    EXPECT_GE(running, 30u);
    timer.stop();
    Uint32 frozen = timer.elapsed();
    EXPECT_GE(frozen, running);
    SDL_Delay(20);
    EXPECT_EQ(timer.elapsed(), frozen);
    // A second start continues from what was accumulated.
    timer.start();
    SDL_Delay(20);
    EXPECT_GE(timer.elapsed(), frozen + 20);
    timer.reset();
    EXPECT_TRUE(timer.stopped);
    EXPECT_EQ(timer.elapsed(), 0u);
}

TEST_F(TimerTest, StartOnRunningTimerIsIgnored) {
    Timer timer;
    timer.start();
    Uint32 startedAt = timer.startTicks;
    SDL_Delay(15);
    timer.start();
    EXPECT_EQ(timer.startTicks, startedAt);
    timer.stop();
    Uint32 once = timer.accumulated;
    timer.stop();
    EXPECT_EQ(timer.accumulated, once);
}

}  // namespace
