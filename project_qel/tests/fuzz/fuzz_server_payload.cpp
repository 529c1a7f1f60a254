// Arbitrary bytes as the payloads of one of a server's clients, two
// payloads a network tick (see RoleFuzz.h for the framing). The server's
// world is a root with pieces that the payloads may copy, call and point
// at, a piece that changes on its own every frame, and a sprite whose skin
// a copy names among the resources. A refused payload
// drops the fuzzed client, who is then connected again; the server must
// play on whatever the client sends. A second, honest client makes one call
// every tick and, once that has settled, changes and copies one piece.
// After each tick it must still be connected and, once the traffic
// settles, read the server's world, but for the objects the fuzzed client
// copied (a client's copy is applied on the server alone) and those whose
// honest copies the server skipped (they name a child that the fuzzed
// client's copies made an ancestor there).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <vector>

#include "../support/RoleFuzz.h"

ROLE_CORE_CLASS_RECORDS;
ROLE_SPRITE_CLASS_RECORDS;

namespace {

constexpr int PAYLOADS = 64;
constexpr u32 FUZZED_UID = 0x12345678;
constexpr int SETTLE_FRAMES = 60;

// The copies applied to a piece or a sprite; 0 for any other object.
int copiesApplied(QelBase* o)
{
    if (auto* piece = dynamic_cast<RolePiece*>(o)) {
        return piece->postReplicates;
    }
    if (auto* sprite = dynamic_cast<SpritePiece*>(o)) {
        return sprite->postReplicates;
    }
    return 0;
}

// The identifiers of the server's objects that the fuzzed client's copies
// reached (`honest` counts the honest copies applied), with `skipped`.
std::set<i32> leftOut(NetRole* server, const std::map<i32, int>& honest, const std::set<i32>& skipped)
{
    std::set<i32> out = skipped;
    for (const auto& [uid, o] : server->objectMap) {
        auto applied = honest.find(uid);
        if (copiesApplied(o) > (applied != honest.end() ? applied->second : 0)) {
            out.insert(uid);
        }
    }
    return out;
}

// Whether the server skips a copy of `o` that names the children of
// `image`: one of them is `o` or an ancestor of it there.
bool skipsCopy(NetRole* server, QelBase* o, QelBase* image)
{
    for (BasicLink* link = image->firstChild; link != nullptr; link = link->next) {
        auto* child = static_cast<QelBase*>(link);
        if (child->isValidUID() && !o->canAdopt(server->lookupObject(child->objectUID))) {
            return true;
        }
    }
    return false;
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
    // The pieces above the called one: the honest client's own call does
    // not change them on its way.
    std::vector<i32> pieces;
    for (QelBase* o = called->getParent(); o != server.root; o = o->getParent()) {
        pieces.push_back(o->objectUID);
    }
    std::map<i32, int> honestCopies;
    std::set<i32> skipped;
    auto settle = [&] {
        ticker->running = false;
        bool same = false;
        for (int i = 0; i < SETTLE_FRAMES && !same; ++i) {
            roleFrame({&server, &honest});
            const std::set<i32> out = leftOut(&server, honestCopies, skipped);
            same = worldText(&honest, out, out.empty()) == worldText(&server, out, out.empty());
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
            // A copy written while the server's changes are on their way
            // would put back what they changed, on the server alone. The
            // changed number keeps the next settling going until it lands.
            asRole(&honest, [&] {
                const i32 uid = pieces[static_cast<size_t>(i / 2) % pieces.size()];
                if (auto* piece = static_cast<RolePiece*>(honest.lookupObject(uid))) {
                    piece->number = i;
                    if (skipsCopy(&server, server.lookupObject(uid), piece)) {
                        skipped.insert(uid);
                    } else {
                        ++honestCopies[uid];
                    }
                    honest.writeCopyObj(piece);
                }
            });
            settle();
        }
    });
    roleFrame({&server, &honest});
    // Nothing a peer sends builds a tree deeper than the limit, keeps more
    // objects alive than the bound, leaves a height that is not exact or
    // takes the server's room for objects of its own.
    if (!keepsItsBounds(&server) || server.nextObjectUID > NetRole::PEER_COUNTER_LIMIT) {
        std::abort();
    }
    return 0;
}
