#pragma once
// The engine's network manager: it holds the current replication role,
// the "bEmulateLocalhost" switch, and the in-process queue of datagrams
// between emulated endpoints on 127.0.0.1.
#include "net/NetAddress.h"
#include "object/QelBase.h"
#include "object/RuntimeClass.h"

class NetRole;

class QelNetwork {
    QEL_DECLARE_ROOT_RUNTIME_CLASS()

public:
    QelNetwork();
    virtual ~QelNetwork();
    QelNetwork(const QelNetwork&) = delete;
    QelNetwork& operator=(const QelNetwork&) = delete;

    // The next port for an emulated endpoint (1, 2, 3, ...).
    u16 allocatePort();
    void sendEmulated(const NetAddress& from, const NetAddress& to, const u8* data, int length);
    // Takes the oldest datagram addressed to the receiver. A datagram longer
    // than the buffer's capacity is dropped rather than cut.
    bool receiveEmulated(NetAddress* from, const NetAddress& receiver, u8* buffer, int capacity, int* length);
    // Drops the queued datagrams that the sender sent.
    void flushEmulatedPackets(const NetAddress& sender);
    static UString getErrorString(int error);

    u8 bEmulateLocalhost = 1;
    // The current replication role; null while no role runs.
    NetRole* THEROLE = nullptr;
    u16 nextPort = 1;
    QelBase emulatedPackets;
};
