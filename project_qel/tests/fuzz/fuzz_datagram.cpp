// Arbitrary bytes as one datagram from the connected peer's address, read
// by a server whose one node has the peer's UID 0x12345678, over the
// emulated localhost queue. Whatever delivers is handed out as a payload.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "../support/NetFuzzEngine.h"
#include "net/NetConnection.h"
#include "net/NetHost.h"
#include "net/Node.h"

namespace {

// A server that reads every payload it is handed to the end.
class Server : public NetHost {
public:
    Server() : NetHost("Vabo", 1.30, "Host", 0, true) {}
    void processPacket(Packet* p) override
    {
        while (!p->atEnd()) {
            u8 byte = 0;
            p->doBytes(&byte, 1);
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static NetFuzzEngine engine;
    NetAddress peer;
    peer.set(0x7F000001u, 60000);
    NetAddress any;
    any.set(0x7F000001u, 0);

    Server server;
    server.setConnection(new NetConnection(any), true);
    server.setMaxNodes(4);
    Packet from(Packet::NETWORK_FLAGS, 0);
    from.address = peer;
    server.createNode(&from, "Peer")->nodeUID = 0x12345678;

    Packet datagram(Packet::NETWORK_FLAGS, static_cast<int>(size));
    datagram.doBytes(const_cast<uint8_t*>(data), static_cast<int>(size));
    datagram.rewindToRead();
    datagram.address = peer;
    datagram.time = NetConnection::now();
    server.serviceDatagram(&datagram);
    server.service();
    ++netFuzzTicks;
    return 0;
}
