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
            // One sleep never passes a second, whatever period was set.
            clock.sleep(rest < 1.0 ? static_cast<u32>(rest * 1000.0) : 1000u);
        } else {
            clock.sleep(1);
        }
    }
    double now = clock.getTime();
    previousStart = currentStart;
    lateness = now - (previousStart + period);
    // A period longer than the longest sleep starts every frame early; more
    // than a period of carry would only pile up.
    earlyStart = slow ? 0.0 : std::max(0.0, std::min(due - now, period));
    currentStart = clock.getTime();
}

double FrameTimer::getElapsed(FrameClock& clock) const
{
    return clock.getTime() - currentStart;
}
