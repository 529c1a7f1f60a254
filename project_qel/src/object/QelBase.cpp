#include "object/QelBase.h"

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "object/ReferenceBase.h"

QEL_IMPLEMENT_RUNTIME_CLASS(QelBase, BasicLink::runtimeClass(), QEL_CREATOR(QelBase));

QelBase::QelBase()
    : ownerLink(this)
{
    QEL_ASSERT(g_qel != nullptr);
    g_qel->liveObjects.addChildBack(&ownerLink);
}

QelBase::~QelBase()
{
    while (lastChild != nullptr) {
        lastChild->deleteMe();
    }
    if (ownerLink.parent != nullptr) {
        ownerLink.parent->removeChild(&ownerLink);
    }
    // The members then clear every reference to this object, and the
    // BasicLink part leaves the parent's list.
}

void QelBase::deleteMe()
{
    delete this;
}

void QelBase::update(double time, double dt)
{
    advance(time, dt);
    walkChildren([time, dt](QelBase* child) { child->update(time, dt); });
}

void QelBase::render()
{
    walkChildren([](QelBase* child) { child->render(); });
}

QelBase* QelBase::pick(int* n)
{
    if (bDisabled) {
        return nullptr;
    }
    for (BasicLink* node = lastChild; node != nullptr; node = node->prev) {
        if (node->bDead || node->bSkip) {
            continue;
        }
        QelBase* hit = static_cast<QelBase*>(node)->pick(n);
        if (hit != nullptr) {
            return hit;
        }
    }
    if (isMouseInside()) {
        --*n;
        if (*n < 0) {
            return this;
        }
    }
    return nullptr;
}

bool QelBase::isMouseInside()
{
    return false;
}

bool QelBase::filterEvent(Event* e)
{
    if (bDisabled) {
        return true;
    }
    if (getParent() != nullptr && getParent()->filterEvent(e)) {
        return true;
    }
    return onFilterEvent(e);
}

bool QelBase::postEvent(Event* e)
{
    if (bDisabled) {
        return false;
    }
    if (onPostEvent(e)) {
        return true;
    }
    return getParent() != nullptr && getParent()->postEvent(e);
}

bool QelBase::onFilterEvent(Event* e)
{
    return eventDelegate != nullptr && eventDelegate->onFilterEvent(e);
}

bool QelBase::onEvent(Event* e)
{
    return eventDelegate != nullptr && eventDelegate->onEvent(e);
}

bool QelBase::onPostEvent(Event* e)
{
    return eventDelegate != nullptr && eventDelegate->onPostEvent(e);
}

void QelBase::onQELmodeChange(int, int)
{
}

void QelBase::clear()
{
    while (lastChild != nullptr) {
        lastChild->deleteMe();
    }
}

void QelBase::add(QelBase* child)
{
    addChildBack(child);
}

void QelBase::remove(QelBase* child)
{
    removeChild(child);
}

void QelBase::deleteChildren()
{
    clear();
}

bool QelBase::isDisabled() const
{
    for (const QelBase* object = this; object != nullptr; object = object->getParent()) {
        if (object->bDisabled) {
            return true;
        }
    }
    return false;
}

void QelBase::notifyReferenceOwners()
{
    for (BasicLink* node = references.firstChild; node != nullptr;) {
        BasicLink* following = node->next;
        if (!node->bDead && !node->bSkip) {
            auto* reference = static_cast<ReferenceBase*>(node);
            Event e;
            e.type = EVENT_REFERENCE_NOTICE;
            e.sender = this;
            e.reference = reference;
            deliverEvent(&e, reference->owner, g_qel != nullptr ? g_qel->eventManager : nullptr);
        }
        node = following;
    }
}
