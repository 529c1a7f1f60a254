// What one payload from a peer costs a client role (or a server, reading a
// client's) in worlds at the role's bounds (PEER_OBJECT_LIMIT objects made
// by peers, TREE_DEPTH_LIMIT levels, a payload's capacity, a recording's
// snapshot, identifiers that a table hashed by their own value puts in one
// bucket), set against a payload of plain spawns. A peer can send
// payloads as fast as the line carries them, so what matters is the time a
// payload's bytes buy: any payload much dearer than the spawns a server
// sends anyway is a way to stall a client, or a server and all its clients.
//
// Each client's world is built by payloads, as its server would have sent
// them, and a server's by the server itself, with the timing paused; an
// iteration hands the role one payload, and a world the payload changes
// is put back or built again, untimed. Counters:
// the payload's bytes and commands, its time per 64 KiB (per MiB for a
// recording's first record; per payload and per object for one call that
// removes a subtree, with its time over that of the payloads that built
// the subtree), and, when the spawns ran first, that time over theirs; for
// a world of named objects, also the seconds its untimed build took.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "graphics/Quad.h"
#include "support/RoleCore.h"

ROLE_CORE_CLASS_RECORDS;

namespace {

constexpr i32 PAYLOAD = Packet::DEFAULT_CAPACITY;
constexpr u32 DEPTH_LIMIT = NetRole::TREE_DEPTH_LIMIT;

// The spawns' time per 64 KiB once they have run, else 0.
double spawnSecondsPer64KiB = 0.0;

// Commands written by hand into one packet, each whole: filling stops at
// the first that no longer fits, which is taken back.
class Commands {
public:
    explicit Commands(i32 capacity = PAYLOAD) : packet(Packet::NETWORK_FLAGS, capacity) { packet.bBounded = true; }

    template <class F>
    bool add(F&& write)
    {
        const Packet::Mark start = packet.mark();
        write(packet);
        if (packet.hasError()) {
            packet.rollBack(start);
            return false;
        }
        ++count;
        return true;
    }
    // Commands write(packet, i) for i = 0, 1, ... while they fit, at most
    // `limit` of them.
    template <class F>
    Commands& fill(F&& write, u64 limit = UINT64_MAX)
    {
        for (u64 i = 0; i < limit && add([&](Packet& p) { write(p, i); }); ++i) {
        }
        return *this;
    }
    Bytes bytes() const { return packetBytes(packet); }

