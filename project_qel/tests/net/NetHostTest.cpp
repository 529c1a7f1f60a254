// Two hosts in one process over real loopback sockets and over the
// emulated queue: the handshake, refusals and disconnects, a lossy relay
// between them, time-outs, and datagrams that no peer should send.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "support/NetCore.h"

namespace {

class Host : public testing::TestWithParam<bool> {
protected:
    NetCore net{GetParam()};

    // Runs the handshake of the client with whatever listens at `to`.
    static void connect(RecordingHost& client, const NetAddress& to, RecordingHost& server, Relay* relay = nullptr)
    {
        client.sendConnect(to);
        for (int i = 0; i < 10 && client.connected.empty(); ++i) {
            if (relay != nullptr) {
                relay->pump();
            }
            server.service();
            if (relay != nullptr) {
                relay->pump();
            }
            client.service();
        }
    }

    std::vector<UString> consoleFrom(size_t start) const
    {
        auto& lines = net.consoleLines();
        return std::vector<UString>(lines.begin() + static_cast<long>(std::min(start, lines.size())), lines.end());
    }
};

std::string transport(const testing::TestParamInfo<bool>& info)
{
    return info.param ? "Emulated" : "Sockets";
}

Bytes randomBytes(std::mt19937& random, size_t size)
{
    Bytes bytes(size);
    for (u8& b : bytes) {
        b = static_cast<u8>(random());
    }
    return bytes;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Loopback, Host, testing::Values(false, true), transport);

TEST_P(Host, HandshakeNamesPeersRefusesWhenFullAndEndsOnDisconnect)
{
    RecordingHost server(true, "Host");
    RecordingHost first(false);
    RecordingHost second(false);
    const UString at = server.address().toString();

    connect(first, server.address(), server);
    connect(second, server.address(), server);
    EXPECT_EQ(server.connected, (std::vector<UString>{"Anonymous", "Anonymous-1"}));
    EXPECT_EQ(first.connected, std::vector<UString>{"ServerPlayer"});
    EXPECT_EQ(first.hostUID, server.firstNode()->nodeUID);
    EXPECT_EQ(first.firstNode()->nodeUID, 0u);
    const UString firstAt = first.address().toString();
    const std::vector<UString> expected = {
        "S       serviceInPacketSpecial |   New Connect attempt from " + firstAt,
        "S       serviceInPacketSpecial |   Accepting connection...",
        "S       serviceInPacketSpecial |   Done.",
        "     C  serviceInPacketSpecial |   Connection acccepted by " + at,
    };
    EXPECT_EQ(std::vector<UString>(net.consoleLines().begin(), net.consoleLines().begin() + 4), expected);

    // A second connect from the same endpoint is only reported.
    size_t mark = net.consoleLines().size();
    first.sendConnect(server.address());
    server.service();
    EXPECT_EQ(consoleFrom(mark).back(), "S       serviceInPacketSpecial |   " + firstAt + " already exists");
    EXPECT_EQ(server.getNumNodes(), 2);

    // Payloads flow both ways once connected.
    first.broadcastPacket(payloadOf({1, 2, 3}).get());
    server.broadcastPacket(payloadOf({4}).get());
    tick(server, first);
    tick(second, second);
    EXPECT_EQ(server.payloads, std::vector<Bytes>{Bytes({1, 2, 3})});
    EXPECT_EQ(first.payloads, std::vector<Bytes>{Bytes({4})});
    EXPECT_EQ(second.payloads, std::vector<Bytes>{Bytes({4})});
    // The peer's port follows the port its datagrams come from.
    server.firstNode()->address.setPort(1);
    first.broadcastPacket(payloadOf({5}).get());
    server.service();
    EXPECT_EQ(server.firstNode()->address.getPort(), first.address().getPort());

    // A client older than the oldest version served is refused; so is
    // everybody once the server is full.
    RecordingHost old(false, "", -1.0);
    connect(old, server.address(), server);
    EXPECT_EQ(old.refusals, std::vector<UString>{"You need at least version 0.00 of the game (you have -1.00)."});
    RecordingHost late(false);
    server.setMaxNodes(0);
    connect(late, server.address(), server);
    EXPECT_EQ(late.refusals, std::vector<UString>{"Server is full."});
    EXPECT_EQ(late.getNumNodes(), 0);
    EXPECT_EQ(consoleFrom(mark).back(), "S       serviceInPacketSpecial |   Sending FULL to " + late.address().toString());
    EXPECT_EQ(server.getNumNodes(), 2);
    // A client with its one node ignores a further accept; a server older
    // than the oldest version served is refused by the client.
    RecordingHost other(true);
    first.sendConnect(other.address());
    other.service();
    first.service();
    EXPECT_EQ(first.getNumNodes(), 1);
    RecordingHost oldServer(true, "", -1.0);
    RecordingHost asker(false);
    connect(asker, oldServer.address(), oldServer);
    EXPECT_EQ(asker.refusals, std::vector<UString>{"Server must be at least version 0.00 of the game (it's -1.00)."});
    EXPECT_EQ(asker.getNumNodes(), 0);

    // A disconnect datagram ends the node on the other side.
    first.disconnectAll();
    EXPECT_EQ(first.removed, std::vector<UString>{"ServerPlayer"});
    server.service();
    EXPECT_EQ(server.removed, std::vector<UString>{"Anonymous"});
    EXPECT_EQ(server.getNumNodes(), 1);
    EXPECT_NE(net.logText().find("serviceInPacketSpecial(): SERVER: New DISCONNECT notify from " + firstAt),
              std::string::npos);

    // Names longer than their fields go out cut at a character boundary.
    RecordingHost named(false, "abcdefghijklmno\xC3\xA9");
    server.setMaxNodes(8);
    server.gameName = std::string(40, 'G');
    connect(named, server.address(), server);
    EXPECT_EQ(named.getNumNodes(), 1);
    EXPECT_EQ(server.connected.back(), "abcdefghijklmno");
}

TEST_P(Host, LossyRelayDeliversEveryPayloadOnceInOrder)
{
    constexpr int COUNT = 500;
    RecordingHost server(true);
    RecordingHost client(false);
    Relay relay(server.address(), 28);
    connect(client, relay.address(), server, &relay);
    ASSERT_EQ(client.getNumNodes(), 1);
    relay.bLossy = true;
    // One resend request rides on each payload, and most payloads lose more
    // than one piece at this rate: the gaps pile up, and the lowest one may
    // wait a whole round of the others, far longer than the time-out.
    server.timeout = client.timeout = 3600.0;

    std::mt19937 random(2028);
    std::uniform_int_distribution<int> size(0, 5000);
    std::vector<Bytes> toServer;
    std::vector<Bytes> toClient;
    for (int i = 0; i < COUNT; ++i) {
        toServer.push_back(randomBytes(random, static_cast<size_t>(size(random))));
        toClient.push_back(randomBytes(random, static_cast<size_t>(size(random))));
    }
    // One payload per tick each way, as a role sends its tick's traffic;
    // empty ones once the list is through, to keep acknowledging.
    auto sendNext = [](RecordingHost& host, const std::vector<Bytes>& list, size_t& next) {
        host.broadcastPacket(payloadOf(next < list.size() ? list[next] : Bytes{}).get());
        ++next;
    };
    size_t nextToServer = 0;
    size_t nextToClient = 0;
    int ticks = 0;
    for (; ticks < 20000; ++ticks) {
        if (server.payloads.size() >= COUNT && client.payloads.size() >= COUNT) {
            break;
        }
        ASSERT_EQ(server.getNumNodes(), 1) << "after " << ticks << " ticks";
        ASSERT_EQ(client.getNumNodes(), 1) << "after " << ticks << " ticks";
        sendNext(client, toServer, nextToServer);
        sendNext(server, toClient, nextToClient);
        relay.pump();
        server.service();
        client.service();
        NetCore::advance(0.02);
    }
    ASSERT_GE(server.payloads.size(), static_cast<size_t>(COUNT)) << ticks << " ticks";
    ASSERT_GE(client.payloads.size(), static_cast<size_t>(COUNT)) << ticks << " ticks";
    for (int i = 0; i < COUNT; ++i) {
        ASSERT_EQ(server.payloads[static_cast<size_t>(i)], toServer[static_cast<size_t>(i)]) << "payload " << i;
        ASSERT_EQ(client.payloads[static_cast<size_t>(i)], toClient[static_cast<size_t>(i)]) << "payload " << i;
    }
    for (size_t i = COUNT; i < server.payloads.size(); ++i) {
        EXPECT_TRUE(server.payloads[i].empty());
    }
    for (size_t i = COUNT; i < client.payloads.size(); ++i) {
        EXPECT_TRUE(client.payloads[i].empty());
    }
    EXPECT_GT(relay.dropped, 0);
    EXPECT_GT(relay.reordered, 0);
    EXPECT_GT(relay.repeated, 0);
    for (RecordingHost* host : {&server, &client}) {
        EXPECT_GT(host->seenStats()->resendRequests, 0);
        EXPECT_GT(host->seenStats()->resends, 0);
        EXPECT_GT(host->seenStats()->outOfOrder, 0);
    }
    std::cout << "[   INFO   ] " << ticks << " ticks; relay dropped " << relay.dropped << ", reordered "
              << relay.reordered << ", repeated " << relay.repeated << "\n";
}

TEST_P(Host, SilentPeerGoesAfterItsTimeOutWithItsWaitingPayload)
{
    RecordingHost server(true);
    RecordingHost client(false);
    connect(client, server.address(), server);
    ASSERT_EQ(server.getNumNodes(), 1);
    scriptedNetTicks = 200000;  // a time that adds exactly

    // Two of the three pieces of a payload: it waits for the last one.
    auto payload = payloadOf(Bytes(1024, 7));
    client.sendPiece(payload.get(), client.firstNode(), 0, 342);
    client.sendPiece(payload.get(), client.firstNode(), 342, 342);
    server.service();
    EXPECT_EQ(server.firstNode()->sequenceIn, 2);
    EXPECT_EQ(server.firstNode()->lastReceiveTime, 200.0);

    NetCore::advance(5.0);
    server.service();
    EXPECT_EQ(server.getNumNodes(), 1) << "exactly the time-out: stays";
    NetCore::advance(0.001);
    server.service();
    EXPECT_EQ(server.getNumNodes(), 0);
    EXPECT_EQ(server.removed, std::vector<UString>{"Anonymous"});
    EXPECT_TRUE(server.payloads.empty());
    EXPECT_EQ(client.connection->receive(), nullptr) << "no disconnect datagram";
}
