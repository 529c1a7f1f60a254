// Arbitrary bytes as the payloads of one of a server's clients, two
// payloads a network tick (see RoleFuzz.h for the framing). The server's
// world is a root with pieces that the payloads may copy, call and point
// at, and a piece that changes on its own every frame. A refused payload
// drops the fuzzed client, who is then connected again; the server must
// play on whatever the client sends. A second, honest client makes one call
// every tick; after each tick it must still be connected and, once the
// traffic settles, read the server's world, but for the objects the fuzzed
// client copied (a client's copy is applied on the server alone).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>

#include "../support/RoleFuzz.h"

ROLE_CORE_CLASS_RECORDS;

namespace {

constexpr int PAYLOADS = 64;
constexpr u32 FUZZED_UID = 0x12345678;
constexpr int SETTLE_FRAMES = 60;

// The identifiers of the server's objects that a client's copy reached.
std::set<i32> copiedObjects(NetRole* server)
{
    std::set<i32> copied;
    for (const auto& [uid, o] : server->objectMap) {
        auto* piece = dynamic_cast<RolePiece*>(o);
        if (piece != nullptr && piece->postReplicates > 0) {
            copied.insert(uid);
        }
    }
    return copied;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static RoleFuzzEngine engine;
    RoleFuzzEngine::startInput();
    TestRole server(true);
    RoleTicker* ticker = nullptr;
    RolePiece* called = buildFuzzWorld(&server, &ticker);
    TestRole honest(false);
    honest.sendConnect(server.connection->address);
    for (int i = 0; i < SETTLE_FRAMES && honest.connects == 0; ++i) {
        roleFrame({&server, &honest});
    }
    if (honest.connects == 0) {
        std::abort();
    }
    const u32 honestUID = honest.hostUID;
    auto settle = [&] {
        ticker->running = false;
        bool same = false;
        for (int i = 0; i < SETTLE_FRAMES && !same; ++i) {
            roleFrame({&server, &honest});
            const std::set<i32> copied = copiedObjects(&server);
            same = worldText(&honest, copied, copied.empty()) == worldText(&server, copied, copied.empty());
        }
        ticker->running = true;
        if (!same || server.findNode(honestUID, nullptr) == nullptr) {
            std::abort();
        }
    };
    settle();
    NetAddress client;
    client.set(0x7F000001u, 60000);

    forEachFuzzPayload(data, size, PAYLOADS, [&](const u8* bytes, size_t length, int i) {
        if (server.findNode(FUZZED_UID, nullptr) == nullptr) {
            Packet from(Packet::NETWORK_FLAGS, 0);
            from.address = client;
            server.createNode(&from, "Client")->nodeUID = FUZZED_UID;
        }
        Packet payload(Packet::NETWORK_FLAGS, static_cast<int>(length));
        payload.doBytes(const_cast<u8*>(bytes), static_cast<int>(length));
        payload.rewindToRead();
        payload.address = client;
        payload.node = server.findNode(FUZZED_UID, nullptr);
        asRole(&server, [&] { server.processPacket(&payload); });
        if (i % 2 == 1) {
            asRole(&honest, [&] {
                if (auto* piece = static_cast<RolePiece*>(honest.lookupObject(called->objectUID))) {
                    RPC_RolePiece_relay relay;
                    relay.count = 2;
                    makeCall(piece, relay);
                }
            });
            roleFrame({&server, &honest});
            settle();
        }
    });
    roleFrame({&server, &honest});
    return 0;
}
