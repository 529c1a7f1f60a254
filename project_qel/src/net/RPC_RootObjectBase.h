#pragma once
// The two calls that RootObjectBase makes on every side.
#include "net/RootObjectBase.h"
#include "net/TargetedRPC.h"

class RPC_RootObjectBase_randomSeed : public TargetedRPC<RootObjectBase> {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    void netSerialize(Packet* packet) override;
    void addPropertiesTo(QelBase* container) override;
    void perform() override;

    u32 seed = 0;
};

class RPC_RootObjectBase_destroyObject : public TargetedObjectRPC<RootObjectBase> {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    RPC_RootObjectBase_destroyObject() : TargetedObjectRPC("o") {}

    void perform() override;
};
