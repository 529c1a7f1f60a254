#include "object/ReferenceBase.h"

#include "engine/Qel.h"
#include "net/Packet.h"
#include "object/Event.h"
#include "object/QelBase.h"

ReferenceBase::~ReferenceBase()
{
    set(nullptr);
}

void ReferenceBase::set(QelBase* newTarget)
{
    QelBase* oldTarget = target;
    if (oldTarget != nullptr) {
        oldTarget->references.removeChild(this);
    }
    target = newTarget;
    if (newTarget != nullptr) {
        newTarget->references.addChildBack(this);
    } else if (oldTarget != nullptr) {
        Event e;
        e.type = EVENT_REFERENCE_CLEARED;
        e.reference = this;
        deliverEvent(&e, owner, g_qel != nullptr ? g_qel->eventManager : nullptr);
    }
}

void ReferenceBase::netSerialize(Packet* packet)
{
    if (packet->bWriting) {
        packet->doPointer2(&target);
        return;
    }
    QelBase* read = nullptr;
    packet->doPointer2(&read);
    set(read);
}
