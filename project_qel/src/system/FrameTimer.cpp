#include "system/FrameTimer.h"

#include <algorithm>

#include "system/FrameClock.h"

void FrameTimer::reset()
{
    lateness = currentStart = previousStart = period = earlyStart = 0.0;
}

void FrameTimer::start(FrameClock& clock, double newPeriod)
{
    currentStart = previousStart = clock.getTime();
    period = newPeriod;
    earlyStart = 0.0;
}

void FrameTimer::wait(FrameClock& clock)
{
    const double before = clock.getTime();
    // Whether the frame is slow is judged against the plain period, so a
    // slow frame behaves the same whatever was carried.
    const bool slow = currentStart + period - before <= 0.0;
    const double due = currentStart + period + earlyStart;
    const double remaining = due - before;
    if (!slow) {
        double rest = remaining - clock.getSleepGranularity();
        if (rest > 0.0) {
            // A period of more than a second comes only from a mistyped
            // console command; never sleep longer than that in one frame.
            clock.sleep(rest < 1.0 ? static_cast<u32>(rest * 1000.0) : 1000u);
        } else {
            clock.sleep(1);
        }
    }
    double now = clock.getTime();
    previousStart = currentStart;
    lateness = now - (previousStart + period);
    earlyStart = slow ? 0.0 : std::max(0.0, due - now);
    currentStart = clock.getTime();
}

double FrameTimer::getElapsed(FrameClock& clock) const
{
    return clock.getTime() - currentStart;
}