    Packet packet;
    u64 count = 0;
};

struct Payload {
    explicit Payload(const Commands& commands) : bytes(commands.bytes()), count(commands.count) {}
    Bytes bytes;
    u64 count;
};

// A call on `target`, with an object argument unless `obj` is 0.
void callCommand(Packet& p, RuntimeClass* record, u32 target, u32 obj = 0)
{
    commandCode(p, NetRole::RPCCALL);
    p.doClassID(&record);
    p.doUInt(&target);
    if (obj != 0) {
        p.doUInt(&obj);
    }
}

// One copy of `uid` listing the longest head of `children` that fits in a
// payload.
Payload longestListing(QelBase& fields, u32 uid, const std::vector<u32>& children)
{
    auto listing = [&](size_t count, Commands& into) {
        const std::vector<u32> head(children.begin(), children.begin() + static_cast<std::ptrdiff_t>(count));
        return into.add([&](Packet& p) { copyCommand(p, fields, uid, &head); });
    };
    size_t fits = 0;
    size_t over = children.size() + 1;
    while (fits + 1 < over) {
        const size_t middle = (fits + over) / 2;
        Commands probe;
        (listing(middle, probe) ? fits : over) = middle;
    }
    Commands payload;
    listing(fits, payload);
    return Payload(payload);
}

// A client of a server, holding the server's root; the server counts from
// 2, so that its first objects travel in one byte.
std::unique_ptr<TestRole> clientWithRoot()
{
    auto client = std::make_unique<TestRole>(false, false);
    client->registerObject(new RootObjectBase(), 1);
    client->nextObjectUID = 2;
    NetRole::makeCurrent(nullptr);
    return client;
}

// Sends the server's commands that `build` writes into a stream; false when
// the client refused any.
template <class F>
bool send(NetRole* client, F&& build)
{
    PayloadStream stream;
    build(stream);
    const bool accepted = deliver(client, stream.payloads()) == 0;
    NetRole::makeCurrent(nullptr);
    return accepted;
}

// Links `uids` into a chain under `top` (0: left unattached), top down.
void chain(PayloadStream& s, u32 top, const std::vector<u32>& uids)
{
    u32 above = top;
    for (u32 uid : uids) {
        if (above != 0) {
            s.add(above, uid);
        }
        above = uid;
    }
}

std::vector<u32> range(u32 first, u32 count)
{
    std::vector<u32> uids(count);
    for (u32 i = 0; i < count; ++i) {
        uids[i] = first + i;
    }
    return uids;
}

// The counters every case reports, from the time its payloads took.
void report(benchmark::State& state, double seconds, size_t bytes, u64 commands)
{
    const double iterations = static_cast<double>(state.iterations());
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["commands"] = static_cast<double>(commands);
    const double per64KiB = seconds / iterations * PAYLOAD / static_cast<double>(bytes);
    state.counters["per64KiB"] = per64KiB;
    if (spawnSecondsPer64KiB > 0.0) {
        state.counters["xSpawns"] = per64KiB / spawnSecondsPer64KiB;
    }
}

using Clock = std::chrono::steady_clock;

// Times handing `payload` to `client` once an iteration; `restore`, if any,
// puts the world back after each with the timing paused. Returns the
// seconds the payloads took.
double timeDeliveries(benchmark::State& state, NetRole* client, const Bytes& payload, bool refused,
                      const std::function<void()>& restore = {})
{
    double seconds = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        auto packet = payloadOf(payload);
        packet->rewindToRead();
        state.ResumeTiming();
        const Clock::time_point start = Clock::now();
        asRole(client, [&] { client->processPacket(packet.get()); });
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        state.PauseTiming();
        if (packet->hasError() != refused) {
            state.SkipWithError(refused ? "the payload was accepted" : "the payload was refused");
            break;
        }
        if (restore) {
            restore();
        }
        state.ResumeTiming();
    }
    return seconds;
}

struct Setup {
    Setup() { RuntimeClassManager::getInstance()->buildClassArray(); }
    NetCore net{true};
};

// The baseline: a payload of plain spawns into a client holding its
// server's root. The objects made are destroyed between iterations.
void spawns(benchmark::State& state, RuntimeClass* record)
{
    Setup setup;
    auto client = clientWithRoot();
    Commands payload;
    payload.fill([&](Packet& p, u64) { spawnCommand(p, record); });
    const Bytes bytes = payload.bytes();
    i32 first = client->nextObjectUID;
    const double seconds = timeDeliveries(state, client.get(), bytes, false, [&] {
        asRole(client.get(), [&] {
            auto* root = static_cast<RootObjectBase*>(client->root);
            for (i32 uid = first; uid < client->nextObjectUID; ++uid) {
                root->destroyObjectNow(client->lookupObject(uid));
            }
        });
        first = client->nextObjectUID;
    });
    report(state, seconds, bytes.size(), payload.count);
    if (record == QelBase::runtimeClass()) {
        spawnSecondsPer64KiB = seconds / static_cast<double>(state.iterations()) * PAYLOAD / bytes.size();
    }
}

void spawnsOfPlainObjects(benchmark::State& state)
{
    spawns(state, QelBase::runtimeClass());
}

void spawnsOfQuads(benchmark::State& state)
{
    spawns(state, Quad::runtimeClass());
}

// A client holding its server's root and `objects` plain objects the
// server made, unattached, from `first` on; null, the case skipped, when
// the client refused them.
std::unique_ptr<TestRole> clientWithPlainObjects(benchmark::State& state, u32 objects, u32& first)
{
    auto client = clientWithRoot();
    first = static_cast<u32>(client->nextObjectUID);
    if (!send(client.get(), [&](PayloadStream& s) { s.spawn(QelBase::runtimeClass(), objects); })) {
        state.SkipWithError("the world was refused");
        return nullptr;
    }
    return client;
}

