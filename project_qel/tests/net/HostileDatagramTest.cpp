// Datagrams that no working peer sends: each is dropped with a log line,
// the host goes on, and the connected peer's next payload still arrives.
#include <gtest/gtest.h>

#include <cstring>

#include "support/NetCore.h"
#include "system/Crc32.h"

namespace {

constexpr u32 PEER_UID = 0x12345678;

Bytes word(u32 value)
{
    return {static_cast<u8>(value), static_cast<u8>(value >> 8), static_cast<u8>(value >> 16),
            static_cast<u8>(value >> 24)};
}

// A data chunk's length (below 128), CRC-32 and bytes.
Bytes chunk(const Bytes& bytes)
{
    return join({{static_cast<u8>(bytes.size())}, word(crc32(bytes.data(), static_cast<i32>(bytes.size()))), bytes});
}

const Bytes MAGIC = word(0xFEFDFCFB);
const Bytes PEER = word(PEER_UID);

class HostileDatagram : public testing::Test {
protected:
    HostileDatagram()
    {
        Packet from(Packet::NETWORK_FLAGS, 0);
        from.address = peer->address;
        node = server.createNode(&from, "Peer");
        node->nodeUID = PEER_UID;
    }

    void send(NetConnection& from, const Bytes& bytes)
    {
        from.sendRaw(payloadOf(bytes).get(), server.address());
        server.service();
    }
    // A one-piece payload with the node's next sequence (below 128).
    Bytes data(const Bytes& payload, bool more = false)
    {
        return join({PEER, {static_cast<u8>(++sequence), static_cast<u8>(more ? 3 : 2), 0}, chunk(payload)});
    }

    NetCore net;
    RecordingHost server{true};
    std::unique_ptr<NetConnection> peer{NetCore::openEndpoint()};
    std::unique_ptr<NetConnection> stranger{NetCore::openEndpoint()};
    Node* node = nullptr;
    int sequence = 0;
};

} // namespace

