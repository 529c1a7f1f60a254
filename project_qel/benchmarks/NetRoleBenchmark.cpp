// A replicated world's snapshot: written by a server role, then carried out
// by a client role without a connection (creating, registering and copying
// every object), for worlds of a root and n children. Reports the bytes per
// object alongside the time.
#include <benchmark/benchmark.h>

#include <memory>

#include "net/NetRole.h"
#include "net/RootObjectBase.h"
#include "object/RuntimeClassManager.h"
#include "support/NetCore.h"

namespace {

void roleSnapshot(benchmark::State& state)
{
    RuntimeClassManager::getInstance()->buildClassArray();
    NetCore net(true);
    const int count = static_cast<int>(state.range(0));
    NetRole server("Vabo", 1.30, "", 0, true);
    auto* root = new RootObjectBase();
    server.registerObject(root, 1);
    for (int i = 0; i < count; ++i) {
        auto* o = new QelBase();
        server.registerObject(o, 0);
        o->state = i;
        root->addChildBack(o);
    }
    Packet snapshot(Packet::NETWORK_FLAGS, Packet::DEFAULT_CAPACITY);
    i64 bytes = 0;
    for (auto _ : state) {
        snapshot.reset();
        snapshot.bWriting = true;
        server.writeSnapshot(&snapshot);
        snapshot.rewindToRead();
        bytes = snapshot.getDataSize();
        auto client = std::make_unique<NetRole>("Vabo", 1.30, "", 0, false);
        client->processPacket(&snapshot);
        if (static_cast<int>(client->objectMap.size()) != count + 1) {
            state.SkipWithError("snapshot not carried out");
            break;
        }
        NetRole::makeCurrent(nullptr);
    }
    state.counters["objects"] = benchmark::Counter(static_cast<double>(count + 1) * state.iterations(),
                                                   benchmark::Counter::kIsRate);
    state.counters["bytesPerObject"] = static_cast<double>(bytes) / (count + 1);
    NetRole::makeCurrent(nullptr);
}

} // namespace

BENCHMARK(roleSnapshot)->Arg(10)->Arg(100)->Arg(1000);