// Copies of the root into a client holding its root and as many
// objects as peers may make, unattached. The root's image carries the
// client's own counter, above every identifier in use, and lists `listed`
// of those objects (none: an image without children; more than fit: one
// image listing as many as fit).
void rootCopies(benchmark::State& state)
{
    Setup setup;
    const u32 listed = static_cast<u32>(state.range(0));
    const u32 objects = NetRole::PEER_OBJECT_LIMIT - 1;
    u32 first = 0;
    auto client = clientWithPlainObjects(state, objects, first);
    if (client == nullptr) {
        return;
    }
    RootObjectBase fields;
    const std::vector<u32> children = range(first, std::min(listed, objects));
    Commands commands;
    std::unique_ptr<Payload> payload;
    asRole(client.get(), [&] {
        commands.fill([&](Packet& p, u64) { copyCommand(p, fields, 1, listed > 0 ? &children : nullptr); });
        // An image longer than a payload: one listing as many as fit.
        payload = std::make_unique<Payload>(commands.count > 0 ? Payload(commands)
                                                               : longestListing(fields, 1, children));
    });
    const Bytes& bytes = payload->bytes;
    const double seconds = timeDeliveries(state, client.get(), bytes, false);
    report(state, seconds, bytes.size(), payload->count);
}

// Calls setting the state of the plain objects in a client holding its
// root and as many of them as the argument says, each call's target drawn
// from all of them with a fixed seed: what finding a call's target costs
// in an object table of that size.
void callsSpreadOverObjects(benchmark::State& state)
{
    Setup setup;
    const u32 objects = static_cast<u32>(state.range(0));
    u32 first = 0;
    auto client = clientWithPlainObjects(state, objects, first);
    if (client == nullptr) {
        return;
    }
    std::mt19937 draw(1);
    Commands payload;
    payload.fill([&](Packet& p, u64 i) {
        callCommand(p, RPC_QelBase_setStateRaw::runtimeClass(), first + static_cast<u32>(draw() % objects));
        i32 value = static_cast<i32>(i % 64);
        p.doInt(&value);
    });
    const Bytes bytes = payload.bytes();
    const double seconds = timeDeliveries(state, client.get(), bytes, false);
    report(state, seconds, bytes.size(), payload.count);
}

// The plain objects a server has named in the worlds below.
constexpr u32 NAMED_OBJECTS = 40000;

// The buckets a table of identifiers hashed by their own value has once it
// holds `entries` of them: every multiple of that count lies in one bucket.
u64 bucketsHolding(size_t entries)
{
    std::unordered_map<i32, QelBase*> table;
    for (size_t i = 0; i < entries; ++i) {
        table.emplace(static_cast<i32>(i), nullptr);
    }
    return table.bucket_count();
}

// A client holding its server's root and NAMED_OBJECTS plain objects the
// server named, unattached, in the layout the argument says: 0, the
// identifiers 2 and up; 1, the multiples of the buckets a table hashed by
// the identifier's own value has once it holds the root and those objects,
// all in one bucket of such a table. The stride is taken for the world
// alone: the buckets the table grows to under a payload of spawns more
// would take the multiples past PEER_COUNTER_LIMIT. The world is built
// once, untimed, and the seconds its payloads took are reported, since
// the build is where such a table shows the sharing worst.
struct NamedWorld {
    explicit NamedWorld(benchmark::State& state)
        : client(clientWithRoot()), stride(state.range(0) == 0 ? 0 : bucketsHolding(NAMED_OBJECTS + 1))
    {
        state.SetLabel(stride == 0 ? "2 and up" : "one bucket");
        if (room() < NAMED_OBJECTS) {
            state.SkipWithError("the identifiers would pass the peers' limit");
            return;
        }
        std::vector<Bytes> payloads;
        for (u64 made = 0; made < NAMED_OBJECTS;) {
            Commands commands;
            commands.fill([&](Packet& p, u64 i) { spawnNamedCommand(p, QelBase::runtimeClass(), uid(made + i)); },
                          NAMED_OBJECTS - made);
            made += commands.count;
            payloads.push_back(commands.bytes());
        }
        const Clock::time_point start = Clock::now();
        built = deliver(client.get(), payloads) == 0;
        state.counters["buildSeconds"] = std::chrono::duration<double>(Clock::now() - start).count();
        NetRole::makeCurrent(nullptr);
        built = built && client->objectMap.size() == NAMED_OBJECTS + 1 &&
                client->lookupObject(static_cast<i32>(uid(NAMED_OBJECTS - 1))) != nullptr;
        if (!built) {
            state.SkipWithError("the world was refused");
        }
    }
    // The identifier of the server's `k`th named object, from 0; past the
    // world's, the ones it would name next.
    u32 uid(u64 k) const { return static_cast<u32>(stride == 0 ? 2 + k : (k + 1) * stride); }
    // How many objects the layout may name below PEER_COUNTER_LIMIT.
    u64 room() const
    {
        const u64 limit = NetRole::PEER_COUNTER_LIMIT - 1;
        return stride == 0 ? limit - 1 : limit / stride;
    }