TEST_F(HostileDatagram, IsDroppedWithALogLineAndTheHostGoesOn)
{
    Bytes longName = join({MAGIC, word(0), {33}, Bytes(33, 'x'), word(0x3FA66666), {1, 'a'}});
    Bytes longPlayer = join({MAGIC, word(0), {4, 'V', 'a', 'b', 'o'}, word(0x3FA66666), {17}, Bytes(17, 'x')});
    Bytes longReason = join({MAGIC, word(2), {0x80, 0x08}, Bytes(1024, 'x')});
    struct Case {
        const char* name;
        Bytes bytes;
        bool fromStranger;
        const char* logged;  // null: ignored without a word
    };
    const Case cases[] = {
        {"three bytes", {1, 2, 3}, false, "shorter than its first word"},
        {"unknown command", join({MAGIC, word(7)}), false, nullptr},
        {"no command", join({MAGIC, {0}}), false, "no command"},
        {"game name of 33 bytes", longName, true, "length<=maxLength"},
        {"player name of 17 bytes", longPlayer, true, "length<=maxLength"},
        {"reason of 1024 bytes", longReason, false, "length<BUFFERSIZE"},
        {"connect cut short", join({MAGIC, word(0), {4, 'V', 'a'}}), true, "read past the end"},
        {"disconnect without its UID", join({MAGIC, word(3), {1}}), false, "disconnect without a UID"},
        {"sequence beyond 32 bits", join({PEER, {0xFF, 0xFF, 0xFF, 0xFF, 0x1F, 0x02, 0x00}}), false,
         "variable-length integer beyond 32 bits"},
        {"ack beyond 32 bits", join({PEER, {0x01, 0x02, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}}), false,
         "variable-length integer beyond 32 bits"},
        {"data length past the end", join({PEER, {0x01, 0x02, 0x00, 0x0A}, word(0), {1, 2, 3}}), false,
         "data chunk past the end"},
        {"piece of 513 bytes", join({PEER, {0x01, 0x02, 0x00, 0x81, 0x04}, word(0), Bytes(513, 1)}), false,
         "data chunk over 512 bytes"},
        {"CRC mismatch", join({PEER, {0x01, 0x02, 0x00, 0x01}, word(0), {'z'}}), false,
         "received corrupt packet contents (from=%s, sequence=1)"},
        {"far-future sequence", join({PEER, {0x82, 0x80, 0x04, 0x02, 0x00}, chunk({1})}), false,
         "sequence far beyond the delivered ones"},
        {"unknown UID", join({word(99), {0x01, 0x02, 0x00}, chunk({1})}), false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NetConnection& from = c.fromStranger ? *stranger : *peer;
        std::string before = net.logText();
        send(from, c.bytes);
        std::string added = net.logText().substr(before.size());
        if (c.logged != nullptr) {
            std::string expected = formatString(c.logged, from.address.toString().c_str());
            EXPECT_NE(added.find(expected), std::string::npos) << added;
            EXPECT_NE(added.find(from.address.toString()), std::string::npos) << added;
        } else {
            EXPECT_EQ(added.find("WARNING"), std::string::npos) << added;
        }
        EXPECT_EQ(server.getNumNodes(), 1);
        EXPECT_TRUE(server.payloads.empty());
    }
    send(*peer, data({'o', 'k'}));
    EXPECT_EQ(server.payloads, std::vector<Bytes>{Bytes({'o', 'k'})});
}

TEST_F(HostileDatagram, SecondDataChunkIsDroppedBeforeTheNode)
{
    send(*peer, join({PEER, {0x01, 0x06, 0x00}, chunk({'a'}), chunk({'b'})}));
    EXPECT_EQ(server.payloads, std::vector<Bytes>{Bytes({'a'})});
    EXPECT_NE(net.logText().find("a second data chunk"), std::string::npos);
    EXPECT_EQ(node->sequenceIn, 1);
}

TEST_F(HostileDatagram, PayloadPastTheLargestPacketDropsThePeer)
{
    const Bytes piece(512, 'p');
    for (int i = 0; i < 128; ++i) {
        node->newIncoming([&] {
            Packet* p = payloadOf(piece).release();
            p->rewindToRead();
            p->sequence = ++sequence;
            p->bMore = true;
            return p;
        }());
    }
    ASSERT_EQ(server.getNumNodes(), 1) << "65,536 bytes still fit";
    send(*peer, join({PEER, {static_cast<u8>(0x80 | ((sequence + 1) & 0x7F)), static_cast<u8>((sequence + 1) >> 7),
                             0x03, 0x00, 0x80, 0x04},
                      word(crc32(piece.data(), 512)), piece}));
    EXPECT_EQ(server.getNumNodes(), 0);
    EXPECT_EQ(server.removed, std::vector<UString>{"Peer"});
    EXPECT_NE(net.logText().find("grew past 65536 bytes; dropping the peer"), std::string::npos);
}

TEST_F(HostileDatagram, PayloadOfMorePiecesThanAnySenderCutsDropsThePeer)
{
    for (const Bytes& piece : {Bytes{}, Bytes{'p'}}) {
        SCOPED_TRACE(piece.size());
        if (server.getNumNodes() == 0) {
            Packet from(Packet::NETWORK_FLAGS, 0);
            from.address = peer->address;
            server.createNode(&from, "Peer")->nodeUID = PEER_UID;
        }
        server.removed.clear();
        const size_t logged = net.logText().size();
        for (int seq = 1; seq <= NetHost::PIECES_MAX + 1; ++seq) {
            // The sequence as a two-byte variable-length integer.
            send(*peer, join({PEER, {static_cast<u8>(0x80 | (seq & 0x7F)), static_cast<u8>(seq >> 7), 0x03, 0x00},
                              chunk(piece)}));
            ASSERT_EQ(server.getNumNodes(), seq <= NetHost::PIECES_MAX ? 1 : 0) << seq;
        }
        EXPECT_EQ(server.removed, std::vector<UString>{"Peer"});
        EXPECT_NE(net.logText().find("came in more than 129 pieces; dropping the peer", logged), std::string::npos);
        EXPECT_TRUE(server.payloads.empty());
    }
}

// A handler that drops the peer of the packet it is given.
class DisconnectingHost : public RecordingHost {
public:
    DisconnectingHost() : RecordingHost(true) {}
    void processPacket(Packet* p) override
    {
        RecordingHost::processPacket(p);
        removeNode(p->node, true);
    }
};

TEST_F(HostileDatagram, HandlerThatDropsThePeerSkipsItsOtherPayloads)
{
    DisconnectingHost host;
    Packet from(Packet::NETWORK_FLAGS, 0);
    from.address = peer->address;
    host.createNode(&from, "Peer")->nodeUID = PEER_UID;
    for (const Bytes& payload : {Bytes{1}, Bytes{2}, Bytes{3}}) {
        peer->sendRaw(payloadOf(data(payload)).get(), host.address());
    }
    host.service();
    EXPECT_EQ(host.payloads, std::vector<Bytes>{Bytes{1}});
    EXPECT_EQ(host.getNumNodes(), 0);
    EXPECT_EQ(host.inQready.firstChild, nullptr);
    Packet* farewell = peer->receive();
    ASSERT_NE(farewell, nullptr);
    EXPECT_EQ(packetBytes(*farewell).size(), 12u) << "the disconnect datagram";
}
