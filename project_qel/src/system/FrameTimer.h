#pragma once
// Paces frames: at the end of each frame, sleeps until one period has passed
// since the frame started, then marks the start of the next one.

class FrameClock;

struct FrameTimer {
    double lateness = 0.0;
    double currentStart = 0.0;
    double previousStart = 0.0;
    double period = 0.0;

    void reset();
    void start(FrameClock& clock, double newPeriod);
    void wait(FrameClock& clock);
    double getElapsed(FrameClock& clock) const;
};
