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

// The rest of the period is slept out less the sleep granularity (2 ms); a
// slow frame starts the next at once; less than the granularity left sleeps
// one millisecond; an absurd period never sleeps longer than a second.
TEST(FrameTimer, SleepsOutTheRestOfThePeriod)
{
    const struct {
        double period;
        double work;
        std::vector<u32> sleeps;
    } cases[] = {
        {0.015, 0.005, {8}}, {0.015, 0.040, {}}, {0.015, 0.014, {1}}, {1e12, 0.0, {1000}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.work);
        ScriptedClock clock;
        FrameTimer timer;
        timer.reset();
        timer.start(clock, c.period);
        clock.now += c.work;
        timer.wait(clock);
        EXPECT_EQ(clock.sleeps, c.sleeps);
        EXPECT_NEAR(timer.previousStart, 100.0, 1e-12);
        EXPECT_NEAR(timer.currentStart, clock.now, 1e-9);
        if (c.period < 1.0) {
            EXPECT_NEAR(timer.lateness, clock.now - 100.0 - c.period, 1e-9);
        }
    }
}

// A period longer than the longest sleep (a second) starts every frame
// early; what is carried stays within one period, frame after frame.
TEST(FrameTimer, ThePeriodBoundsTheCarryWhenItOutlastsTheLongestSleep)
{
    ScriptedClock clock;
    FrameTimer timer;
    timer.start(clock, 5.0);
    for (int frame = 1; frame <= 10; ++frame) {
        timer.wait(clock);
        EXPECT_EQ(clock.sleeps.back(), 1000u) << "frame " << frame;
        EXPECT_GT(timer.earlyStart, 0.0) << "frame " << frame;
        EXPECT_LE(timer.earlyStart, 5.0) << "frame " << frame;
    }
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

// Whole-millisecond sleeps that wake up a granularity early still give the
// set rate on average, whatever the frame's work; a slow frame starts the
// next at once and is not made up later: the frame after it sleeps as the
// first frame of a fresh timer does.
TEST(FrameTimer, KeepsTheSetRateOnAverageAndDoesNotMakeUpASlowFrame)
{
    for (double period : {0.01, 0.015, 0.016667}) {
        for (double work : {0.0, 0.0031, 0.0087}) {
            SCOPED_TRACE(testing::Message() << period << " " << work);
            ScriptedClock clock;
            clock.granularity = 0.001;
            FrameTimer timer;
            timer.start(clock, period);
            const int frames = 1000;
            const double first = clock.now;
            for (int i = 0; i < frames; ++i) {
                clock.now += work;
                timer.wait(clock);
            }
            EXPECT_NEAR((timer.currentStart - first) / frames, period, period * 0.01);

            clock.sleeps.clear();
            clock.now += 0.040;
            timer.wait(clock);
            EXPECT_TRUE(clock.sleeps.empty());
            EXPECT_NEAR(timer.lateness, 0.040 - period, 1e-9);
            clock.now += work;
            timer.wait(clock);
            FrameTimer fresh;
            ScriptedClock freshClock;
            freshClock.granularity = 0.001;
            fresh.start(freshClock, period);
            freshClock.now += work;
            fresh.wait(freshClock);
            EXPECT_EQ(clock.sleeps, freshClock.sleeps);
        }
    }
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
