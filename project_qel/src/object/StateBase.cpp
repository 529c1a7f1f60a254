#include "object/StateBase.h"

#include "net/Packet.h"
#include "property/PropertyContainer.h"
#include "property/PropertyDouble.h"
#include "property/PropertyInt.h"

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

void StateBase::addPropertiesTo(QelBase* container)
{
    container->addChildBack(new PropertyInt("state", 0, &state));
    container->addChildBack(new PropertyDouble("timeInState", Property::HALF_FLOAT, &timeInState));
    container->addChildBack(new PropertyDouble("stateLeft", Property::SKIP_FLAG1, &stateLeft));
    container->addChildBack(new PropertyInt("stateGoto", Property::SKIP_FLAG1, &stateGoto));
}

void StateBase::netSerialize(Packet* packet)
{
    packet->doInt(&state);
    packet->doDouble(&timeInState);
    packet->doDouble(&stateLeft);
    packet->doInt(&stateGoto);
}

PropertyContainer* StateBase::createPropertyTree()
{
    auto* container = new PropertyContainer("StateBase", 0);
    StateBase::addPropertiesTo(container);
    return container;
}