    std::unique_ptr<TestRole> client;
    u64 stride;
    bool built = false;
};

// A payload of spawns of plain objects named as the world's are, going on
// from the world's last name; the objects made are destroyed between
// iterations.
void namedSpawns(benchmark::State& state)
{
    Setup setup;
    NamedWorld world(state);
    if (!world.built) {
        return;
    }
    Commands payload;
    payload.fill([&](Packet& p, u64 i) { spawnNamedCommand(p, QelBase::runtimeClass(), world.uid(NAMED_OBJECTS + i)); },
                 world.room() - NAMED_OBJECTS);
    const Bytes bytes = payload.bytes();
    NetRole* client = world.client.get();
    const double seconds = timeDeliveries(state, client, bytes, false, [&] {
        asRole(client, [&] {
            auto* root = static_cast<RootObjectBase*>(client->root);
            for (u64 i = 0; i < payload.count; ++i) {
                root->destroyObjectNow(client->lookupObject(static_cast<i32>(world.uid(NAMED_OBJECTS + i))));
            }
        });
    });
    report(state, seconds, bytes.size(), payload.count);
}

// Calls setting the state of the world's named objects, each call's
// target drawn from all of them with a fixed seed.
void callsOnNamedObjects(benchmark::State& state)
{
    Setup setup;
    NamedWorld world(state);
    if (!world.built) {
        return;
    }
    std::mt19937 draw(1);
    Commands payload;
    payload.fill([&](Packet& p, u64 i) {
        callCommand(p, RPC_QelBase_setStateRaw::runtimeClass(), world.uid(draw() % NAMED_OBJECTS));
        i32 value = static_cast<i32>(i % 64);
        p.doInt(&value);
    });
    const Bytes bytes = payload.bytes();
    const double seconds = timeDeliveries(state, world.client.get(), bytes, false);
    report(state, seconds, bytes.size(), payload.count);
}

// A client holding its server's root and, under it, two chains of plain
// objects ending in `a` and `b`, which lie `depth` levels below the role
// (the root lies 1 down); `leaves` plain objects from `firstLeaf` on, and
// a chain of `tallLevels` objects topped by `tallTop`, left unattached.
struct DeepWorld {
    DeepWorld(u32 depth, u32 leaves, u32 tallLevels = 0) : client(clientWithRoot())
    {
        a = 2;
        b = 3;
        firstLeaf = 4;
        leafCount = leaves;
        tallTop = firstLeaf + leaves;
        const u32 chainLevels = depth - 2;
        const u32 firstA = tallTop + tallLevels;
        const u32 firstB = firstA + chainLevels;
        const u32 total = firstB + chainLevels - 2;
        built = send(client.get(), [&](PayloadStream& s) {
            s.spawn(QelBase::runtimeClass(), total);
            std::vector<u32> lineA = range(firstA, chainLevels);
            lineA.push_back(a);
            chain(s, 1, lineA);
            std::vector<u32> lineB = range(firstB, chainLevels);
            lineB.push_back(b);
            chain(s, 1, lineB);
            chain(s, 0, range(tallTop, tallLevels));
        });
        const QelBase* end = client->lookupObject(static_cast<i32>(a));
        built = built && end != nullptr && end->depth() == depth &&
                client->lookupObject(static_cast<i32>(b))->depth() == depth;
    }

    std::unique_ptr<TestRole> client;
    u32 a = 0;
    u32 b = 0;
    u32 firstLeaf = 0;
    u32 leafCount = 0;
    u32 tallTop = 0;
    bool built = false;
};

