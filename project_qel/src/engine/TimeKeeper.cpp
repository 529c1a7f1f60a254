#include "engine/TimeKeeper.h"

#include <algorithm>

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "system/SystemUtils.h"

QEL_IMPLEMENT_RUNTIME_CLASS(TimeKeeper, QelBase::runtimeClass(), QEL_NO_CREATOR);

TimeKeeper::TimeKeeper()
{
    lastTicks = getTicks();
    QEL_LOG("Starting...");
    double best = 999.0;
    for (int i = 0; i < 10; ++i) {
        sleepMilliseconds(1);
        double a = getTime();
        sleepMilliseconds(1);
        double b = getTime();
        best = std::min(best, b - a);
    }
    if (best < 1.0) {
        sleepGranularity = best;
    }
    QEL_LOG("Sleep() granularity: %.3lf ms.", sleepGranularity * 1000.0);
    tickOrigin = getTicks();
    QEL_LOG("getTickCount() origin: %lu.", static_cast<unsigned long>(tickOrigin));
    QEL_LOG("Started.");
}

double TimeKeeper::getRealTime()
{
    u32 ticks = getTicks();
    // The count only goes back when it wraps, after about 49.7 days.
    if (ticks < lastTicks && lastTicks - ticks > 0x80000000u) {
        ++wraps;
    }
    lastTicks = ticks;
    return static_cast<double>((wraps << 32) | ticks) / 1000.0;
}

double TimeKeeper::getTime()
{
    return getRealTime() - discardedTime;
}

void TimeKeeper::sleep(u32 milliseconds)
{
    sleepMilliseconds(milliseconds);
}

void TimeKeeper::onQELmodeChange(int oldMode, int newMode)
{
    bool tickWhilePaused = g_qel != nullptr && g_qel->bTickWhilePaused;
    int pauseFrom = tickWhilePaused ? 2 : 3;
    if (oldMode == pauseFrom && newMode == pauseFrom - 1) {
        discardStart = getRealTime();
        QEL_LOG("Starting to discard time at %.3lf.", discardStart);
    } else if (oldMode == pauseFrom - 1 && newMode == pauseFrom) {
        discardedTime += getRealTime() - discardStart;
        QEL_LOG("Discarded time is now %.3lf.", discardedTime);
    }
}
