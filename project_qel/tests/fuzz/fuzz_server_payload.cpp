// Arbitrary bytes as the payloads of a server's one connected client, two
// payloads a network tick: each is a little-endian u16 length and that many
// bytes (the last one takes what is left). The server's world is a root
// with pieces that the payloads may copy, call and point at. A refused
// payload drops the client, who is then connected again; the server must
// play on whatever the client sends.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "../support/RoleCore.h"

QEL_IMPLEMENT_RUNTIME_CLASS(RolePiece, QelBase::runtimeClass(), QEL_CREATOR(RolePiece));
QEL_IMPLEMENT_RUNTIME_CLASS(RPC_RolePiece_draw, RPC::runtimeClass(), QEL_CREATOR(RPC_RolePiece_draw));
QEL_IMPLEMENT_RUNTIME_CLASS(RPC_RolePiece_relay, RPC::runtimeClass(), QEL_CREATOR(RPC_RolePiece_relay));

namespace {

constexpr int PAYLOADS = 64;

struct Engine {
    Engine()
    {
        RuntimeClassManager::getInstance()->buildClassArray();
        std::filesystem::current_path(start);
    }
    std::filesystem::path start = std::filesystem::current_path();
    NetCore net{true};
};

void buildWorld(NetRole* server)
{
    asRole(server, [&] {
        auto* root = new RootObjectBase();
        server->registerObject(root, 1);
        RolePiece* previous = nullptr;
        for (int i = 0; i < 4; ++i) {
            auto* piece = new RolePiece();
            server->registerObject(piece, 0);
            (previous != nullptr ? static_cast<QelBase*>(previous) : root)->addChildBack(piece);
            piece->partner = previous;
            previous = piece;
        }
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Engine engine;
    // Every input starts from the same clock, ports and identifiers.
    scriptedNetTicks = 100000;
    g_qel->frameTimer.currentStart = 0.0;
    g_qel->network->nextPort = 1;
    std::srand(1);
    TestRole server(true);
    buildWorld(&server);
    NetAddress client;
    client.set(0x7F000001u, 60000);

    size_t at = 0;
    for (int i = 0; i < PAYLOADS && at < size; ++i) {
        size_t length = size - at;
        if (length >= 2) {
            length = std::min<size_t>(data[at] | (data[at + 1] << 8), length - 2);
            at += 2;
        }
        if (server.getNumNodes() == 0) {
            Packet from(Packet::NETWORK_FLAGS, 0);
            from.address = client;
            server.createNode(&from, "Client")->nodeUID = 0x12345678;
        }
        Packet payload(Packet::NETWORK_FLAGS, static_cast<int>(length));
        payload.doBytes(const_cast<uint8_t*>(data + at), static_cast<int>(length));
        payload.rewindToRead();
        payload.address = client;
        payload.node = static_cast<Node*>(server.nodes.firstChild);
        at += length;
        asRole(&server, [&] { server.processPacket(&payload); });
        if (i % 2 == 1) {
            roleFrame({&server});
        }
    }
    roleFrame({&server});
    return 0;
}
