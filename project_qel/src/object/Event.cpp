#include "object/Event.h"

#include "object/QelBase.h"

void deliverEvent(Event* e, QelBase* target, EventManager* manager)
{
    e->target = target;
    e->eventManager = manager;
    if (target == nullptr) {
        return;
    }
    QelBase* parent = target->getParent();
    if (parent != nullptr && parent->filterEvent(e)) {
        return;
    }
    if (!target->bDisabled && target->onEvent(e)) {
        return;
    }
    if (parent != nullptr) {
        parent->postEvent(e);
    }
}
