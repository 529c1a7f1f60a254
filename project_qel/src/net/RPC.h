#pragma once
// One call on an object of the replicated world: its target, its arguments
// and the sides on which it runs. Each kind of call is a class derived from
// RPC that writes and reads its target and arguments through a Packet and
// performs the call. The caller builds it, invoke() hands it to the peers,
// executeLocally() runs it on this side. A peer's replication role that
// receives one creates an object of the same class by its class number,
// reads it and runs it; a server runs a client's call only when its class
// is client-callable.
//
// The peers are reached only through the current replication role
// (THEROLE). Without one this side is the only one, server and client at
// once, so nothing is sent and every call runs here at once.
#include "object/RuntimeClass.h"

class Packet;
class QelBase;

class RPC {
    QEL_DECLARE_ROOT_RUNTIME_CLASS()

public:
    using RegistryRoot = RPC;

    // RPC flags.
    static constexpr int EXECUTES_ON_SERVER = 0x1;
    static constexpr int EXECUTES_ON_CLIENT = 0x2;
    static constexpr int CLIENT_CALLABLE = 0x4;
    // What every call of the engine uses: runs on every side.
    static constexpr int EVERY_SIDE = EXECUTES_ON_SERVER | EXECUTES_ON_CLIENT;

    explicit RPC(int flags = 0);
    virtual ~RPC() = default;

    // Writes or reads the target and the arguments.
    virtual void netSerialize(Packet* packet);
    // Lists the arguments as properties in container.
    virtual void addPropertiesTo(QelBase* container);
    // Performs the call.
    virtual void call();

    // Whether the call must go to the peers: from a server to the clients
    // when it runs there and is not made by code that runs there already;
    // from a client to the server when it is client-callable. A client may
    // not make a server call that is not client-callable (fatal). False
    // without a role.
    bool executeRemotely();
    // Writes the call into the role's outgoing payload when it must go to
    // the peers.
    void invoke();
    // Runs the call when this side is one it runs on, with the role's two
    // flags set to the call's meanwhile: with no role this side is both, so
    // any call that runs on the server or on clients runs.
    void executeLocally();

    // Writes one call as a peer's replication role reads it: its class,
    // then its own serialisation.
    static void send(Packet* packet, RPC* rpc);

    bool bExecutesOnServer;
    bool bExecutesOnClient;
    bool bClientCallable;
    bool bSavedExecutesOnServer = false;
    bool bSavedExecutesOnClient = false;
};