// The depth of the deep targets: their children lie one level above the
// limit, so that each may have a child of its own.
constexpr u32 DEEP = DEPTH_LIMIT - 2;

void timeOnDeepWorld(benchmark::State& state, DeepWorld& world, const Payload& payload, bool refused = false)
{
    if (!world.built) {
        state.SkipWithError("the world was not built");
        return;
    }
    const double seconds = timeDeliveries(state, world.client.get(), payload.bytes, refused);
    report(state, seconds, payload.bytes.size(), payload.count);
}

// One copy of the deep target listing as many distinct leaves as fit.
void deepCopyListingLeaves(benchmark::State& state)
{
    Setup setup;
    DeepWorld world(DEEP, 30000);
    QelBase fields;
    timeOnDeepWorld(state, world, longestListing(fields, world.a, range(world.firstLeaf, world.leafCount)));
}

// One copy of the deep target listing one leaf over and over: refused at
// its second listing.
void deepCopyListingOneLeafOverAndOver(benchmark::State& state)
{
    Setup setup;
    DeepWorld world(DEEP, 1);
    QelBase fields;
    const std::vector<u32> leaves(PAYLOAD, world.firstLeaf);
    timeOnDeepWorld(state, world, longestListing(fields, world.a, leaves), true);
    if (setup.net.logText().find("an image lists a child twice") == std::string::npos) {
        state.SkipWithError("the copy was refused for another reason");
    }
}

// A server's own world, not a peer's: its root and, under it, a chain of
// plain objects down to `bottom`, which lies one level above the limit.
// Registered bottom up, the bottom and its parent get 2 and 3 and travel
// in one byte; top down, the objects nearest the root do, and the bottom
// gets the highest identifier.
struct ServerChain {
    explicit ServerChain(bool topDown = false) : server(std::make_unique<TestRole>(true, false))
    {
        server->nextObjectUID = 2;
        server->registerObject(new RootObjectBase(), 1);
        if (topDown) {
            QelBase* above = server->root;
            for (u32 level = 2; level < DEPTH_LIMIT; ++level) {
                auto* o = new QelBase();
                server->registerObject(o, 0);
                above->addChildBack(o);
                above = o;
            }
            NetRole::makeCurrent(nullptr);
            bottom = server->lookupObject(static_cast<i32>(DEPTH_LIMIT - 1));
            parent = server->lookupObject(static_cast<i32>(DEPTH_LIMIT - 2));
            return;
        }
        QelBase* top = nullptr;
        for (u32 level = DEPTH_LIMIT - 1; level > 1; --level) {
            auto* o = new QelBase();
            server->registerObject(o, 0);
            if (top != nullptr) {
                o->addChildBack(top);
            }
            top = o;
        }
        server->root->addChildBack(top);
        NetRole::makeCurrent(nullptr);
        bottom = server->lookupObject(2);
        parent = server->lookupObject(3);
    }
    // Whether the chain stands as it was built.
    bool intact() const { return bottom->parent == parent && bottom->depth() == DEPTH_LIMIT - 1; }

    std::unique_ptr<TestRole> server;
    QelBase* bottom = nullptr;
    QelBase* parent = nullptr;
};

// Times a payload from a client of copies of the bottom of the server's
// chain, each image listing `ancestors`, ancestors of the bottom. Every copy
// would make the tree a cycle, so the server skips it and keeps the
// client; the chain stays as it was.
void timeCopiesOfTheBottom(benchmark::State& state, const ServerChain& world, const std::vector<u32>& ancestors)
{
    if (!world.intact()) {
        state.SkipWithError("the chain was not built");
        return;
    }
    QelBase fields;
    const u32 uid = static_cast<u32>(world.bottom->objectUID);
    Commands payload;
    payload.fill([&](Packet& p, u64) { copyCommand(p, fields, uid, &ancestors); });
    const Bytes bytes = payload.bytes();
    const double seconds = timeDeliveries(state, world.server.get(), bytes, false);
    report(state, seconds, bytes.size(), payload.count);
    if (!world.intact()) {
        state.SkipWithError("a copy changed the chain");
    }
}

// Copies of the bottom listing one of its ancestors as its child: the root
// or the bottom's own parent.
void serverCopiesListing(benchmark::State& state, bool root)
{
    Setup setup;
    ServerChain world;
    timeCopiesOfTheBottom(state, world, {root ? 1u : static_cast<u32>(world.parent->objectUID)});
}

