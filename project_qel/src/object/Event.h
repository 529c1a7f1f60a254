#pragma once
// The event record that the event manager and the references deliver.
#include "system/QelTypes.h"

class EventManager;
class QelBase;
class ReferenceBase;

enum EventType {
    EVENT_REFERENCE_CLEARED = 0,
    EVENT_REFERENCE_NOTICE = 1,
    EVENT_FOCUS_LOST = 2,
    EVENT_FOCUS_GAINED = 3,
    EVENT_CLICK = 4,
    EVENT_DRAG = 5,
    EVENT_KEY = 6,
    EVENT_MOUSE_MOVED = 7,
};

struct Event {
    i32 type = 0;
    QelBase* sender = nullptr;
    QelBase* target = nullptr;
    EventManager* eventManager = nullptr;
    ReferenceBase* reference = nullptr;
    QelBase* other = nullptr;
};

// Delivers an event to one object: the filters of its ancestors from the
// root down, then the target itself unless disabled, then the post handlers
// from its parent up. Works without an event manager (manager null).
void deliverEvent(Event* e, QelBase* target, EventManager* manager);
