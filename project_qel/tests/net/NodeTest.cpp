// A peer's record: ordering and duplicates, the missing sequence to ask
// for, the ping, reassembly and the UID it draws.
#include <gtest/gtest.h>

#include <set>

#include "support/NetCore.h"

namespace {

Packet* piece(i32 sequence, bool more, const Bytes& bytes)
{
    Packet* p = payloadOf(bytes).release();
    p->rewindToRead();
    p->sequence = sequence;
    p->bMore = more;
    return p;
}

std::vector<i32> sequences(const QelBase& queue)
{
    std::vector<i32> out;
    for (BasicLink* link = queue.firstChild; link != nullptr; link = link->next) {
        out.push_back(static_cast<Packet*>(link)->sequence);
    }
    return out;
}

} // namespace

TEST(Node, OrdersPiecesAsksForGapsMeasuresPingAndJoinsPayloads)
{
    NetCore net;
    RecordingHost host(true);
    auto outOfOrder = [&] { return host.seenStats()->outOfOrder; };

    // Arrival order 2, 3, 1: only the 1 is put in front of a waiting piece.
    Node node(&host);
    node.newIncoming(piece(2, false, {2}));
    node.newIncoming(piece(3, false, {3}));
    EXPECT_EQ(node.sequenceIn, 0);
    EXPECT_EQ(outOfOrder(), 0);
    node.newIncoming(piece(1, false, {1}));
    EXPECT_EQ(outOfOrder(), 1);
    EXPECT_EQ(node.sequenceIn, 3);
    EXPECT_EQ(host.inQready.countChildren(), 3u);
    host.inQready.deleteChildren();

    // A second 5 while 5 waits goes without a word.
    node.newIncoming(piece(5, false, {5}));
    node.newIncoming(piece(5, false, {5}));
    EXPECT_EQ(sequences(node.inQarrived), std::vector<i32>{5});
    EXPECT_EQ(outOfOrder(), 1);

    // With 4 delivered and 7 and 9 waiting, the gaps are named in turn.
    Node gaps(&host);
    gaps.sequenceIn = 4;
    EXPECT_EQ(gaps.nextResendRequest(), 0);
    gaps.newIncoming(piece(7, false, {}));
    gaps.newIncoming(piece(9, false, {}));
    std::vector<int> asked;
    for (int i = 0; i < 4; ++i) {
        asked.push_back(gaps.nextResendRequest());
    }
    EXPECT_EQ(asked, (std::vector<int>{5, 6, 8, 5}));

    // Acknowledging a datagram sent 0.1 s ago.
    Node sender(&host);
    Packet* sent = piece(1, false, {});
    sent->time = NetCore::now() - 0.1;
    sender.addUnacked(sent);
    sender.sequenceAcked = 0;
    sender.acknowledge();
    EXPECT_DOUBLE_EQ(sender.ping, 0.25);
    sender.sequenceAcked = 1;
    sender.acknowledge();
    EXPECT_NEAR(sender.ping, 0.235, 1e-9);
    EXPECT_EQ(sender.outQunacked.firstChild, nullptr);

    // Three pieces reach the ready queue as one payload, and only when all
    // three are there.
    Node joiner(&host);
    joiner.newIncoming(piece(1, true, {'a', 'b'}));
    joiner.newIncoming(piece(3, false, {'e'}));
    EXPECT_EQ(host.inQready.firstChild, nullptr);
    joiner.newIncoming(piece(2, true, {'c', 'd'}));
    ASSERT_EQ(host.inQready.countChildren(), 1u);
    EXPECT_EQ(packetBytes(*static_cast<Packet*>(host.inQready.firstChild)), (Bytes{'a', 'b', 'c', 'd', 'e'}));
    EXPECT_EQ(joiner.inQcontiguous.firstChild, nullptr);

    // UIDs are drawn afresh and never read as the connectionless magic.
    std::srand(7);
    std::set<u32> uids;
    for (int i = 0; i < 1000; ++i) {
        u32 uid = Node(&host).nodeUID;
        EXPECT_NE(uid, Node::MAGIC);
        uids.insert(uid);
    }
    EXPECT_EQ(uids.size(), 1000u);
}
