#include "object/BasicLink.h"

#include <algorithm>

QEL_IMPLEMENT_RUNTIME_CLASS(BasicLink, QEL_NO_PARENT, QEL_CREATOR(BasicLink));

BasicLink::~BasicLink()
{
    if (parent != nullptr) {
        parent->removeChild(this);
    }
    deleteChildren();
}

void BasicLink::deleteMe()
{
    delete this;
}

void BasicLink::detach(BasicLink* child)
{
    if (child->parent != nullptr) {
        child->parent->removeChild(child);
    }
}

std::vector<BasicLink::HeightCount>::iterator BasicLink::findHeight(u32 childHeight)
{
    return std::lower_bound(childHeights->begin(), childHeights->end(), childHeight,
                            [](const HeightCount& entry, u32 h) { return entry.height < h; });
}

void BasicLink::addHeight(u32 childHeight)
{
    if (childHeights == nullptr) {
        childHeights = std::make_unique<std::vector<HeightCount>>();
    }
    auto at = findHeight(childHeight);
    if (at != childHeights->end() && at->height == childHeight) {
        ++at->count;
    } else {
        childHeights->insert(at, HeightCount{childHeight, 1});
    }
}

void BasicLink::dropHeight(u32 childHeight)
{
    if (childHeights == nullptr) {
        return;
    }
    auto at = findHeight(childHeight);
    if (at != childHeights->end() && at->height == childHeight && --at->count == 0) {
        childHeights->erase(at);
    }
}

void BasicLink::moveHeight(u32 from, u32 to)
{
    // Most often the only child of its height changes height, and its
    // entry can change in place.
    auto at = findHeight(from);
    if (at != childHeights->end() && at->height == from && at->count == 1 &&
        (at == childHeights->begin() || (at - 1)->height < to) && (at + 1 == childHeights->end() || to < (at + 1)->height)) {
        at->height = to;
        return;
    }
    dropHeight(from);
    addHeight(to);
}

void BasicLink::updateHeights()
{
    // An ancestor whose height stays keeps every height above it too.
    for (BasicLink* node = this; node != nullptr;) {
        const std::vector<HeightCount>* counts = node->childHeights.get();
        const u32 measured = counts == nullptr || counts->empty() ? 0 : counts->back().height + 1;
        if (measured == node->height) {
            break;
        }
        BasicLink* above = node->parent;
        if (above != nullptr) {
            above->moveHeight(node->height, measured);
        }
        node->height = measured;
        node = above;
    }
}

void BasicLink::countChild(const BasicLink* child)
{
    addHeight(child->height);
    updateHeights();
}

void BasicLink::uncountChild(const BasicLink* child)
{
    dropHeight(child->height);
    updateHeights();
}

u32 BasicLink::depth() const
{
    u32 count = 0;
    for (const BasicLink* node = parent; node != nullptr; node = node->parent) {
        ++count;
    }
    return count;
}

void BasicLink::addChildBack(BasicLink* child)
{
    detach(child);
    child->parent = this;
    child->next = nullptr;
    child->prev = lastChild;
    if (lastChild != nullptr) {
        lastChild->next = child;
    } else {
        firstChild = child;
    }
    lastChild = child;
    countChild(child);
}

void BasicLink::addChildFront(BasicLink* child)
{
    detach(child);
    child->parent = this;
    child->prev = nullptr;
    child->next = firstChild;
    if (firstChild != nullptr) {
        firstChild->prev = child;
    } else {
        lastChild = child;
    }
    firstChild = child;
    countChild(child);
}

void BasicLink::insertAfter(BasicLink* child, BasicLink* sibling)
{
    if (child == sibling) {
        return;
    }
    detach(child);
    if (sibling == nullptr || sibling->parent != this || sibling == lastChild) {
        addChildBack(child);
        return;
    }
    child->parent = this;
    child->prev = sibling;
    child->next = sibling->next;
    sibling->next->prev = child;
    sibling->next = child;
    countChild(child);
}

void BasicLink::insertBefore(BasicLink* child, BasicLink* sibling)
{
    if (child == sibling) {
        return;
    }
    detach(child);
    if (sibling == nullptr || sibling->parent != this || sibling == firstChild) {
        addChildFront(child);
        return;
    }
    child->parent = this;
    child->next = sibling;
    child->prev = sibling->prev;
    sibling->prev->next = child;
    sibling->prev = child;
    countChild(child);
}

void BasicLink::removeChild(BasicLink* child)
{
    if (child == nullptr || child->parent != this) {
        return;
    }
    if (firstChild == lastChild) {
        firstChild = lastChild = nullptr;
    } else {
        if (child == firstChild) {
            firstChild = child->next;
        }
        if (child == lastChild) {
            lastChild = child->prev;
        }
        if (child->prev != nullptr) {
            child->prev->next = child->next;
        }
        if (child->next != nullptr) {
            child->next->prev = child->prev;
        }
    }
    child->parent = nullptr;
    if (!bDeleting) {
        uncountChild(child);
    }
}

void BasicLink::deleteChildren()
{
    while (lastChild != nullptr) {
        BasicLink* child = lastChild;
        removeChild(child);
        delete child;
    }
}

u32 BasicLink::countChildren() const
{
    u32 count = 0;
    for (BasicLink* child = firstChild; child != nullptr; child = child->next) {
        ++count;
    }
    return count;
}

BasicLink* BasicLink::getChild(int n) const
{
    BasicLink* child = firstChild;
    for (int i = 0; i < n && child != nullptr; ++i) {
        child = child->next;
    }
    return child;
}

void BasicLink::setChildrenSkipped(bool skip)
{
    for (BasicLink* child = firstChild; child != nullptr; child = child->next) {
        if (!child->bDead) {
            child->bSkip = skip ? 1 : 0;
        }
    }
}