void serverCopiesListingTheRoot(benchmark::State& state)
{
    serverCopiesListing(state, true);
}

void serverCopiesListingTheParent(benchmark::State& state)
{
    serverCopiesListing(state, false);
}

// Copies of the bottom of a server's chain registered top down, each
// image listing as many of the bottom's farthest ancestors as the argument
// says, the root first: 127, those whose identifiers travel in one byte;
// 998, all of them.
void serverCopiesListingFarAncestors(benchmark::State& state)
{
    Setup setup;
    const u32 count = static_cast<u32>(state.range(0));
    if (count > DEPTH_LIMIT - 2) {
        state.SkipWithError("the bottom has fewer ancestors");
        return;
    }
    ServerChain world(true);
    timeCopiesOfTheBottom(state, world, range(1, count));
}

// Copies of the two targets in turn, each listing the same leaf: every
// copy moves it from one chain's end to the other's, changing the height
// of every object on both chains. The targets lie as deep as the argument
// says: at 2, right under the root, for what the depth adds.
void copiesMovingALeaf(benchmark::State& state)
{
    Setup setup;
    DeepWorld world(static_cast<u32>(state.range(0)), 1);
    QelBase fields;
    const std::vector<u32> leaf{world.firstLeaf};
    Commands payload;
    payload.fill([&](Packet& p, u64 i) { copyCommand(p, fields, i % 2 == 0 ? world.a : world.b, &leaf); });
    timeOnDeepWorld(state, world, Payload(payload));
}

// Add calls moving distinct leaves under the deep target.
void deepAddsOfLeaves(benchmark::State& state)
{
    Setup setup;
    DeepWorld world(DEEP, 12000);
    Commands payload;
    payload.fill([&](Packet& p, u64 i) {
        callCommand(p, RPC_QelBase_add::runtimeClass(), world.a,
                    world.firstLeaf + static_cast<u32>(i % world.leafCount));
    });
    timeOnDeepWorld(state, world, Payload(payload));
}

// Add calls moving one leaf between the two targets, back and forth, the
// targets as deep as the argument says.
void addsMovingALeaf(benchmark::State& state)
{
    Setup setup;
    DeepWorld world(static_cast<u32>(state.range(0)), 1);
    Commands payload;
    payload.fill([&](Packet& p, u64 i) {
        callCommand(p, RPC_QelBase_add::runtimeClass(), i % 2 == 0 ? world.a : world.b, world.firstLeaf);
    });
    timeOnDeepWorld(state, world, Payload(payload));
}

// Add calls moving a chain as tall as fits between two parents `depth`
// levels down, back and forth.
void addsMovingATallChain(benchmark::State& state)
{
    Setup setup;
    const u32 depth = static_cast<u32>(state.range(0));
    DeepWorld world(depth, 0, DEPTH_LIMIT - depth);
    Commands payload;
    payload.fill([&](Packet& p, u64 i) {
        callCommand(p, RPC_QelBase_add::runtimeClass(), i % 2 == 0 ? world.a : world.b, world.tallTop);
    });
    timeOnDeepWorld(state, world, Payload(payload));
}

