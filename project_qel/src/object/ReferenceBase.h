#pragma once
// A pointer to a QelBase that becomes null when its target dies. The target
// keeps the list of references to it; the holder is told by a type-0 event.
#include "object/BasicLink.h"

class Packet;
class QelBase;

class ReferenceBase : public BasicLink {
public:
    explicit ReferenceBase(QelBase* ownerObject) : owner(ownerObject) {}
    ~ReferenceBase() override;

    // Repoints the reference. Clearing one that had a target sends the owner
    // the reference-cleared event.
    void set(QelBase* newTarget);
    // The target as an object reference; reading repoints the reference
    // (an unresolved identifier clears it and sets the packet's error).
    void netSerialize(Packet* packet);

    QelBase* target = nullptr;
    QelBase* const owner;
};
