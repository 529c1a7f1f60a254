#pragma once
// The engine clock: seconds since SDL started, less every span during which
// the game stood still because the application was inactive. It also
// measures the shortest sleep the system really gives.
#include "object/QelBase.h"
#include "system/FrameClock.h"

class TimeKeeper : public QelBase, public FrameClock {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    TimeKeeper();

    // Engine time: real time less the discarded pauses.
    double getTime() override;
    // Seconds of SDL's millisecond count, carried past its 32-bit wrap so the
    // clock never steps back.
    double getRealTime();
    double getSleepGranularity() override { return sleepGranularity; }
    void sleep(u32 milliseconds) override;

    void onQELmodeChange(int oldMode, int newMode) override;

    double sleepGranularity = 0.0;
    double discardStart = 0.0;
    double discardedTime = 0.0;
    u32 tickOrigin = 0;

private:
    u32 lastTicks = 0;
    u64 wraps = 0;
};
