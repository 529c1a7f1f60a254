#include <gtest/gtest.h>

#include "engine/Qel.h"
#include "engine/TimeKeeper.h"
#include "support/EngineCore.h"
#include "system/SystemUtils.h"

namespace {

// A millisecond counter that moves only when the test or a sleep moves it.
u32 ticks = 0;
u32 sleepCost = 1;  // how much a 1 ms sleep really takes
u32 scriptedTicks()
{
    return ticks;
}
void scriptedSleep(u32 milliseconds)
{
    ticks += milliseconds == 1 ? sleepCost : milliseconds;
}

struct ScriptedClock {
    ScriptedClock(u32 start, u32 costOfOneMillisecond)
    {
        ticks = start;
        sleepCost = costOfOneMillisecond;
        setTickSource(&scriptedTicks);
        setSleeper(&scriptedSleep);
    }
    ~ScriptedClock()
    {
        setTickSource(nullptr);
        setSleeper(nullptr);
    }
};

class TimeKeeperTest : public testing::Test {
protected:
    ScriptedClock clock{100000, 2};
    EngineCore core;
};

} // namespace

TEST_F(TimeKeeperTest, MeasuresTheSleepGranularityAndCarriesOnAcrossTheWrap)
{
    TimeKeeper keeper;
    EXPECT_NEAR(keeper.getSleepGranularity(), 0.002, 1e-9);
    EXPECT_EQ(keeper.tickOrigin, 100000u + 20u * 2u);
    // The clock carries on across the millisecond wrap.
    ticks = 0xFFFFFF00u;
    double before = keeper.getTime();
    ticks = 0x100u;
    EXPECT_NEAR(keeper.getTime() - before, 0.512, 1e-9);
}

TEST_F(TimeKeeperTest, PauseIsDiscardedWhenTheGameResumes)
{
    TimeKeeper keeper;
    ticks = 100000000;
    keeper.onQELmodeChange(3, 2);
    ticks = 100010000;
    EXPECT_DOUBLE_EQ(keeper.getTime(), 100010.0);
    keeper.onQELmodeChange(2, 3);
    EXPECT_DOUBLE_EQ(keeper.getTime(), 100000.0);
    EXPECT_DOUBLE_EQ(keeper.discardedTime, 10.0);
    // Other steps do nothing while the game stops ticking when inactive.
    keeper.onQELmodeChange(2, 1);
    ticks += 5000;
    keeper.onQELmodeChange(1, 2);
    EXPECT_DOUBLE_EQ(keeper.discardedTime, 10.0);
}

TEST_F(TimeKeeperTest, TickingWhilePausedDiscardsOnlyTheLostPresentation)
{
    core.qel->bTickWhilePaused = true;
    TimeKeeper keeper;
    ticks = 200000;
    keeper.onQELmodeChange(3, 2);
    ticks = 201000;
    keeper.onQELmodeChange(2, 1);
    ticks = 204000;
    keeper.onQELmodeChange(1, 2);
    keeper.onQELmodeChange(2, 3);
    EXPECT_DOUBLE_EQ(keeper.discardedTime, 3.0);
}

TEST(TimeKeeperSlowSystem, GranularityStaysZeroWhenSleepsTakeASecond)
{
    ScriptedClock clock(5000, 1000);
    EngineCore core;
    TimeKeeper keeper;
    EXPECT_EQ(keeper.sleepGranularity, 0.0);
}
