#pragma once
// The network code's surroundings on a scripted clock: the engine core with
// its log, a clock that moves only when the test moves it, the network
// object (emulated localhost or real loopback sockets), the console and
// the English texts. Plus a host that records what reaches it, and a relay
// that stands between two hosts and loses, reorders and repeats datagrams.
#include <deque>
#include <memory>
#include <random>
#include <vector>

#include "config/MemoryIniFile.h"
#include "engine/Console.h"
#include "engine/TimeKeeper.h"
#include "language/Language.h"
#include "net/NetConnection.h"
#include "net/NetHost.h"
#include "net/Node.h"
#include "net/QelNetwork.h"
#include "engine/Logger.h"
#include "support/EngineCore.h"
#include "support/PacketBytes.h"
#include "system/SystemUtils.h"

inline u32 scriptedNetTicks = 0;

class NetCore {
public:
    explicit NetCore(bool emulate = true)
    {
        scriptedNetTicks = 100000;
        setTickSource([] { return scriptedNetTicks; });
        setSleeper([](u32 milliseconds) { scriptedNetTicks += milliseconds; });
        core = std::make_unique<EngineCore>();
        Qel* qel = core->qel.get();
        config = std::make_unique<MemoryIniFile>("Vabodemo.cfg");
        config->setBool("QelNetwork", "bEmulateLocalhost", emulate);
        qel->config = config.get();
        qel->timeKeeper = new TimeKeeper();
        // Whole seconds from here, so that time-outs compare exactly.
        scriptedNetTicks = 100000;
        qel->network = new QelNetwork();
        qel->console = new Console();
        qel->language = new Language();
        qel->language->setCurrentLanguage(0);
    }
    ~NetCore()
    {
        Qel* qel = core->qel.get();
        delete qel->language;
        delete qel->console;
        delete qel->network;
        delete qel->timeKeeper;
        qel->language = nullptr;
        qel->console = nullptr;
        qel->network = nullptr;
        qel->timeKeeper = nullptr;
        qel->config = nullptr;
        core.reset();
        setTickSource(nullptr);
        setSleeper(nullptr);
    }
    NetCore(const NetCore&) = delete;
    NetCore& operator=(const NetCore&) = delete;

    // Moves the clock on by whole milliseconds.
    static void advance(double seconds) { scriptedNetTicks += static_cast<u32>(seconds * 1000.0 + 0.5); }
    static double now() { return NetConnection::now(); }

    // An endpoint on 127.0.0.1 with a port of the system's (or the queue's).
    static NetConnection* openEndpoint(u16 port = 0)
    {
        NetAddress address;
        address.set(0x7F000001u, port);
        return new NetConnection(address);
    }

    std::string logText() const
    {
        core->qel->logger->flush();
        return TempFolder::readFile(core->folder.path + "/Vabodemo.log");
    }
    std::vector<UString>& consoleLines() const { return core->qel->console->history; }

    std::unique_ptr<EngineCore> core;
    std::unique_ptr<MemoryIniFile> config;
};

// A host on an endpoint of its own that keeps everything handed to it.
class RecordingHost : public NetHost {
public:
    explicit RecordingHost(bool server, const UString& player = "", double gameVersion = 1.30)
        : NetHost("Vabo", gameVersion, player, 0, server)
    {
        setConnection(NetCore::openEndpoint(), true);
        setMaxNodes(server ? 8 : 1);
    }

    void processPacket(Packet* p) override { payloads.emplace_back(p->buffer, p->buffer + p->getDataSize()); }
    void onConnectionRefused(const UString& reason) override { refusals.push_back(reason); }
    void onNodeConnected(Node* node) override { connected.push_back(node->name); }
    void onNodeRemoved(Node* node) override { removed.push_back(node->name); }

    Node* firstNode() const { return static_cast<Node*>(nodes.firstChild); }
    const NetAddress& address() const { return connection->address; }
    // Everything counted so far: the totals and the open sample.
    std::unique_ptr<NetStats> seenStats() const
    {
        auto sum = std::make_unique<NetStats>(0.0);
        sum->add(connection->totals);
        if (connection->history.lastChild != nullptr) {
            sum->add(*static_cast<NetStats*>(connection->history.lastChild));
        }
        return sum;
    }

    std::vector<Bytes> payloads;
    std::vector<UString> refusals;
    std::vector<UString> connected;
    std::vector<UString> removed;
};

// A packet holding the bytes, as a sender would pass it.
inline std::unique_ptr<Packet> payloadOf(const Bytes& bytes)
{
    auto packet = std::make_unique<Packet>(Packet::NETWORK_FLAGS, Packet::DEFAULT_CAPACITY);
    Bytes copy = bytes;
    packet->doBytes(copy.data(), static_cast<int>(copy.size()));
    return packet;
}

inline Bytes join(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

// Services both hosts a number of times, a step of the clock apart.
inline void tick(NetHost& a, NetHost& b, int times = 1, double step = 0.05)
{
    for (int i = 0; i < times; ++i) {
        a.service();
        b.service();
        NetCore::advance(step);
    }
}

// Two endpoints between a client and a server: the client talks to `front`,
// the server hears `back`. Once `bLossy` is set it drops, holds back (to
// send after the next one) and repeats datagrams, with a seeded generator.
class Relay {
public:
    Relay(const NetAddress& serverAddress, u32 seed)
        : front(NetCore::openEndpoint()), back(NetCore::openEndpoint()), server(serverAddress), random(seed)
    {
    }

    // Forwards everything waiting, both ways.
    void pump()
    {
        while (Packet* p = front->receiveRaw()) {
            client = p->address;
            forward(*p, *back, server, heldToServer);
        }
        while (Packet* p = back->receiveRaw()) {
            forward(*p, *front, client, heldToClient);
        }
    }

    const NetAddress& address() const { return front->address; }

    bool bLossy = false;
    double dropRate = 0.20;
    double reorderRate = 0.04;
    double repeatRate = 0.02;
    int dropped = 0;
    int reordered = 0;
    int repeated = 0;

private:
    void forward(Packet& p, NetConnection& out, const NetAddress& to, std::deque<Bytes>& held)
    {
        Bytes bytes(p.buffer, p.buffer + p.getDataSize());
        std::uniform_real_distribution<double> chance(0.0, 1.0);
        if (bLossy && chance(random) < dropRate) {
            ++dropped;
            return;
        }
        if (bLossy && chance(random) < reorderRate) {
            ++reordered;
            held.push_back(bytes);
            return;
        }
        int copies = bLossy && chance(random) < repeatRate ? 2 : 1;
        repeated += copies - 1;
        for (int i = 0; i < copies; ++i) {
            out.sendRaw(payloadOf(bytes).get(), to);
        }
        while (!held.empty()) {
            out.sendRaw(payloadOf(held.front()).get(), to);
            held.pop_front();
        }
    }

    std::unique_ptr<NetConnection> front;
    std::unique_ptr<NetConnection> back;
    NetAddress server;
    NetAddress client;
    std::mt19937 random;
    std::deque<Bytes> heldToServer;
    std::deque<Bytes> heldToClient;
};
