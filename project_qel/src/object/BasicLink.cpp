#include "object/BasicLink.h"

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

void BasicLink::raiseHeights(const BasicLink* child)
{
    // An ancestor that already covers the new height covers it for every
    // node above it too.
    u32 levels = child->height + 1;
    for (BasicLink* node = this; node != nullptr && node->height < levels; node = node->parent) {
        node->height = levels++;
    }
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
    raiseHeights(child);
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
    raiseHeights(child);
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
    raiseHeights(child);
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
    raiseHeights(child);
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
