// A replicated world's snapshot: written by a server role, then carried out
// by a client role without a connection (creating, registering and copying
// every object), for worlds of a root and n children. Reports the bytes per
// object alongside the time. And what looking at a world for what a replay
// or a client would refuse costs, whole and in a server's tick, against one
// update of the same world, which every frame makes.
#include <benchmark/benchmark.h>

#include <chrono>
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

// A server of a root and n plain objects under it, ticking every frame:
// the whole world's check (as recording starts), and a frame of the server
// against an update of its world alone, the difference being the tick's
// own work.
void worldCheck(benchmark::State& state)
{
    RuntimeClassManager::getInstance()->buildClassArray();
    NetCore net(true);
    const int count = static_cast<int>(state.range(0));
    NetRole server("Vabo", 1.30, "", 0, true);
    server.tickLength = 0.0;
    auto* root = new RootObjectBase();
    server.registerObject(root, 1);
    for (int i = 0; i < count; ++i) {
        auto* o = new QelBase();
        server.registerObject(o, 0);
        root->addChildBack(o);
    }
    using Clock = std::chrono::steady_clock;
    auto seconds = [](Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); };
    double checking = 0.0;
    double framing = 0.0;
    double updating = 0.0;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        if (!server.checkWorld(NetRole::PEER_OBJECT_LIMIT).empty()) {
            state.SkipWithError("the world is past what clients take");
            break;
        }
        checking += seconds(start);
        start = Clock::now();
        server.update(0.0, 0.0);
        framing += seconds(start);
        start = Clock::now();
        root->update(0.0, 0.0);
        updating += seconds(start);
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["checkPerObject"] = checking / iterations / (count + 1);
    state.counters["tickPerObject"] = (framing - updating) / iterations / (count + 1);
    state.counters["xUpdate"] = checking / updating;
    NetRole::makeCurrent(nullptr);
}

} // namespace

BENCHMARK(roleSnapshot)->Arg(10)->Arg(100)->Arg(1000);
BENCHMARK(worldCheck)->Arg(1000)->Arg(400000)->Unit(benchmark::kMillisecond);
