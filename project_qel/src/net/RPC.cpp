#include "net/RPC.h"

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

void RPC::invoke()
{
}

void RPC::executeLocally()
{
    if (bExecutesOnServer || bExecutesOnClient) {
        call();
    }
}

bool RPC::receive(Packet* packet)
{
    RPC* rpc = packet->readNewObject<RPC>();
    if (rpc == nullptr) {
        return false;
    }
    rpc->netSerialize(packet);
    bool accepted = !packet->hasError();
    if (accepted) {
        rpc->executeLocally();
    }
    delete rpc;
    return accepted;
}

void RPC::send(Packet* packet, RPC* rpc)
{
    RuntimeClass* record = rpc->getRuntimeClass();
    packet->doClassID(&record);
    rpc->netSerialize(packet);
}
