#pragma once
// One peer of the UDP peer protocol, server or client. It keeps a Node per
// connected peer, runs the handshake, cuts outgoing packets into datagrams,
// takes incoming datagrams apart and hands every complete incoming packet to
// processPacket; peers that fall silent for longer than `timeout` go.
//
// Wire format. Every datagram starts with a raw little-endian u32. The magic
// 0xFEFDFCFB marks a connectionless datagram, followed by a u32 command:
//   0 connect     game name (<= 32 bytes), version (float), player name (<= 16)
//                 (longer names go out cut at a character boundary)
//   1 accepted    game name, version, server's host UID, the client's new UID
//   2 refused     reason (< 1024 bytes)
//   3 disconnect  sender's host UID
// Any other first word is the sender's host UID of a data datagram:
//   sequence (varuint), bit byte (bit 0: more pieces follow; bits 1 up: the
//   kinds of the chunks in order), ack (varuint), then chunks to the end:
//   kind 0 a resend request (varuint sequence), kind 1 data (varuint
//   length, u32 CRC-32, the bytes). A packet of L bytes goes out in
//   L / 512 + 1 pieces of at most L / count + 1 bytes, one datagram each.
//
// Received datagrams are outside data and are read only through the
// packet's error state: a datagram cut short, an over-long string, an
// integer beyond 32 bits, a second data chunk, a piece over 512 bytes, or a
// sequence more than 65,536 beyond what the peer has delivered is dropped
// with a log line; nothing a peer sends can end the program. A peer whose
// payload grows past 65,536 bytes or 129 pieces is dropped.
//
// A host on an endpoint that is not open does nothing.
#include "net/Packet.h"

class NetConnection;
class Node;

class NetHost : public QelBase {
public:
    static constexpr u32 MAGIC = 0xFEFDFCFBu;
    enum Command : u32 { CONNECT = 0, ACCEPTED = 1, REFUSED = 2, DISCONNECT = 3 };
    static constexpr int GAME_NAME_MAX = 32;
    static constexpr int PLAYER_NAME_MAX = 16;
    static constexpr int PIECE_MAX = 512;
    // The most pieces sendPacket cuts a payload of the largest size into.
    static constexpr int PIECES_MAX = Packet::DEFAULT_CAPACITY / PIECE_MAX + 1;
    // How far past the delivered sequence a datagram may lie.
    static constexpr i32 SEQUENCE_WINDOW = 65536;
    // In mode 4 the host counts as having exactly one node.
    static constexpr int MODE_SINGLE_NODE = 4;

    NetHost(const UString& gameName, double version, const UString& playerName, int mode, bool isServer);
    ~NetHost() override;

    // The endpoint; with owns the host deletes it.
    void setConnection(NetConnection* endpoint, bool owns);
    void setMaxNodes(int count) { maxNodes = count; }

    virtual void onNodeConnected(Node*) {}
    virtual void onNodeRemoved(Node*) {}
    // Every complete incoming packet; the host deletes it afterwards.
    virtual void processPacket(Packet*) {}
    virtual void onConnectionRefused(const UString&) {}
    virtual void flushGlobalState() {}
    virtual void serviceDatagram(Packet* datagram);

    // Receives, delivers the complete packets and drops silent peers.
    void service();
    void sendConnect(const NetAddress& server);
    void sendAccepted(Node* node);
    void sendRefused(const NetAddress& to, const UString& reason);
    void sendDisconnect(Node* node);
    void sendPiece(Packet* packet, Node* node, int offset, int length);
    void sendPacket(Packet* packet, Node* node);
    void broadcastPacket(Packet* packet);
    void removeNode(Node* node, bool notify);
    void disconnectAll();
    int getNumNodes() const;
    Node* findNode(u32 uid, const NetAddress* from) const;
    Node* findNodeByAddress(const NetAddress& address) const;
    Node* createNode(Packet* datagram, UString name);

    NetConnection* connection = nullptr;
    bool bOwnsConnection = false;
    u32 hostUID = 0;
    int mode;
    QelBase nodes;
    int maxNodes = 0;
    double timeout = 5.0;
    QelBase inQready;
    bool isServer;
    Packet sendBuffer{Packet::NETWORK_FLAGS, Packet::DEFAULT_CAPACITY};
    UString gameName;
    double version;
    UString playerName;

protected:
    void serviceInPacketSpecial(Packet* datagram);
    void serviceInPacketNormal(Packet* datagram, u32 uid);

private:
    bool isOpen() const;
    // Starts a connectionless datagram with its command word.
    static void writeCommand(Packet& datagram, Command command);
    // The name, cut to the field's bytes at a character boundary.
    static void writeName(Packet& datagram, const UString& name, int maxBytes);
    void send(Packet& datagram, const NetAddress& to);
    // "S      " on a server, "     C " on a client.
    const char* sideMark() const;
    void consoleLine(const UString& message) const;
    // Logs why a received datagram goes unread.
    static void drop(const char* function, const Packet* datagram, const char* reason);
    // False, with the log line, when the handshake datagram was cut short
    // or over-long.
    static bool isIntact(const Packet* datagram);
    // The peer's game name and version.
    static bool readGame(Packet* datagram, double* peerVersion);
    static bool isTooOld(double peerVersion);
    void acceptConnect(Packet* datagram);
    void acceptAccepted(Packet* datagram);
    // Reads one chunk; false when the rest of the datagram goes unread.
    bool readChunk(Packet* datagram, Node* node, bool& dataSeen);
};
