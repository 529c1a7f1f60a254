#pragma once
// A host's record of one connected peer. It numbers the datagrams sent to
// the peer and keeps each until the peer acknowledges it, so that it can be
// sent again; it smooths the round-trip time from the acknowledgements. It
// puts the pieces received from the peer in order, drops duplicates, joins
// the pieces of each payload and appends every complete payload to its
// host's ready queue, and it names the missing datagram to ask for next.
//
// Sequence numbers are signed 32-bit counters per direction, the first
// datagram carrying 1. The host passes only pieces newer than sequenceIn;
// anything else is a fatal check. A payload whose pieces add up to more than
// a packet's default capacity, or that comes in more pieces than the host
// ever cuts one into, is refused (newIncoming returns false, `refusal` says
// why) before its pieces pile up.
#include "net/NetAddress.h"
#include "object/QelBase.h"

class NetHost;
class NetStats;
class Packet;

class Node : public QelBase {
public:
    // The magic of the connectionless datagrams, which no UID may equal.
    static constexpr u32 MAGIC = 0xFEFDFCFBu;

    // A node of the host, with a fresh random UID; the host may be null for
    // a node outside any host (nothing is then counted or delivered).
    explicit Node(NetHost* owner);
    ~Node() override;

    void addUnacked(Packet* p);
    // Drops the datagrams up to sequenceAcked and updates the ping.
    void acknowledge();
    Packet* findUnacked(int seq) const;
    // The missing sequence to ask for next, cycling through the gaps; 0 when
    // nothing is missing.
    int nextResendRequest();
    // Takes the piece (the node owns it from then on). False when the payload
    // it belongs to has grown too long; the host then drops the node.
    bool newIncoming(Packet* piece);
    void insertSorted(QelBase* queue, Packet* p);
    void moveContiguous();
    // False when the payload at the front has grown too long.
    bool assembleReady();
    bool processIncoming();

    NetHost* host;
    u32 nodeUID;
    NetAddress address;
    i32 sequenceAcked = 0;
    i32 sequenceIn = 0;
    double ping = 0.25;
    double lastReceiveTime;
    UString name;
    QelBase inQarrived;
    QelBase inQcontiguous;
    QelBase outQunacked;
    i32 sequenceOut = 0;
    i32 lastResendRequest = 0;
    // Why the last payload was refused; empty while none was.
    UString refusal;

private:
    static u32 drawUID();
    NetStats* currentStats() const;
};
