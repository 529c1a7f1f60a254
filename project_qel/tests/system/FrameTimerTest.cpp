#include <gtest/gtest.h>

#include <vector>

#include "system/FrameClock.h"
#include "system/FrameTimer.h"
#include "system/Time.h"

namespace {

// A clock that stands still until the test or a sleep moves it.
class ScriptedClock : public FrameClock {
public:
    double getTime() override { return now; }
    double getSleepGranularity() override { return granularity; }
    void sleep(u32 milliseconds) override
    {
        sleeps.push_back(milliseconds);
        now += milliseconds / 1000.0;
    }

    double now = 100.0;
    double granularity = 0.002;
    std::vector<u32> sleeps;
};

} // namespace

TEST(FrameTimer, SleepsOutTheRestOfThePeriod)
{
    ScriptedClock clock;
    FrameTimer timer;
    timer.reset();
    timer.start(clock, 0.015);
    clock.now += 0.005;  // the frame's work
    timer.wait(clock);
    // 10 ms left, minus the 2 ms granularity.
    ASSERT_EQ(clock.sleeps, std::vector<u32>{8});
    EXPECT_NEAR(timer.previousStart, 100.0, 1e-12);
    EXPECT_NEAR(timer.currentStart, 100.013, 1e-9);
    EXPECT_NEAR(timer.lateness, -0.002, 1e-9);
}

TEST(FrameTimer, SlowFrameStartsTheNextAtOnce)
{
    ScriptedClock clock;
    FrameTimer timer;
    timer.start(clock, 0.015);
    clock.now += 0.040;
    timer.wait(clock);
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_NEAR(timer.lateness, 0.025, 1e-9);
    EXPECT_NEAR(timer.currentStart - timer.previousStart, 0.040, 1e-9);
}

TEST(FrameTimer, LessThanTheGranularityLeftSleepsOneMillisecond)
{
    ScriptedClock clock;
    FrameTimer timer;
    timer.start(clock, 0.015);
    clock.now += 0.014;
    timer.wait(clock);
    EXPECT_EQ(clock.sleeps, std::vector<u32>{1});
}

TEST(FrameTimer, NewPeriodResetsTheDeltaUntilTheNextWait)
{
    ScriptedClock clock;
    FrameTimer timer;
    timer.start(clock, 0.015);
    clock.now += 0.02;
    timer.wait(clock);
    timer.start(clock, 0.1);
    EXPECT_EQ(timer.currentStart - timer.previousStart, 0.0);
    EXPECT_NEAR(timer.getElapsed(clock), 0.0, 1e-12);
    timer.wait(clock);
    // 98 ms less the truncation of 0.098 * 1000.
    EXPECT_NEAR(timer.currentStart - timer.previousStart, 0.098, 0.0015);
}

TEST(FrameTimer, AbsurdPeriodNeverSleepsLongerThanASecond)
{
    ScriptedClock clock;
    FrameTimer timer;
    timer.start(clock, 1e12);
    timer.wait(clock);
    EXPECT_EQ(clock.sleeps, std::vector<u32>{1000});
}

TEST(Timestamp, FormatsUtc)
{
    EXPECT_EQ(formatTimestamp(Time(0)), "1970-01-01 00.00.00");
    EXPECT_EQ(formatTimestamp(Time(1173103629)), "2007-03-05 14.07.09");
    Time split(0x12345678u, 0u);
    EXPECT_EQ(split.seconds, 0x12345678);
    EXPECT_EQ(Time(-1).high(), 0xffffffffu);
}

TEST(Timestamp, OutOfRangeTimesGiveAnEmptyText)
{
    EXPECT_EQ(formatTimestamp(Time(INT64_MAX)), "");
    EXPECT_EQ(formatTimestamp(Time(INT64_MIN)), "");
}
