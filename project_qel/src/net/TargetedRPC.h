#pragma once
// The common part of the engine's calls: the object the call is made on,
// first in the wire form, and the flags of every engine call (runs on the
// server and on the clients). A call whose target did not arrive (the
// identifier 0) is not performed.
#include "net/Packet.h"
#include "net/RPC.h"
#include "property/PropertyPointer.h"

template <class T>
class TargetedRPC : public RPC {
public:
    TargetedRPC() : RPC(EVERY_SIDE) {}

    void netSerialize(Packet* packet) override { packet->doObject(&target); }
    void call() override
    {
        if (target != nullptr) {
            perform();
        }
    }
    // The call itself, on a target that is present.
    virtual void perform() = 0;

    T* target = nullptr;
};

// A call with one object argument, listed as a property of the given name.
template <class T>
class TargetedObjectRPC : public TargetedRPC<T> {
public:
    explicit TargetedObjectRPC(const char* propertyName) : argumentName(propertyName) {}

    void netSerialize(Packet* packet) override
    {
        TargetedRPC<T>::netSerialize(packet);
        packet->doPointer2(&obj);
    }
    void addPropertiesTo(QelBase* container) override
    {
        container->addChildBack(
            new PropertyPointer(argumentName, 0, reinterpret_cast<void**>(&obj), QelBase::runtimeClass()));
    }

    QelBase* obj = nullptr;
    const char* argumentName;
};

// How the engine makes a call: on its target, handed to the peers, then run
// on this side.
template <class T, class Call>
void makeCall(T* target, Call&& rpc)
{
    rpc.target = target;
    rpc.invoke();
    rpc.executeLocally();
}
