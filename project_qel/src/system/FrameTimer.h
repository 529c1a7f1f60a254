#pragma once
// Paces frames: at the end of each frame, sleeps until one period has passed
// since the frame started, then marks the start of the next one.
//
// Sleeps come in whole milliseconds and wake up to one sleep granularity
// early; how early a frame started, at most one period, is carried into
// the next frame's due time, so that the frames keep the set rate on
// average. A sleep never passes a second, whatever the period. An overrun is
// never carried: a slow frame is not made up later, the rate drops instead.

class FrameClock;

struct FrameTimer {
    double lateness = 0.0;
    double currentStart = 0.0;
    double previousStart = 0.0;
    double period = 0.0;
    // How much earlier than its due time the current frame started, 0 to
    // one period; 0 after a slow frame.
    double earlyStart = 0.0;

    void reset();
    void start(FrameClock& clock, double newPeriod);
    void wait(FrameClock& clock);
    double getElapsed(FrameClock& clock) const;
};
