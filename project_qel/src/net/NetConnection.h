#pragma once
// One UDP endpoint: a non-blocking socket bound to an address or, for
// 127.0.0.1 while the network object emulates localhost, an endpoint on the
// in-process queue that opens no socket. Datagrams come and go as packets;
// every one is counted in one-second statistics samples.
//
// Received datagrams may be dropped, delayed and jittered on purpose to
// imitate a poor network; with the three simulation values at 0 nothing of
// that happens.
//
// An endpoint whose address is taken (bind fails) is not open: the failure is
// logged, and from then on it receives nothing, sends nothing and counts
// nothing. Any other socket failure while opening is fatal; failures of
// sending and receiving later are warnings in the log.
#include "net/NetStats.h"
#include "net/Packet.h"

class FontQuad;

class NetConnection : public QelBase {
public:
    explicit NetConnection(const NetAddress& bindAddress);
    ~NetConnection() override;

    bool isOpen() const { return bOpen; }
    // The engine clock in seconds (0 while the engine has none), which the
    // network code stamps and measures its datagrams by.
    static double now();
    // The next datagram after the simulation, or null. The packet is either
    // receivePacket (valid until the next call) or a held copy; hand it to
    // releasePacket when done.
    Packet* receive();
    void releasePacket(Packet* p);
    // One datagram into receivePacket, or null.
    Packet* receiveRaw();
    // Sends the packet's data as one datagram and stamps the packet's time.
    void sendRaw(Packet* p, const NetAddress& to);
    // The sample of the present second, opened as the clock moves on.
    NetStats* getCurrentStats();
    // The history of one counter (a NetStats::Field) as a line graph in the
    // box from (x0, y0) to (x1, y1); y1 is the baseline.
    void drawGraph(FontQuad* font, float x0, float y0, float x1, float y1, const UString& caption, int field);

    NetAddress address;
    QelBase history;
    NetStats totals{0.0};
    double historyLength = 10.0;
    u8 bEmulated = 0;
    Packet receivePacket{Packet::NETWORK_FLAGS, Packet::DEFAULT_CAPACITY};
    QelBase inQsimulated;
    double simulatedLatency = 0.0;
    double simulatedJitter = 0.0;
    double simulatedLoss = 0.0;
    int wsaSocket = 0;

private:
    // A uniform draw in [0, 1) with 16-bit resolution.
    static double draw();
    // Opens the socket; false when the address cannot be bound.
    bool openSocket();

    bool bOpen = false;
};
