// Arbitrary bytes as one datagram from the connected peer's address, read
// by a server whose one node has the peer's UID 0x12345678, over the
// emulated localhost queue. Whatever delivers is handed out as a payload.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>

#include "../support/TempFolder.h"
#include "config/MemoryIniFile.h"
#include "engine/Console.h"
#include "engine/Qel.h"
#include "engine/TimeKeeper.h"
#include "language/Language.h"
#include "net/NetConnection.h"
#include "net/NetHost.h"
#include "net/Node.h"
#include "net/QelNetwork.h"
#include "object/RuntimeClassManager.h"
#include "system/SystemUtils.h"

namespace {

u32 ticks = 100000;

// The engine on a still clock, with the network object, the console and
// the English texts; the replay's working folder is given back so that
// relative corpus paths still open.
struct Engine {
    Engine()
    {
        RuntimeClassManager::getInstance()->buildClassArray();
        std::filesystem::current_path(start);
        setTickSource([] { return ticks; });
        setSleeper([](u32 milliseconds) { ticks += milliseconds; });
        qel.config = &config;
        qel.timeKeeper = new TimeKeeper();
        qel.network = new QelNetwork();
        qel.console = new Console();
        qel.language = new Language();
        qel.language->setCurrentLanguage(0);
    }
    ~Engine()
    {
        delete qel.language;
        delete qel.console;
        delete qel.network;
        delete qel.timeKeeper;
        qel.language = nullptr;
        qel.console = nullptr;
        qel.network = nullptr;
        qel.timeKeeper = nullptr;
        qel.config = nullptr;
    }
    std::filesystem::path start = std::filesystem::current_path();
    TempFolder folder;
    MemoryIniFile config{"Vabodemo.cfg"};
    Qel qel{Qel::CoreOnly{}};
};

// A server that reads every payload it is handed to the end.
class Server : public NetHost {
public:
    Server() : NetHost("Vabo", 1.30, "Host", 0, true) {}
    void processPacket(Packet* p) override
    {
        while (!p->atEnd()) {
            u8 byte = 0;
            p->doBytes(&byte, 1);
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Engine engine;
    NetAddress peer;
    peer.set(0x7F000001u, 60000);
    NetAddress any;
    any.set(0x7F000001u, 0);

    Server server;
    server.setConnection(new NetConnection(any), true);
    server.setMaxNodes(4);
    Packet from(Packet::NETWORK_FLAGS, 0);
    from.address = peer;
    server.createNode(&from, "Peer")->nodeUID = 0x12345678;

    Packet datagram(Packet::NETWORK_FLAGS, static_cast<int>(size));
    datagram.doBytes(const_cast<uint8_t*>(data), static_cast<int>(size));
    datagram.rewindToRead();
    datagram.address = peer;
    datagram.time = NetConnection::now();
    server.serviceDatagram(&datagram);
    server.service();
    ++ticks;
    return 0;
}
