#pragma once
// A state number, the time spent in it and one pending change that fires
// after a delay.
#include "system/QelTypes.h"

class Packet;
class PropertyContainer;
class QelBase;

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
    // Appends "state", "timeInState", "stateLeft" and "stateGoto". In a
    // QelBase this slot is the object's own list, which holds this group.
    virtual void addPropertiesTo(QelBase* container);

    // The four fields in a packet: state and stateGoto as signed
    // variable-length integers, the two times as 4-byte floats.
    void netSerialize(Packet* packet);
    // A new container "StateBase" holding this part's properties; the
    // caller owns it.
    PropertyContainer* createPropertyTree();

    i32 state = 0;
    double timeInState = 0.0;
    double stateLeft = 0.0;
    i32 stateGoto = 0;
};
