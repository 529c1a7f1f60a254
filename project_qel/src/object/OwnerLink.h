#pragma once
// The node by which an object sits in a list it does not own. Destroying it
// neither unlinks it nor deletes anything: whoever linked it removes it first.
#include "object/BasicLink.h"

class QelBase;

class OwnerLink : public BasicLink {
public:
    explicit OwnerLink(QelBase* ownerObject) : owner(ownerObject) {}
    ~OwnerLink() override;

    QelBase* owner;
};
