#pragma once
// A state number, the time spent in it and one pending change that fires
// after a delay.
#include "system/QelTypes.h"

class StateBase {
public:
    StateBase() = default;
    virtual ~StateBase() = default;

    // Asks for a state at once (delay <= 0) or after delay seconds. A request
    // for the state already asked for is ignored unless forced.
    void setState(int newState, double delay, bool force);
    // Adds dt to the time in state and fires a pending change that is due.
    virtual void advance(double time, double dt);
    // Runs after state and timeInState took their new values.
    virtual void onStateChange() {}

    i32 state = 0;
    double timeInState = 0.0;
    double stateLeft = 0.0;
    i32 stateGoto = 0;
};
