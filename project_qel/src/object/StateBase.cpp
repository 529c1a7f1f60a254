#include "object/StateBase.h"

void StateBase::setState(int newState, double delay, bool force)
{
    if (stateGoto == newState && !force) {
        return;
    }
    stateGoto = newState;
    stateLeft = delay;
    if (delay > 0.0) {
        return;
    }
    state = stateGoto;
    timeInState = 0.0;
    onStateChange();
}

void StateBase::advance(double, double dt)
{
    timeInState += dt;
    if (stateLeft > 0.0) {
        stateLeft -= dt;
        if (stateLeft <= 0.0) {
            timeInState = 0.0;
            state = stateGoto;
            onStateChange();
        }
    }
}
