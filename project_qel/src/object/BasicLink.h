#pragma once
// Intrusive tree node that is at once a list element and a list head.
#include "object/RuntimeClass.h"

class BasicLink {
    QEL_DECLARE_ROOT_RUNTIME_CLASS()

public:
    using RegistryRoot = BasicLink;

    BasicLink() = default;
    // Leaves the parent's list, then deletes the children left, last first.
    virtual ~BasicLink();
    BasicLink(const BasicLink&) = delete;
    BasicLink& operator=(const BasicLink&) = delete;

    virtual void deleteMe();

    // The linking operations first unlink a child that is still in a list,
    // so a node can never sit in two lists at once, and raise the heights
    // of the new parent and its ancestors to cover the child's.
    void addChildBack(BasicLink* child);
    void addChildFront(BasicLink* child);
    // sibling must be a child of this list, or null when the list is empty.
    void insertAfter(BasicLink* child, BasicLink* sibling);
    void insertBefore(BasicLink* child, BasicLink* sibling);
    void removeChild(BasicLink* child);
    // Unlinks and deletes every child, last first.
    void deleteChildren();
    u32 countChildren() const;
    // The n-th child from the first (n < 1 gives the first), null past the end.
    BasicLink* getChild(int n) const;
    void setChildrenSkipped(bool skip);
    // The number of ancestors above this node, up to the topmost one.
    u32 depth() const;

    BasicLink* prev = nullptr;
    BasicLink* next = nullptr;
    BasicLink* firstChild = nullptr;
    BasicLink* lastChild = nullptr;
    BasicLink* parent = nullptr;
    u8 bDead = 0;
    u8 bSkip = 0;
    // At least the number of levels below this node: raised whenever a
    // child is linked, never lowered, so keeping it costs no walk of the
    // subtree when one leaves.
    u32 height = 0;

private:
    void detach(BasicLink* child);
    void raiseHeights(const BasicLink* child);
};
