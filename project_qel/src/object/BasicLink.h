#pragma once
// Intrusive tree node that is at once a list element and a list head.
//
// Every node knows its height, the levels below it, exactly: it counts its
// children by height, and each link operation updates the parent's count
// and climbs the ancestors only while a height changes. Linking or
// unlinking costs a search of the parent's few distinct child heights and
// at most one step for every ancestor; only a deletion goes through a
// subtree, once, as it deletes it.
#include <memory>
#include <vector>

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
    // so a node can never sit in two lists at once.
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
    // Set by ~QelBase while it deletes the object's children, which leave
    // uncounted: the object's counts and height stay as they were, and its
    // parent drops the height it counted once the object leaves, so a
    // subtree goes without a climb through the ancestors for each of its
    // nodes. ~BasicLink needs no mark: it leaves its parent before it
    // deletes its children.
    u8 bDeleting = 0;
    // The number of levels below this node: 0 for a node without
    // children, else one more than its highest child's.
    u32 height = 0;
    // Left by the last object image read that met this node (see
    // QelBase::netSerialize). Each image draws stamps never used before,
    // one for the children it lists and one for those of them that are its
    // reader or the reader's ancestors, so no mark is ever cleared.
    u64 imageMark = 0;

private:
    struct HeightCount {
        u32 height;
        u32 count;
    };

    void detach(BasicLink* child);
    // The child's height joins or leaves this node's counts, and the
    // heights above follow.
    void countChild(const BasicLink* child);
    void uncountChild(const BasicLink* child);
    // The entry of that height in childHeights, or where it would go.
    std::vector<HeightCount>::iterator findHeight(u32 childHeight);
    void addHeight(u32 childHeight);
    void dropHeight(u32 childHeight);
    // A counted child's height changed.
    void moveHeight(u32 from, u32 to);
    void updateHeights();

    // How many children have each height, in ascending height: most nodes
    // have one or two. Made when the first child comes, as most nodes
    // (leaves, and the links by which objects sit in lists) never have one.
    std::unique_ptr<std::vector<HeightCount>> childHeights;
};
