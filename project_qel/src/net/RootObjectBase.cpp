#include "net/RootObjectBase.h"

#include "net/RPC_RootObjectBase.h"

QEL_IMPLEMENT_HASHED_RUNTIME_CLASS(RootObjectBase, QelBase::runtimeClass(), QEL_CREATOR(RootObjectBase));

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

void RootObjectBase::destroyObjectNow(QelBase* o)
{
    // Under a role the object also leaves the role's table here.
    delete o;
}
