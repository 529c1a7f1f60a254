#include "net/RPC.h"

#include "engine/QelAssert.h"
#include "net/NetRole.h"
#include "net/Packet.h"

QEL_IMPLEMENT_RUNTIME_CLASS(RPC, QEL_NO_PARENT, QEL_CREATOR(RPC));

RPC::RPC(int flags)
    : bExecutesOnServer((flags & EXECUTES_ON_SERVER) != 0),
      bExecutesOnClient((flags & EXECUTES_ON_CLIENT) != 0),
      bClientCallable((flags & CLIENT_CALLABLE) != 0)
{
}

void RPC::netSerialize(Packet*)
{
}

void RPC::addPropertiesTo(QelBase*)
{
}

void RPC::call()
{
}

bool RPC::executeRemotely()
{
    NetRole* role = NetRole::current();
    if (role == nullptr) {
        return false;
    }
    bool runsHereAlready = role->isServer ? role->bExecutesOnClient : role->bExecutesOnServer;
    if (!bClientCallable && !role->isServer && bExecutesOnServer && !role->bExecutesOnServer) {
        QEL_FATAL("Can't call '%s' client-side.", getRuntimeClass()->name.c_str());
    }
    if (role->isServer) {
        return bExecutesOnClient && !runsHereAlready;
    }
    return bClientCallable && bExecutesOnServer && !runsHereAlready;
}

void RPC::invoke()
{
    if (executeRemotely()) {
        NetRole::current()->writeRPC(this, nullptr);
    }
}

void RPC::executeLocally()
{
    NetRole* role = NetRole::current();
    if (role == nullptr) {
        if (bExecutesOnServer || bExecutesOnClient) {
            call();
        }
        return;
    }
    if (role->isServer ? !bExecutesOnServer : !bExecutesOnClient) {
        return;
    }
    bSavedExecutesOnServer = role->bExecutesOnServer;
    bSavedExecutesOnClient = role->bExecutesOnClient;
    role->bExecutesOnServer = bExecutesOnServer;
    role->bExecutesOnClient = bExecutesOnClient;
    call();
    role->bExecutesOnServer = bSavedExecutesOnServer;
    role->bExecutesOnClient = bSavedExecutesOnClient;
}

void RPC::send(Packet* packet, RPC* rpc)
{
    RuntimeClass* record = rpc->getRuntimeClass();
    packet->doClassID(&record);
    rpc->netSerialize(packet);
}
