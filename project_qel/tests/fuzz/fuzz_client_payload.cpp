// Arbitrary bytes as the payloads that a client receives from its server,
// two payloads a network tick (see RoleFuzz.h for the framing). The client
// first reads the snapshot of a server's world, a root with pieces that the
// payloads may copy, call and point at and a sprite whose skin a copy names
// among the resources; among the calls is one of the client's side that
// makes the client call the server in turn. A refused payload makes the
// client leave its server, which is then connected again; the client must
// play on whatever the server sends, and keep room for objects of its own.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "../support/RoleFuzz.h"

ROLE_CORE_CLASS_RECORDS;
ROLE_SPRITE_CLASS_RECORDS;

namespace {

constexpr int PAYLOADS = 64;
constexpr u32 SERVER_UID = 0;

Bytes worldSnapshot()
{
    TestRole server(true, false);
    RoleTicker* ticker = nullptr;
    buildFuzzWorld(&server, &ticker);
    Packet snapshot(Packet::NETWORK_FLAGS, Packet::DEFAULT_CAPACITY);
    asRole(&server, [&] { server.writeSnapshot(&snapshot); });
    NetRole::makeCurrent(nullptr);
    return packetBytes(snapshot);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static RoleFuzzEngine engine;
    RoleFuzzEngine::startInput();
    const Bytes snapshot = worldSnapshot();
    TestRole client(false);
    NetAddress server;
    server.set(0x7F000001u, 60000);
    auto deliver = [&](const u8* bytes, size_t length) {
        if (client.findNode(SERVER_UID, nullptr) == nullptr) {
            Packet from(Packet::NETWORK_FLAGS, 0);
            from.address = server;
            client.createNode(&from, "ServerPlayer")->nodeUID = SERVER_UID;
        }
        Packet payload(Packet::NETWORK_FLAGS, static_cast<int>(length));
        payload.doBytes(const_cast<u8*>(bytes), static_cast<int>(length));
        payload.rewindToRead();
        payload.address = server;
        payload.node = client.findNode(SERVER_UID, nullptr);
        asRole(&client, [&] { client.processPacket(&payload); });
        // Whatever the server sends, the client's own code keeps room for
        // its own objects.
        if (client.nextObjectUID > NetRole::PEER_COUNTER_LIMIT) {
            std::abort();
        }
    };
    deliver(snapshot.data(), snapshot.size());
    forEachFuzzPayload(data, size, PAYLOADS, [&](const u8* bytes, size_t length, int i) {
        deliver(bytes, length);
        if (i % 2 == 1) {
            roleFrame({&client});
        }
    });
    roleFrame({&client});
    // Nothing a peer sends builds a tree deeper than the limit, keeps more
    // objects alive than the bound or leaves a height that is not exact.
    if (!keepsItsBounds(&client)) {
        std::abort();
    }
    return 0;
}
