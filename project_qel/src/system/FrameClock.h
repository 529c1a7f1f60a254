#pragma once
// The clock a FrameTimer paces against: the engine clock in the program, a
// scripted one in tests.
#include "system/QelTypes.h"

class FrameClock {
public:
    virtual ~FrameClock() = default;
    // Seconds of engine time.
    virtual double getTime() = 0;
    // The shortest sleep the system really gives, in seconds.
    virtual double getSleepGranularity() = 0;
    virtual void sleep(u32 milliseconds) = 0;
};
