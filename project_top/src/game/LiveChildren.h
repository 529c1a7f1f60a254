#pragma once
// The live children of a container: neither marked dead nor skipped. The
// walk takes the next child before visiting, so a visit may unlink or flag
// the child it is given.
#include "object/QelBase.h"

template <class T, class Visit>
void forEachLive(const QelBase& holder, Visit visit)
{
    for (BasicLink* link = holder.firstChild; link != nullptr;) {
        BasicLink* following = link->next;
        if (!link->bDead && !link->bSkip) {
            visit(static_cast<T*>(static_cast<QelBase*>(link)));
        }
        link = following;
    }
}

// The first live child for which the test holds, or null.
template <class T, class Test>
T* findLive(const QelBase& holder, Test test)
{
    for (BasicLink* link = holder.firstChild; link != nullptr; link = link->next) {
        if (!link->bDead && !link->bSkip) {
            auto* child = static_cast<T*>(static_cast<QelBase*>(link));
            if (test(child)) {
                return child;
            }
        }
    }
    return nullptr;
}

// The nearest live node from `from` on (inclusive), stepping forward or
// backward through the siblings; null when none is left.
template <class T>
T* nearestLive(BasicLink* from, bool forward)
{
    for (BasicLink* link = from; link != nullptr; link = forward ? link->next : link->prev) {
        if (!link->bDead && !link->bSkip) {
            return static_cast<T*>(static_cast<QelBase*>(link));
        }
    }
    return nullptr;
}

template <class T>
T* firstLive(const QelBase& holder)
{
    return nearestLive<T>(holder.firstChild, true);
}

template <class T>
T* lastLive(const QelBase& holder)
{
    return nearestLive<T>(holder.lastChild, false);
}

template <class T>
int countLive(const QelBase& holder)
{
    int n = 0;
    forEachLive<T>(holder, [&n](T*) { ++n; });
    return n;
}
