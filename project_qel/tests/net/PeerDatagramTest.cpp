// The bytes two hosts put on the wire: the data datagram of a small
// payload, the four connectionless commands, how a payload is cut into
// pieces, and a resend.
#include <gtest/gtest.h>

#include <cstring>

#include "support/NetCore.h"

namespace {

class PeerDatagram : public testing::Test {
protected:
    // The next datagram that reached the listening endpoint.
    Bytes heard()
    {
        Packet* p = listener->receiveRaw();
        return p != nullptr ? Bytes(p->buffer, p->buffer + p->getDataSize()) : Bytes{};
    }
    // A node of the host that talks to the listening endpoint.
    Node* nodeForListener(NetHost& host)
    {
        Packet from(Packet::NETWORK_FLAGS, 0);
        from.address = listener->address;
        return host.createNode(&from, "");
    }

    NetCore net;
    std::unique_ptr<NetConnection> listener{NetCore::openEndpoint()};
};

// The length and the bytes masked as strings travel.
Bytes text(const char* s)
{
    Bytes out{static_cast<u8>(std::strlen(s))};
    for (const char* c = s; *c != 0; ++c) {
        out.push_back(static_cast<u8>(*c ^ 0x4B));
    }
    return out;
}

} // namespace

TEST_F(PeerDatagram, SmallPayloadIsOneDataDatagramAndItsResendTheSameBytes)
{
    RecordingHost client(false);
    client.hostUID = 0x12345678;
    Node* server = nodeForListener(client);
    server->sequenceOut = 2;
    server->sequenceIn = 5;
    client.sendPacket(payloadOf({'a', 'b', 'c'}).get(), server);
    const Bytes sent = heard();
    EXPECT_EQ(sent, (Bytes{0x78, 0x56, 0x34, 0x12, 0x03, 0x02, 0x05, 0x03, 0xc2, 0x41, 0x24, 0x35, 0x61, 0x62, 0x63}));

    // The peer asks for sequence 3: its UID, sequence 6, a bit byte with the
    // more flag 0 and a resend request, ack 0, the wanted sequence.
    Bytes request{0, 0, 0, 0, 0x06, 0x00, 0x00, 0x03};
    std::memcpy(request.data(), &server->nodeUID, 4);
    auto ask = [&] {
        listener->sendRaw(payloadOf(request).get(), client.address());
        client.service();
        ++request[4];
    };
    ask();  // sooner than 1.1 times the ping after sending: ignored
    EXPECT_TRUE(heard().empty());
    NetCore::advance(0.3);
    ask();
    EXPECT_EQ(heard(), sent);
    EXPECT_EQ(client.seenStats()->resendRequests, 2);
    EXPECT_EQ(client.seenStats()->resends, 1);
}

TEST_F(PeerDatagram, ConnectionlessCommands)
{
    RecordingHost server(true, "Host");
    RecordingHost client(false, "Ann");
    Node* node = nodeForListener(server);
    node->nodeUID = 0xA1B2C3D4;
    const Bytes magic{0xFB, 0xFC, 0xFD, 0xFE};
    const Bytes version{0x66, 0x66, 0xA6, 0x3F};  // 1.30 as a float

    client.sendConnect(listener->address);
    EXPECT_EQ(heard(), join({magic, {0, 0, 0, 0}, text("Vabo"), version, text("Ann")}));
    server.sendAccepted(node);
    EXPECT_EQ(heard(), join({magic, {1, 0, 0, 0}, text("Vabo"), version, {0, 0, 0, 0}, {0xD4, 0xC3, 0xB2, 0xA1}}));
    server.sendRefused(listener->address, "Server is full.");
    EXPECT_EQ(heard(), join({magic, {2, 0, 0, 0}, text("Server is full.")}));
    client.hostUID = 0x01020304;
    client.sendDisconnect(node);
    EXPECT_EQ(heard(), join({magic, {3, 0, 0, 0}, {4, 3, 2, 1}}));
}

TEST_F(PeerDatagram, PayloadsAreCutIntoPiecesOfAtMost512Bytes)
{
    struct Case {
        int length;
        std::vector<int> pieces;
    };
    const Case cases[] = {
        {0, {0}},
        {511, {511}},
        {512, {257, 255}},
        {1024, {342, 342, 340}},
        {5000, {501, 501, 501, 501, 501, 501, 501, 501, 501, 491}},
    };
    RecordingHost host(true);
    Node* node = nodeForListener(host);
    for (const Case& c : cases) {
        Bytes payload(static_cast<size_t>(c.length));
        for (size_t i = 0; i < payload.size(); ++i) {
            payload[i] = static_cast<u8>(i * 7);
        }
        i32 first = node->sequenceOut + 1;
        host.sendPacket(payloadOf(payload).get(), node);
        Bytes joined;
        for (size_t i = 0; i < c.pieces.size(); ++i) {
            SCOPED_TRACE(testing::Message() << c.length << " bytes, piece " << i);
            auto datagram = readerFor(heard());
            u32 uid = 1;
            datagram->doBytes(&uid, 4);
            datagram->doHeader();
            u32 ack = 1;
            datagram->doUInt(&ack);
            bool isData = false;
            datagram->doBool(&isData);
            u32 length = 0;
            u32 crc = 0;
            datagram->doUInt(&length);
            datagram->doBytes(&crc, 4);
            EXPECT_EQ(uid, 0u);
            EXPECT_EQ(datagram->sequence, first + static_cast<i32>(i));
            EXPECT_EQ(datagram->bMore, i + 1 < c.pieces.size());
            EXPECT_EQ(ack, 0u);
            EXPECT_TRUE(isData);
            EXPECT_EQ(static_cast<int>(length), c.pieces[i]);
            EXPECT_EQ(crc, datagram->getCRC(static_cast<int>(datagram->cursor - datagram->buffer), c.pieces[i]));
            joined.insert(joined.end(), datagram->cursor, datagram->cursor + length);
            EXPECT_EQ(datagram->cursor + length, datagram->buffer + datagram->length) << "one chunk only";
        }
        EXPECT_TRUE(heard().empty());
        EXPECT_EQ(joined, payload);
    }
}
