#include "net/RPC_QelBase.h"

#include "property/PropertyDouble.h"
#include "property/PropertyInt.h"

QEL_IMPLEMENT_HASHED_RUNTIME_CLASS(RPC_QelBase_clear, RPC::runtimeClass(), QEL_CREATOR(RPC_QelBase_clear));
QEL_IMPLEMENT_HASHED_RUNTIME_CLASS(RPC_QelBase_add, RPC::runtimeClass(), QEL_CREATOR(RPC_QelBase_add));
QEL_IMPLEMENT_HASHED_RUNTIME_CLASS(RPC_QelBase_remove, RPC::runtimeClass(), QEL_CREATOR(RPC_QelBase_remove));
QEL_IMPLEMENT_HASHED_RUNTIME_CLASS(RPC_QelBase_callNetPostReplicate, RPC::runtimeClass(),
                                   QEL_CREATOR(RPC_QelBase_callNetPostReplicate));
QEL_IMPLEMENT_HASHED_RUNTIME_CLASS(RPC_QelBase_callNetPostReplicateGlobal, RPC::runtimeClass(),
                                   QEL_CREATOR(RPC_QelBase_callNetPostReplicateGlobal));
QEL_IMPLEMENT_HASHED_RUNTIME_CLASS(RPC_QelBase_setStateRaw, RPC::runtimeClass(),
                                   QEL_CREATOR(RPC_QelBase_setStateRaw));
QEL_IMPLEMENT_HASHED_RUNTIME_CLASS(RPC_QelBase_setState, RPC::runtimeClass(), QEL_CREATOR(RPC_QelBase_setState));

void RPC_QelBase_clear::perform()
{
    target->clear();
}

void RPC_QelBase_add::netSerialize(Packet* packet)
{
    TargetedObjectRPC::netSerialize(packet);
    if (!packet->bWriting && target != nullptr) {
        // An add that would make a cycle does nothing; any other is checked
        // for depth, in the one walk up from the target.
        const u64 depth = target->adoptedDepth(obj);
        if (depth != 0) {
            QelBase::checkAdoptionDepth(depth, obj, packet);
        }
    }
}

void RPC_QelBase_add::perform()
{
    if (target->canAdopt(obj)) {
        target->add(obj);
    }
}

void RPC_QelBase_remove::perform()
{
    target->remove(obj);
}

void RPC_QelBase_callNetPostReplicate::perform()
{
    target->netPostReplicate();
}

void RPC_QelBase_callNetPostReplicateGlobal::perform()
{
    target->netPostReplicateGlobal();
}

void RPC_QelBase_setStateRaw::netSerialize(Packet* packet)
{
    TargetedRPC::netSerialize(packet);
    packet->doInt(&_state);
}

void RPC_QelBase_setStateRaw::addPropertiesTo(QelBase* container)
{
    container->addChildBack(new PropertyInt("_state", 0, &_state));
}

void RPC_QelBase_setStateRaw::perform()
{
    target->state = _state;
}

void RPC_QelBase_setState::netSerialize(Packet* packet)
{
    TargetedRPC::netSerialize(packet);
    packet->doInt(&_stateGoto);
    packet->doHalfFloat(&_stateLeft);
}

void RPC_QelBase_setState::addPropertiesTo(QelBase* container)
{
    container->addChildBack(new PropertyInt("_stateGoto", 0, &_stateGoto));
    container->addChildBack(new PropertyDouble("_stateLeft", Property::HALF_FLOAT, &_stateLeft));
}

void RPC_QelBase_setState::perform()
{
    target->setState(_stateGoto, _stateLeft);
}