// One call that destroys (or clears) a node under the root holding
// `chains` chains of `levels` objects each (one level: that many
// children), in a client whose server made them; the chains are linked
// bottom up, as the cheapest way to make them. The world is built anew for
// every iteration.
void removal(benchmark::State& state, bool clear)
{
    Setup setup;
    const u32 chains = static_cast<u32>(state.range(0));
    const u32 levels = static_cast<u32>(state.range(1));
    const u32 children = chains * levels;
    std::unique_ptr<TestRole> client;
    const u32 node = 2;
    auto build = [&] {
        client = clientWithRoot();
        return send(client.get(), [&](PayloadStream& s) {
            s.spawn(QelBase::runtimeClass(), children + 1);
            s.add(1, node);
            for (u32 c = 0; c < chains; ++c) {
                const u32 top = node + 1 + c * levels;
                for (u32 i = levels - 1; i > 0; --i) {
                    s.add(top + i - 1, top + i);
                }
                s.add(node, top);
            }
        });
    };
    Commands payload;
    payload.add([&](Packet& p) {
        if (clear) {
            callCommand(p, RPC_QelBase_clear::runtimeClass(), node);
        } else {
            callCommand(p, RPC_RootObjectBase_destroyObject::runtimeClass(), 1, node);
        }
    });
    const Bytes bytes = payload.bytes();
    double seconds = 0.0;
    double buildSeconds = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        const Clock::time_point built = Clock::now();
        const bool accepted = build();
        buildSeconds += std::chrono::duration<double>(Clock::now() - built).count();
        if (!accepted) {
            state.SkipWithError("the world was refused");
            break;
        }
        auto packet = payloadOf(bytes);
        packet->rewindToRead();
        state.ResumeTiming();
        const Clock::time_point start = Clock::now();
        asRole(client.get(), [&] { client->processPacket(packet.get()); });
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        state.PauseTiming();
        // A clear leaves the node itself.
        if (packet->hasError() || client->objectMap.size() != (clear ? 2u : 1u)) {
            state.SkipWithError("the objects were not removed");
            break;
        }
        client.reset();
        state.ResumeTiming();
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["bytes"] = static_cast<double>(bytes.size());
    state.counters["objects"] = children;
    state.counters["perPayload"] = seconds / iterations;
    state.counters["perObject"] = seconds / iterations / children;
    // Against the payloads that made the objects.
    state.counters["xBuild"] = seconds / buildSeconds;
    if (spawnSecondsPer64KiB > 0.0) {
        // One such payload against one payload of spawns.
        state.counters["xSpawns"] = seconds / iterations / spawnSecondsPer64KiB;
    }
}

void destroy(benchmark::State& state)
{
    removal(state, false);
}

void clear(benchmark::State& state)
{
    removal(state, true);
}

// Replays a recording whose first record holds the commands, in a client
// without a connection, and reports the time per MiB.
void timeSnapshotReplay(benchmark::State& state, Setup& setup, const Commands& record)
{
    const Bytes bytes = record.bytes();
    const std::string path = setup.net.core->folder.path + "/snapshot.net";
    RecordingBytes().record(1.0, bytes).save(path);
    double seconds = 0.0;
    u32 deepest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto replay = std::make_unique<TestRole>(false, false);
        replay->startPlayback(path);
        NetRole::makeCurrent(nullptr);
        state.ResumeTiming();
        const Clock::time_point start = Clock::now();
        for (int frame = 0; frame < 100 && replay->quitReason != NetRole::QUIT_PLAYBACK; ++frame) {
            roleFrame({replay.get()});
        }
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        state.PauseTiming();
        if (replay->quitReason != NetRole::QUIT_PLAYBACK || !replay->getPlaybackFailure().empty()) {
            state.SkipWithError(("the record was not replayed: " + replay->getPlaybackFailure()).c_str());
            break;
        }
        deepest = deepestObject(replay.get());
        replay.reset();
        state.ResumeTiming();
    }
    const double iterations = static_cast<double>(state.iterations());
    const double mib = static_cast<double>(bytes.size()) / (1 << 20);
    state.counters["bytes"] = static_cast<double>(bytes.size());
    state.counters["commands"] = static_cast<double>(record.count);
    state.counters["deepest"] = deepest;
    state.counters["perMiB"] = seconds / iterations / mib;
    if (spawnSecondsPer64KiB > 0.0) {
        state.counters["xSpawns"] = seconds / iterations / mib / (spawnSecondsPer64KiB * 16.0);
    }
}

