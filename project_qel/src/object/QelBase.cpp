#include "object/QelBase.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/Context.h"
#include "engine/EventManager.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "net/NetRole.h"
#include "net/Packet.h"
#include "net/RootObjectBase.h"
#include "net/RPC_QelBase.h"
#include "object/ReferenceBase.h"
#include "property/PropertyContainer.h"
#include "property/PropertyInt.h"

QEL_IMPLEMENT_RUNTIME_CLASS(QelBase, BasicLink::runtimeClass(), QEL_CREATOR(QelBase));
QEL_TRAVELS(QelBase);

namespace {
// Follows an object's properties in persistent packets.
constexpr u32 OBJECT_MARKER = 0xFEFDFCFB;
// The last stamp an image read drew for BasicLink::imageMark: two per
// image, so it outlasts any run.
u64 lastImageStamp = 0;
} // namespace

QelBase::QelBase()
    : ownerLink(this)
{
    QEL_ASSERT(g_qel != nullptr);
    g_qel->liveObjects.addChildBack(&ownerLink);
}

QelBase::~QelBase()
{
    if (objectUID > 0 && NetRole::current() != nullptr) {
        QEL_FATAL("Deletion of registered object %d is not allowed (use NETDELETE instead).", objectUID);
    }
    bDeleting = 1;
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
    // Under a role a registered object goes on every side at once.
    NetRole* role = NetRole::current();
    if (objectUID > 0 && role != nullptr && role->root != nullptr &&
        role->root->getRuntimeClass()->isDerivedFrom(RootObjectBase::runtimeClass())) {
        static_cast<RootObjectBase*>(role->root)->destroyObject(this);
        return;
    }
    if (role != nullptr && role->lookupObject(objectUID) == this) {
        role->unregisterObject(this);
    }
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

bool QelBase::hasFocus() const
{
    return g_qel != nullptr && g_qel->eventManager != nullptr && g_qel->eventManager->getFocus() == this;
}

bool QelBase::containsFocus() const
{
    return g_qel != nullptr && g_qel->eventManager != nullptr && g_qel->eventManager->focusIsWithin(this);
}

bool QelBase::isHovered() const
{
    return g_qel != nullptr && g_qel->eventManager != nullptr && g_qel->eventManager->getHover() == this;
}

Context* QelBase::findContext()
{
    for (QelBase* object = this; object != nullptr; object = object->getParent()) {
        if (object->getRuntimeClass()->isDerivedFrom(Context::runtimeClass())) {
            return static_cast<Context*>(object);
        }
    }
    QEL_FATAL("Could not find any Context object.");
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

void QelBase::addPropertiesTo(QelBase* container)
{
    container->addChildBack(new PropertyInt("objectUID", Property::SKIP_FLAG1 | Property::SKIP_FLAG2, &objectUID));
    container->addChildBack(StateBase::createPropertyTree());
}

PropertyContainer* QelBase::createPropertyTree()
{
    auto address = static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(this));
    auto* container = new PropertyContainer(getRuntimeClass()->name + formatString(" (%08lx)", address), 0);
    addPropertiesTo(container);
    return container;
}

void QelBase::netSerialize(Packet* packet)
{
    Packet::HeldImage* held = packet->bWriting ? nullptr : packet->heldImage;
    if (held != nullptr && (held->reader != this || held->properties != nullptr)) {
        packet->setError("an object image read inside the image being copied");
        return;
    }
    std::unique_ptr<PropertyContainer> tree(createPropertyTree());
    if (held != nullptr) {
        tree->keepValues();
    }
    tree->netSerializeProperty(packet);
    if (held != nullptr) {
        held->properties = std::move(tree);
    }
    tree.reset();
    if (!packet->bWriting) {
        netDeriveState();
    }

    if ((packet->flags & Packet::PERSISTENT) != 0) {
        u32 marker = OBJECT_MARKER;
        packet->doBytes(&marker, 4);
        if (marker != OBJECT_MARKER) {
            packet->setError("marker==0xfefdfcfb");
            return;
        }
    }
    bool hasChildren = firstChild != nullptr;
    packet->doBool(&hasChildren);
    if (!hasChildren) {
        return;
    }
    if (packet->bWriting) {
        bool registeredOnly = (packet->flags & Packet::SKIP_FLAG1) != 0;
        for (BasicLink* node = firstChild; node != nullptr; node = node->next) {
            auto* child = static_cast<QelBase*>(node);
            if (!registeredOnly || child->objectUID >= 1) {
                packet->doPointer2(&child);
            }
        }
        QelBase* none = nullptr;
        packet->doPointer2(&none);
        return;
    }
    // An image may list as many children as its bytes hold, yet costs one
    // walk up from this object and constant work for each child. A child
    // read is stamped as listed by this image, so one listed twice is
    // refused at once and the list never outgrows the objects that resolve.
    // The walk stamps the listed children it meets as cycles, and passes
    // the first node as tall as the tallest child only when a child is to
    // be placed, for this object's depth. Nothing is adopted before the
    // whole list has passed, so a refused image moves no object; adopting
    // changes neither this object's ancestors nor its depth, so no check's
    // answer changes meanwhile.
    const u64 listedStamp = ++lastImageStamp;
    const u64 cycleStamp = ++lastImageStamp;
    std::vector<QelBase*> children;
    u32 tallest = 0;
    QelBase* child = nullptr;
    while (packet->doPointer2(&child)) {
        if (child->imageMark == listedStamp) {
            // No writer lists a child twice.
            packet->setError("an image lists a child twice");
            return;
        }
        child->imageMark = listedStamp;
        tallest = std::max(tallest, child->height);
        children.push_back(child);
    }
    if (packet->hasError()) {
        return;
    }
    // Heights grow going up: no node above the first one as tall as the
    // tallest child can be one of them. `levels` counts the nodes walked,
    // this object included, and `above` is the next one.
    u64 levels = 0;
    BasicLink* above = this;
    while (above != nullptr) {
        BasicLink* node = above;
        above = node->parent;
        ++levels;
        if (node->imageMark == listedStamp) {
            node->imageMark = cycleStamp;
        }
        if (node->height >= tallest) {
            break;
        }
    }
    size_t kept = 0;
    for (QelBase* listedChild : children) {
        if (listedChild->imageMark == cycleStamp) {
            if (held == nullptr) {
                packet->setError("child would make the tree a cycle");
                return;
            }
            held->bCycle = true;
            continue;
        }
        for (; above != nullptr; above = above->parent) {
            ++levels;
        }
        if (!checkAdoptionDepth(levels, listedChild, packet)) {
            return;
        }
        children[kept++] = listedChild;
    }
    children.resize(kept);
    if (held != nullptr) {
        held->children.insert(held->children.end(), children.begin(), children.end());
        return;
    }
    for (QelBase* adopted : children) {
        addChildBack(adopted);
    }
}

bool QelBase::liesWithin(const QelBase* object) const
{
    // Heights grow going up: the only ancestor that can be `object` is the
    // first one as tall.
    const BasicLink* node = this;
    while (node != nullptr && node->height < object->height) {
        node = node->parent;
    }
    return node == object;
}

bool QelBase::canAdopt(const QelBase* child) const
{
    return child != nullptr && !liesWithin(child);
}

u64 QelBase::adoptedDepth(const QelBase* child) const
{
    if (child == nullptr) {
        return 0;
    }
    u64 levels = 0;
    for (const BasicLink* node = this; node != nullptr; node = node->parent) {
        if (node == child) {
            return 0;
        }
        ++levels;
    }
    return levels;
}

bool QelBase::fitsDepthLimit(u64 childDepth, const QelBase* child)
{
    // Every walk of the tree recurses: a peer's commands must not build a
    // tree deeper than the stack holds.
    return childDepth + child->height <= NetRole::TREE_DEPTH_LIMIT;
}

UString QelBase::depthRefusal()
{
    return formatString("child would lie over %u levels deep", NetRole::TREE_DEPTH_LIMIT);
}

bool QelBase::checkAdoptionDepth(u64 childDepth, const QelBase* child, Packet* packet)
{
    if (fitsDepthLimit(childDepth, child)) {
        return true;
    }
    packet->setError(depthRefusal());
    return false;
}

void QelBase::netClear()
{
    makeCall(this, RPC_QelBase_clear());
}

void QelBase::netAdd(QelBase* child)
{
    RPC_QelBase_add rpc;
    rpc.obj = child;
    makeCall(this, rpc);
}

void QelBase::netRemove(QelBase* child)
{
    RPC_QelBase_remove rpc;
    rpc.obj = child;
    makeCall(this, rpc);
}

void QelBase::netCallPostReplicate()
{
    makeCall(this, RPC_QelBase_callNetPostReplicate());
}

void QelBase::netCallPostReplicateGlobal()
{
    makeCall(this, RPC_QelBase_callNetPostReplicateGlobal());
}

void QelBase::netSetStateRaw(int newState)
{
    RPC_QelBase_setStateRaw rpc;
    rpc._state = newState;
    makeCall(this, rpc);
}

void QelBase::netSetState(int newState, double delay)
{
    RPC_QelBase_setState rpc;
    rpc._stateGoto = newState;
    rpc._stateLeft = delay;
    makeCall(this, rpc);
}

void QelBase::setState(int newState, double delay)
{
    NetRole* role = NetRole::current();
    if (delay == 0.0 || role == nullptr) {
        StateBase::setState(newState, delay, false);
        return;
    }
    bool& otherSide = role->isServer ? role->bExecutesOnClient : role->bExecutesOnServer;
    bool saved = otherSide;
    otherSide = false;
    StateBase::setState(newState, role->isServer ? delay : 999999.0, false);
    otherSide = saved;
}
