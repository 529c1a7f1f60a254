#pragma once
// The game's screen stack run by the engine's own frame loop - input,
// tick, draw, present and the frame timer - on a scripted clock: engine
// time moves only when the frame timer sleeps out the rest of its period.
#include "engine/TimeKeeper.h"
#include "game/ScreenStack.h"

class ScriptedClock : public TimeKeeper {
public:
    double getTime() override { return now; }
    double getSleepGranularity() override { return 0.0; }
    void sleep(u32 milliseconds) override { now += milliseconds / 1000.0; }

    double now = 1.0;
};

class FrameLoopStack : public ScreenStack {
public:
    FrameLoopStack()
    {
        delete qel->timeKeeper;
        qel->timeKeeper = new ScriptedClock();
        qel->frameTimer.start(*qel->timeKeeper, qel->frameTimer.period);
    }

    void frames(int n)
    {
        for (int i = 0; i < n; ++i) {
            qel->frame(manager);
        }
    }
};
