#pragma once
// Keeps the object under the mouse and the focus object, and delivers the
// per-frame input events to them.
#include "math/V3.h"
#include "object/QelBase.h"
#include "object/Reference.h"

class NetRole;

class EventManager : public QelBase {
public:
    EventManager();
    ~EventManager() override;

    // The frame's step over the screen tree below root.
    void update(QelBase* root);
    // Delivers an event to one object (filters, target, post handlers).
    void sendEvent(Event* e, QelBase* target);
    // An event of the type from the sender, to target or else to the sender.
    void post(int type, QelBase* sender, QelBase* target);
    void setFocus(QelBase* object);
    // True when the object is the focus or one of its ancestors.
    bool focusIsWithin(const QelBase* object) const;

    QelBase* getFocus() const { return focus.get(); }
    QelBase* getHover() const { return hover.get(); }

    // A replication role to run the delivery under; null in this program.
    Reference<NetRole> role{this};
    V3 pressPosition;
    Reference<QelBase> focus{this};
    Reference<QelBase> hover{this};

private:
    // An input event from the manager to the focus, or to the manager itself.
    void deliver(int type);
};