// A recording whose first record, the snapshot, holds a root, two chains
// under it ending in targets DEEP levels down and a leaf, then the
// commands `filler` writes until the record is as many MiB as the argument
// (or `limit` of them). Replayed by a client without a connection.
void snapshotReplay(benchmark::State& state, const std::function<void(Packet&, u64, QelBase&, u32, u32, u32)>& filler,
                    u64 limit = UINT64_MAX)
{
    Setup setup;
    const i32 size = static_cast<i32>(state.range(0)) << 20;
    const u32 a = 2;
    const u32 b = 3;
    const u32 leaf = 4;
    const u32 levels = DEEP - 2;
    const u32 firstA = 5;
    const u32 firstB = firstA + levels;
    const u32 last = firstB + levels;
    Commands record(size);
    {
        TestRole writer(true, false);
        writer.nextObjectUID = static_cast<i32>(last);
        RootObjectBase rootFields;
        QelBase fields;
        asRole(&writer, [&] {
            record.add([&](Packet& p) { spawnNamedCommand(p, RootObjectBase::runtimeClass(), 1); });
            for (u32 uid = 2; uid < last; ++uid) {
                record.add([&](Packet& p) { spawnNamedCommand(p, QelBase::runtimeClass(), uid); });
            }
            const std::vector<u32> tops{firstA, firstB};
            record.add([&](Packet& p) { copyCommand(p, rootFields, 1, &tops); });
            // Copied in identifier order, as a snapshot is.
            for (const auto& [first, end] : {std::pair{firstA, a}, std::pair{firstB, b}}) {
                for (u32 i = 0; i < levels; ++i) {
                    const std::vector<u32> below{i + 1 < levels ? first + i + 1 : end};
                    record.add([&](Packet& p) { copyCommand(p, fields, first + i, &below); });
                }
            }
        });
        record.fill([&](Packet& p, u64 i) { filler(p, i, fields, a, b, leaf); }, limit);
    }
    timeSnapshotReplay(state, setup, record);
}

// The costliest snapshot found: chains as deep as a tree may be, spawned,
// then copied into place top down, so that each copy raises the height of
// every level of its chain above it. A snapshot holds no calls and places
// no object twice, so nothing in it moves an object back and forth.
void snapshotOfChainsPlacedTopDown(benchmark::State& state)
{
    Setup setup;
    const u32 chains = static_cast<u32>(state.range(0));
    const u32 levels = DEPTH_LIMIT;
    Commands record(NetRecording::SNAPSHOT_LIMIT);
    {
        TestRole writer(true, false);
        QelBase fields;
        asRole(&writer, [&] {
            const u32 last = 2 + chains * levels;
            writer.nextObjectUID = static_cast<i32>(last);
            for (u32 uid = 2; uid < last; ++uid) {
                record.add([&](Packet& p) { spawnNamedCommand(p, QelBase::runtimeClass(), uid); });
            }
            for (u32 uid = 2; uid < last; ++uid) {
                const std::vector<u32> below{uid + 1};
                const bool bottom = (uid - 2) % levels == levels - 1;
                record.add([&](Packet& p) { copyCommand(p, fields, uid, bottom ? nullptr : &below); });
            }
        });
    }
    timeSnapshotReplay(state, setup, record);
}

// Spawns until the snapshot holds as many objects as it may make: under
// 2 MiB.
void snapshotOfSpawnsToTheBound(benchmark::State& state)
{
    snapshotReplay(state, [&](Packet& p, u64, QelBase&, u32, u32, u32) { spawnCommand(p, QelBase::runtimeClass()); },
                   NetRole::SNAPSHOT_OBJECT_LIMIT - 2 * NetRole::TREE_DEPTH_LIMIT);
}

} // namespace

BENCHMARK(spawnsOfPlainObjects)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(spawnsOfQuads)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(rootCopies)->Arg(0)->Arg(NetRole::PEER_OBJECT_LIMIT)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(callsSpreadOverObjects)->Arg(1000)->Arg(400000)->Unit(benchmark::kMillisecond)->Iterations(20);
// One iteration: under the payload, a table hashed by the identifier alone
// grows past the stride's buckets and spreads the names for any later one.
BENCHMARK(namedSpawns)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(callsOnNamedObjects)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(deepCopyListingLeaves)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(deepCopyListingOneLeafOverAndOver)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(serverCopiesListingTheRoot)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(serverCopiesListingTheParent)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(serverCopiesListingFarAncestors)->Arg(127)->Arg(998)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(copiesMovingALeaf)->Arg(2)->Arg(DEEP)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(deepAddsOfLeaves)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(addsMovingALeaf)->Arg(2)->Arg(DEEP)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(addsMovingATallChain)->Arg(500)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(destroy)->Args({490000, 1})->Args({490, 998})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(clear)->Args({490000, 1})->Args({490, 998})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(snapshotOfSpawnsToTheBound)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(snapshotOfChainsPlacedTopDown)->Arg(1500)->Unit(benchmark::kMillisecond)->Iterations(1);
