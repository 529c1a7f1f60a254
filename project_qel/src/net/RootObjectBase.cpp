#include "net/RootObjectBase.h"

#include "net/NetRole.h"
#include "net/RPC_RootObjectBase.h"
#include "property/PropertyInt.h"

QEL_IMPLEMENT_HASHED_RUNTIME_CLASS(RootObjectBase, QelBase::runtimeClass(), QEL_CREATOR(RootObjectBase));
QEL_TRAVELS(RootObjectBase);

void RootObjectBase::server_playerConnected(Node*)
{
}

void RootObjectBase::server_playerDisconnected(Node*)
{
}

void RootObjectBase::randomSeed(u32 seed)
{
    RPC_RootObjectBase_randomSeed rpc;
    rpc.seed = seed;
    makeCall(this, rpc);
}

void RootObjectBase::destroyObject(QelBase* o)
{
    RPC_RootObjectBase_destroyObject rpc;
    rpc.obj = o;
    makeCall(this, rpc);
}

void RootObjectBase::addPropertiesTo(QelBase* container)
{
    QelBase::addPropertiesTo(container);
    if (NetRole* role = NetRole::current()) {
        container->addChildBack(new PropertyInt("THEROLE->nextObjectUID", Property::UNSIGNED, &role->nextObjectUID));
    }
}

namespace {

void unregisterSubtree(NetRole* role, QelBase* o)
{
    for (BasicLink* link = o->firstChild; link != nullptr; link = link->next) {
        unregisterSubtree(role, static_cast<QelBase*>(link));
    }
    if (o->isValidUID()) {
        role->unregisterObject(o);
    }
}

} // namespace

void RootObjectBase::destroyObjectNow(QelBase* o)
{
    if (o == nullptr) {
        return;
    }
    if (NetRole* role = NetRole::current()) {
        role->unregisterObject(o);
        unregisterSubtree(role, o);
    }
    delete o;
}
