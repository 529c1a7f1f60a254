#pragma once
// The calls that carry the object tree's operations and an object's state
// to every side: made by QelBase's networked operations (netClear, netAdd,
// ...), each runs the operation of the same name on its target.
#include "net/TargetedRPC.h"
#include "object/QelBase.h"

class RPC_QelBase_clear : public TargetedRPC<QelBase> {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    void perform() override;
};

class RPC_QelBase_add : public TargetedObjectRPC<QelBase> {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    RPC_QelBase_add() : TargetedObjectRPC("obj") {}

    // Reading refuses a call whose child would lie too deep (see
    // QelBase::checkAdoptionDepth).
    void netSerialize(Packet* packet) override;
    // A child that is missing, or that would make the tree a cycle (the
    // target itself or one of its ancestors), is not added.
    void perform() override;
};

class RPC_QelBase_remove : public TargetedObjectRPC<QelBase> {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    RPC_QelBase_remove() : TargetedObjectRPC("obj") {}

    void perform() override;
};

class RPC_QelBase_callNetPostReplicate : public TargetedRPC<QelBase> {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    void perform() override;
};

class RPC_QelBase_callNetPostReplicateGlobal : public TargetedRPC<QelBase> {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    void perform() override;
};

// Overwrites the state number only: no timer, no onStateChange.
class RPC_QelBase_setStateRaw : public TargetedRPC<QelBase> {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    void netSerialize(Packet* packet) override;
    void addPropertiesTo(QelBase* container) override;
    void perform() override;

    i32 _state = 0;
};

// The replicated state change; the delay travels as a half float.
class RPC_QelBase_setState : public TargetedRPC<QelBase> {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    void netSerialize(Packet* packet) override;
    void addPropertiesTo(QelBase* container) override;
    void perform() override;

    i32 _stateGoto = 0;
    double _stateLeft = 0.0;
};
