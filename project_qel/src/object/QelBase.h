#pragma once
// The base of every engine, menu and game object: a node of the object tree
// that owns its children, ticks and draws them, picks the object under the
// mouse, routes events and carries a timed state.
#include "object/BasicLink.h"
#include "object/Event.h"
#include "object/OwnerLink.h"
#include "object/ReferenceTarget.h"
#include "object/StateBase.h"

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
    virtual void netPostReplicate() {}
    virtual void netPostReplicateGlobal() {}
    // deleteMe every child, last first, until none is left.
    virtual void clear();
    virtual void add(QelBase* child);
    virtual void remove(QelBase* child);

    void deleteChildren();
    bool isDisabled() const;
    QelBase* getParent() const { return static_cast<QelBase*>(parent); }
    QelBase* getFirstChild() const { return static_cast<QelBase*>(firstChild); }
    // Sends event type 1 to the owner of every reference to this object.
    void notifyReferenceOwners();

    u8 bVisible = 1;
    u8 bSkipVisibility = 0;
    u8 bDisabled = 0;
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
