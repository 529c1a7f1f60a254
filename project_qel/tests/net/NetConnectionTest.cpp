// The UDP endpoint and its statistics on a scripted clock, over real
// loopback sockets and over the emulated queue.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "support/NetCore.h"

namespace {

class Endpoint : public testing::TestWithParam<bool> {
protected:
    NetCore net{GetParam()};
    std::unique_ptr<NetConnection> a{NetCore::openEndpoint()};
    std::unique_ptr<NetConnection> b{NetCore::openEndpoint()};

    void send(NetConnection& from, const NetConnection& to, int size)
    {
        from.sendRaw(payloadOf(Bytes(static_cast<size_t>(size), 0x5A)).get(), to.address);
    }
};

std::string transport(const testing::TestParamInfo<bool>& info)
{
    return info.param ? "Emulated" : "Sockets";
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Loopback, Endpoint, testing::Values(false, true), transport);

TEST_P(Endpoint, CountsEveryDatagramWithItsHeaders)
{
    EXPECT_EQ(a->bEmulated, GetParam() ? 1 : 0);
    EXPECT_NE(a->address.getPort(), 0);
    EXPECT_EQ(a->receive(), nullptr);

    send(*a, *b, 100);
    send(*a, *b, 0);
    Packet* p = b->receive();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->getDataSize(), 100);
    EXPECT_EQ(p->address.getPort(), a->address.getPort());
    EXPECT_EQ(p->time, NetCore::now());
    ASSERT_NE(b->receive(), nullptr);
    EXPECT_EQ(b->receive(), nullptr);

    // A datagram that cannot go is counted all the same.
    NetAddress nowhere;
    nowhere.set(0x7F000001u, 0);
    a->sendRaw(payloadOf(Bytes(10)).get(), nowhere);
    if (!GetParam()) {
        EXPECT_NE(net.logText().find("sendRaw(): WARNING: sendto() failed with error"), std::string::npos);
    }

    NetStats* out = a->getCurrentStats();
    EXPECT_EQ(out->packetsOut, 3);
    EXPECT_EQ(out->bytesOut, 100 + 28 + 0 + 28 + 10 + 28);
    EXPECT_EQ(out->payloadOut, 110);
    NetStats* in = b->getCurrentStats();
    EXPECT_EQ(in->packetsIn, 2);
    EXPECT_EQ(in->bytesIn, 128 + 28);
    EXPECT_EQ(in->payloadIn, 100);
}

TEST_P(Endpoint, SimulatesLossAndLatency)
{
    b->simulatedLoss = 1.0;
    for (int i = 0; i < 3; ++i) {
        send(*a, *b, 8);
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(b->receive(), nullptr);
    }
    EXPECT_EQ(b->getCurrentStats()->packetsLost, 3);
    EXPECT_EQ(b->getCurrentStats()->packetsIn, 3);

    b->simulatedLoss = 0.0;
    b->simulatedLatency = 0.2;
    send(*a, *b, 8);
    double sent = NetCore::now();
    EXPECT_EQ(b->receive(), nullptr);
    EXPECT_EQ(b->inQsimulated.countChildren(), 1u);
    NetCore::advance(0.199);
    EXPECT_EQ(b->receive(), nullptr);
    NetCore::advance(0.001);
    Packet* late = b->receive();
    ASSERT_NE(late, nullptr);
    EXPECT_NEAR(late->time, sent + 0.2, 1e-9);
    EXPECT_EQ(late->getDataSize(), 8);
    EXPECT_EQ(b->inQsimulated.countChildren(), 0u);
    b->releasePacket(late);

    // A copy that is due does not wait behind one held longer.
    send(*a, *b, 8);
    EXPECT_EQ(b->receive(), nullptr);
    b->simulatedLatency = 0.05;
    send(*a, *b, 4);
    EXPECT_EQ(b->receive(), nullptr);
    NetCore::advance(0.05);
    Packet* early = b->receive();
    ASSERT_NE(early, nullptr);
    EXPECT_EQ(early->getDataSize(), 4);
    b->releasePacket(early);
}

TEST_P(Endpoint, KeepsOneSecondSamplesForTenSeconds)
{
    double t = NetCore::now();
    NetStats* first = a->getCurrentStats();
    EXPECT_EQ(first->startTime, t);
    NetCore::advance(1.0);
    EXPECT_EQ(a->getCurrentStats(), first);  // the end of the second still belongs to it
    NetStats::increase(first->resends, 2);
    NetCore::advance(0.001);
    NetStats* second = a->getCurrentStats();
    EXPECT_EQ(second->startTime, t + 1.0);
    EXPECT_EQ(a->totals.resends, 2);

    // After five silent seconds the samples catch up one second per call.
    NetCore::advance(5.0);
    EXPECT_EQ(a->getCurrentStats()->startTime, t + 2.0);
    EXPECT_EQ(a->getCurrentStats()->startTime, t + 3.0);

    // Called every second, the history settles at ten samples.
    for (int i = 0; i < 20; ++i) {
        NetStats::increase(a->getCurrentStats()->packetsLost);
        NetCore::advance(1.0);
    }
    NetStats* newest = a->getCurrentStats();
    EXPECT_EQ(a->history.countChildren(), 10u);
    EXPECT_EQ(static_cast<NetStats*>(a->history.firstChild)->startTime, newest->startTime - 9.0);
    EXPECT_EQ(a->totals.packetsLost + newest->packetsLost, 20);

    // Counters stop at the largest value.
    newest->bytesIn = 0x7FFFFFF0;
    NetStats::increase(newest->bytesIn, 100);
    EXPECT_EQ(newest->bytesIn, 0x7FFFFFFF);
    a->totals.add(*newest);
    a->totals.add(*newest);
    EXPECT_EQ(a->totals.bytesIn, 0x7FFFFFFF);
}

TEST(EndpointPortInUse, SecondEndpointStaysClosedAndTheProgramGoesOn)
{
    NetCore net(false);
    std::unique_ptr<NetConnection> first(NetCore::openEndpoint());
    std::unique_ptr<NetConnection> second(NetCore::openEndpoint(first->address.getPort()));
    EXPECT_TRUE(first->isOpen());
    EXPECT_FALSE(second->isOpen());
    std::string expected = "NetConnection(): WARNING: bind() to " + first->address.toString() + " failed with error " +
                           std::strerror(EADDRINUSE) + ".";
    EXPECT_NE(net.logText().find(expected), std::string::npos) << net.logText();

    // It sends nothing, receives nothing, counts nothing.
    second->sendRaw(payloadOf(Bytes(4)).get(), first->address);
    EXPECT_EQ(first->receive(), nullptr);
    first->sendRaw(payloadOf(Bytes(4)).get(), second->address);
    EXPECT_EQ(second->receive(), nullptr);
    EXPECT_EQ(second->history.firstChild, nullptr);

    // And a host on it does nothing.
    NetHost host("Vabo", 1.30, "", 0, true);
    host.setConnection(second.release(), true);
    host.setMaxNodes(4);
    RecordingHost client(false);
    client.sendConnect(host.connection->address);
    host.service();
    host.sendConnect(client.address());
    client.service();
    EXPECT_EQ(host.getNumNodes(), 0);
    EXPECT_EQ(client.connection->history.countChildren(), 1u);
    EXPECT_EQ(client.seenStats()->packetsIn, 0);
}
