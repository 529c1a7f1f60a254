#include "system/FrameTimer.h"

#include "system/FrameClock.h"

void FrameTimer::reset()
{
    lateness = currentStart = previousStart = period = 0.0;
}

void FrameTimer::start(FrameClock& clock, double newPeriod)
{
    currentStart = previousStart = clock.getTime();
    period = newPeriod;
}

void FrameTimer::wait(FrameClock& clock)
{
    double remaining = currentStart + period - clock.getTime();
    if (remaining > 0.0) {
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
    currentStart = clock.getTime();
}

double FrameTimer::getElapsed(FrameClock& clock) const
{
    return clock.getTime() - currentStart;
}
