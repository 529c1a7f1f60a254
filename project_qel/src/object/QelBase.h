#pragma once
// The base of every engine, menu and game object: a node of the object tree
// that owns its children, ticks and draws them, picks the object under the
// mouse, routes events and carries a timed state.
#include "object/BasicLink.h"
#include "object/Event.h"
#include "object/OwnerLink.h"
#include "object/ReferenceTarget.h"
#include "object/StateBase.h"

class Packet;
class PropertyContainer;

class Context;

class QelBase : public BasicLink, public StateBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    QelBase();
    ~QelBase() override;

    void deleteMe() override;
    // Advances the state, then updates the live children first to last.
    virtual void update(double time, double dt);
    // Renders the live children first to last.
    virtual void render();
    // The *n-th object under the mouse in this subtree (0 = topmost), in
    // reverse drawing order, children before their parent.
    virtual QelBase* pick(int* n);
    virtual bool isMouseInside();
    virtual bool filterEvent(Event* e);
    virtual bool postEvent(Event* e);
    virtual bool onFilterEvent(Event* e);
    virtual bool onEvent(Event* e);
    virtual bool onPostEvent(Event* e);
    virtual void onQELmodeChange(int oldMode, int newMode);
    // The object's image: its properties, in persistent packets the marker
    // 0xFEFDFCFB, then its children as object references ending in a null
    // one (in packets with flag 0x1 only the registered children). Reading
    // appends the children read and derives its state from the properties
    // read; a wrong marker, an unresolved child, one listed twice, one that
    // would make the tree a cycle or lie too deep sets the packet's error
    // state, and no child is adopted before every one has passed. Under a
    // held image (see Packet::heldImage) the values the properties had are
    // kept and the children only listed, and a child that would make a
    // cycle only marks the image. Reading the children costs constant work
    // for each and one walk up from this object: no higher than the
    // tallest of them, or to the top when one is placed, for the depth it
    // would lie at.
    virtual void netSerialize(Packet* packet);
    // Recomputes what the object derives from its property values: after
    // its properties are read, and after a refused read's are put back.
    virtual void netDeriveState() {}
    virtual void netPostReplicate() {}
    virtual void netPostReplicateGlobal() {}
    // deleteMe every child, last first, until none is left.
    virtual void clear();
    virtual void add(QelBase* child);
    virtual void remove(QelBase* child);
    // Appends "objectUID" (never carried in packets) and the "StateBase"
    // group; subclasses call this first and append their own.
    void addPropertiesTo(QelBase* container) override;

    // A new container named after the class record and the object's
    // address, filled by addPropertiesTo; the caller owns it.
    PropertyContainer* createPropertyTree();

    // The networked operations: each builds the call that carries the
    // operation to every side, invokes it and runs it here. Without a
    // replication role nothing is sent and the operation runs here at once.
    void netClear();
    void netAdd(QelBase* child);
    void netRemove(QelBase* child);
    void netCallPostReplicate();
    void netCallPostReplicateGlobal();
    // Stores the state number only: no timer, no onStateChange.
    void netSetStateRaw(int newState);
    void netSetState(int newState, double delay);
    // The replicated state change that netSetState runs on each side. A
    // change without delay happens at once everywhere; with a delay the
    // server keeps time and a client holds the change pending for 999999 s
    // until the server's arrives. With no role this side keeps time itself.
    // Every local state change goes through the StateBase form with three
    // arguments.
    void setState(int newState, double delay);
    using StateBase::setState;

    // Whether child may become a child of this object: not null, and
    // neither this object nor one of its ancestors.
    bool canAdopt(const QelBase* child) const;
    // Whether this object is `object` or lies in its subtree, found in a
    // walk up that stops at the first ancestor as tall as `object`.
    bool liesWithin(const QelBase* object) const;
    // The levels below this object's topmost ancestor that child would lie
    // at as its child, found in one walk; 0 where canAdopt says no.
    u64 adoptedDepth(const QelBase* child) const;
    // Whether a child that would lie childDepth levels below its topmost
    // ancestor keeps every node of its subtree within
    // NetRole::TREE_DEPTH_LIMIT levels.
    static bool fitsDepthLimit(u64 childDepth, const QelBase* child);
    // Why a child that does not fit is refused.
    static UString depthRefusal();
    // fitsDepthLimit; when not, the packet's error state says why.
    static bool checkAdoptionDepth(u64 childDepth, const QelBase* child, Packet* packet);

    // Registered with a replication role: an identifier of 1 or more.
    bool isValidUID() const { return objectUID >= 1; }

    void deleteChildren();
    bool isDisabled() const;
    // Whether this object is the event manager's focus, holds the focus in
    // its subtree, or lies under the mouse.
    bool hasFocus() const;
    bool containsFocus() const;
    bool isHovered() const;
    // This object or its nearest ancestor that is a screen; fatal when none is.
    Context* findContext();
    QelBase* getParent() const { return static_cast<QelBase*>(parent); }
    QelBase* getFirstChild() const { return static_cast<QelBase*>(firstChild); }
    // Sends event type 1 to the owner of every reference to this object.
    void notifyReferenceOwners();

    u8 bVisible = 1;
    u8 bSkipVisibility = 0;
    u8 bDisabled = 0;
    // Made by a peer's command: the role counts it against the objects
    // peers may keep alive here until it leaves the role's table.
    u8 bPeerMade = 0;
    i32 objectUID = -1;
    QelBase* eventDelegate = nullptr;
    ReferenceTarget references;
    OwnerLink ownerLink;

protected:
    // The shared walk of update and render: dead children are deleted as
    // the walk passes them, skipped ones are passed over.
    template <class Operation>
    void walkChildren(Operation operation);
};

template <class Operation>
void QelBase::walkChildren(Operation operation)
{
    BasicLink* previous = nullptr;
    BasicLink* child = firstChild;
    for (;;) {
        if (previous != nullptr && previous->bDead) {
            previous->deleteMe();
        }
        if (child == nullptr) {
            break;
        }
        BasicLink* following = child->next;
        if (!child->bDead && !child->bSkip) {
            operation(static_cast<QelBase*>(child));
        }
        previous = child;
        child = following;
    }
}
