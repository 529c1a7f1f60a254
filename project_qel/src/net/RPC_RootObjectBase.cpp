#include "net/RPC_RootObjectBase.h"

#include "net/NetRole.h"
#include "property/PropertyDWORD.h"

QEL_IMPLEMENT_HASHED_RUNTIME_CLASS(RPC_RootObjectBase_randomSeed, RPC::runtimeClass(),
                                   QEL_CREATOR(RPC_RootObjectBase_randomSeed));
QEL_IMPLEMENT_HASHED_RUNTIME_CLASS(RPC_RootObjectBase_destroyObject, RPC::runtimeClass(),
                                   QEL_CREATOR(RPC_RootObjectBase_destroyObject));

void RPC_RootObjectBase_randomSeed::netSerialize(Packet* packet)
{
    TargetedRPC::netSerialize(packet);
    packet->doBytes(&seed, 4);
}

void RPC_RootObjectBase_randomSeed::addPropertiesTo(QelBase* container)
{
    container->addChildBack(new PropertyDWORD("seed", 0, &seed));
}

void RPC_RootObjectBase_randomSeed::perform()
{
    // With no role there is no shared source and the seed has nowhere to go.
    if (NetRole* role = NetRole::current()) {
        role->netRandom.seed(seed);
    }
}

void RPC_RootObjectBase_destroyObject::perform()
{
    target->destroyObjectNow(obj);
}
