// Replication roles: a server and a client in one process over loopback
// (sockets and the emulated queue, with simulated loss), the recording the
// client makes and its replay, damaged recordings, the role's own rules
// and its destruction.
#include <gtest/gtest.h>

#include <malloc.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>

#include "engine/EventManager.h"
#include "graphics/FontQuad.h"
#include "graphics/Quad.h"
#include "graphics/Renderable.h"
#include "graphics/Skin.h"
#include "input/QelInput.h"
#include "net/RPC_QelBase.h"
#include "net/RPC_RootObjectBase.h"
#include "resource/ResourceManager.h"
#include "support/ExpectFatal.h"
#include "support/RoleCore.h"

ROLE_CORE_CLASS_RECORDS;

// A drawn piece of a class that owns its skin, as a game's own may be;
// counts the pieces made.
class SkinnedPiece : public Renderable {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    SkinnedPiece()
    {
        bOwnsSkin = true;
        ++made;
    }

    static inline int made = 0;
};

QEL_IMPLEMENT_RUNTIME_CLASS(SkinnedPiece, Renderable::runtimeClass(), QEL_CREATOR(SkinnedPiece));
QEL_TRAVELS(SkinnedPiece);

// A piece of this side's own, as a screen the screen stack makes by name:
// made from its record, but never by a peer, though its base travels.
class HomePiece : public RolePiece {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    HomePiece() { ++made; }

    static inline int made = 0;
};

QEL_IMPLEMENT_RUNTIME_CLASS(HomePiece, RolePiece::runtimeClass(), QEL_CREATOR(HomePiece));

// A piece whose image carries another piece's image inline after its own,
// in place of its own, or its own a second time.
class NestingPiece : public RolePiece {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    enum Layout { OWN_THEN_INNER, INNER_ONLY, OWN_TWICE };

    void netSerialize(Packet* packet) override
    {
        if (layout != INNER_ONLY) {
            RolePiece::netSerialize(packet);
        }
        if (layout == OWN_TWICE) {
            RolePiece::netSerialize(packet);
        } else {
            inner->netSerialize(packet);
        }
    }

    Layout layout = OWN_THEN_INNER;
    RolePiece* inner = nullptr;
};

QEL_IMPLEMENT_RUNTIME_CLASS(NestingPiece, RolePiece::runtimeClass(), QEL_CREATOR(NestingPiece));
QEL_TRAVELS(NestingPiece);

// A piece that makes a part of its own as it is made, as a drawn object may
// hold its sprites: a child that is never registered.
class PartedPiece : public RolePiece {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    PartedPiece() { addChildBack(new QelBase()); }
};

QEL_IMPLEMENT_RUNTIME_CLASS(PartedPiece, RolePiece::runtimeClass(), QEL_CREATOR(PartedPiece));
QEL_TRAVELS(PartedPiece);

// An object whose image carries a mebibyte of its own, as a game's object
// may carry a picture.
class BulkyPiece : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    static constexpr i32 BULK = 1 << 20;

    void netSerialize(Packet* packet) override
    {
        static std::vector<u8> bulk(BULK);
        QelBase::netSerialize(packet);
        packet->doBytes(bulk.data(), BULK);
    }
};

QEL_IMPLEMENT_RUNTIME_CLASS(BulkyPiece, QelBase::runtimeClass(), QEL_CREATOR(BulkyPiece));
QEL_TRAVELS(BulkyPiece);

namespace {

// Registers `levels` objects of the class with the role, each under the one
// before and the first under `top` (or under nothing); gives the last.
QelBase* hang(NetRole* role, QelBase* top, int levels, RuntimeClass* record = QelBase::runtimeClass())
{
    QelBase* bottom = top;
    for (int i = 0; i < levels; ++i) {
        auto* level = record->createAs<QelBase>();
        role->registerObject(level, 0);
        if (bottom != nullptr) {
            bottom->addChildBack(level);
        }
        bottom = level;
    }
    return bottom;
}

// The lines of the log that end in `line`.
int linesOf(const std::string& log, const std::string& line)
{
    int count = 0;
    for (size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + 1)) {
        count += at + line.size() == log.size() || log[at + line.size()] == '\n';
    }
    return count;
}

const std::string PAST_CLIENTS = "WARNING: the replicated world is more than a client takes from its server: ";

// Bytes the heap holds.
size_t heapInUse()
{
    return mallinfo2().uordblks;
}

class RoleTest : public testing::Test {
protected:
    RoleTest() { RuntimeClassManager::getInstance()->buildClassArray(); }

    // Frames until the condition holds, at most `limit` of them.
    template <class F>
    static bool runUntil(std::initializer_list<NetRole*> roles, F&& done, int limit = 400)
    {
        for (int i = 0; i < limit; ++i) {
            if (done()) {
                return true;
            }
            roleFrame(roles);
        }
        return done();
    }

    NetCore net{true};
};

class TwoRoles : public testing::TestWithParam<bool> {
protected:
    TwoRoles() { RuntimeClassManager::getInstance()->buildClassArray(); }

    template <class F>
    bool runUntil(F&& done, int limit = 600)
    {
        for (int i = 0; i < limit; ++i) {
            if (done()) {
                return true;
            }
            roleFrame({server.get(), client.get()});
        }
        return done();
    }
    // Frames until the client's world reads like the server's.
    bool settle() { return runUntil([&] { return worldText(client.get()) == worldText(server.get()); }); }
    RolePiece* onClient(int uid) { return static_cast<RolePiece*>(client->lookupObject(uid)); }

    NetCore net{GetParam()};
    std::unique_ptr<TestRole> server = std::make_unique<TestRole>(true);
    std::unique_ptr<TestRole> client = std::make_unique<TestRole>(false);
};

std::string transport(const testing::TestParamInfo<bool>& info)
{
    return info.param ? "Emulated" : "Sockets";
}

INSTANTIATE_TEST_SUITE_P(Loopback, TwoRoles, testing::Values(false, true), transport);

TEST_P(TwoRoles, ServerChangesReachTheClientAndItsRecordingReplaysThem)
{
    const std::string recording = net.core->folder.path + "/client.net";
    client->startRecording(recording);

    // The world: a root, two pieces under it and a third under the first.
    RootObjectBase* root = nullptr;
    RolePiece* a = nullptr;
    RolePiece* b = nullptr;
    RolePiece* c = nullptr;
    asRole(server.get(), [&] {
        root = new RootObjectBase();
        server->registerObject(root, 1);
        a = new RolePiece();
        b = new RolePiece();
        c = new RolePiece();
        for (RolePiece* piece : {a, b, c}) {
            server->registerObject(piece, 0);
        }
        root->addChildBack(a);
        root->addChildBack(b);
        a->addChildBack(c);
        a->number = -12;
        a->weight = 2.5f;
        a->tint = UColor(0x11, 0x22, 0x33, 0x44);
        a->label = "first";
        a->partner = b;
        b->label = "second";
        b->partner = c;
        c->number = 300;
    });
    EXPECT_EQ(b->objectUID, a->objectUID + 1);

    client->sendConnect(server->connection->address);
    ASSERT_TRUE(runUntil([&] { return client->connects == 1 && server->connects == 1; }));
    server->connection->simulatedLoss = 0.1;
    client->connection->simulatedLoss = 0.1;
    ASSERT_TRUE(settle()) << worldText(server.get()) << "----\n" << worldText(client.get());
    const int ida = a->objectUID;
    const int idb = b->objectUID;
    const int idc = c->objectUID;
    ASSERT_NE(onClient(ida), nullptr);
    EXPECT_EQ(onClient(ida)->partner, onClient(idb));
    EXPECT_EQ(client->root, client->lookupObject(1));
    EXPECT_EQ(client->root->getParent(), client.get());

    // Copies of changed properties, twice for one object: its children stay.
    asRole(server.get(), [&] {
        a->number = 42;
        server->writeCopyObj(a);
        a->label = "changed";
        a->weight = -0.75f;
        server->writeCopyObj(a);
    });
    ASSERT_TRUE(settle()) << worldText(client.get());
    EXPECT_EQ(onClient(ida)->label, "changed");
    EXPECT_EQ(onClient(ida)->countChildren(), 1u);
    EXPECT_GE(onClient(ida)->postReplicates, 2);

    // A new object announced, copied and added; a child moved out; states.
    RolePiece* d = nullptr;
    asRole(server.get(), [&] {
        d = new RolePiece();
        server->registerObject(d, 0);
        d->label = "late";
        server->writeCopyObj(d);
        b->netAdd(d);
        a->netRemove(c);
        root->netAdd(c);
        a->netSetState(5, 0.0);
        b->netSetState(6, 2.0);
        c->netSetStateRaw(7);
    });
    ASSERT_TRUE(settle()) << worldText(server.get()) << "----\n" << worldText(client.get());
    const int idd = d->objectUID;
    EXPECT_EQ(onClient(idd)->getParent(), onClient(idb));
    EXPECT_EQ(onClient(idc)->getParent(), client->root);
    EXPECT_EQ(onClient(ida)->state, 5);
    EXPECT_EQ(onClient(idc)->state, 7);
    // The client holds the delayed change until the server's arrives.
    EXPECT_EQ(onClient(idb)->stateGoto, 6);
    EXPECT_GT(onClient(idb)->stateLeft, 999000.0);
    EXPECT_LE(b->stateLeft, 2.0);
    ASSERT_TRUE(runUntil([&] { return b->state == 6; }));
    asRole(server.get(), [&] { server->writeCopyObj(b); });
    ASSERT_TRUE(settle());
    EXPECT_EQ(onClient(idb)->state, 6);

    // A call with arguments, the shared seed, and draws on every side.
    asRole(server.get(), [&] {
        RPC_RolePiece_draw call;
        call.argument = -77;
        makeCall(a, call);
        root->randomSeed(1234);
        RPC_RolePiece_draw draw;
        draw.argument = 5;
        draw.count = 8;
        makeCall(d, draw);
    });
    ASSERT_TRUE(runUntil([&] { return onClient(idd)->draws.size() == 16; }));
    EXPECT_EQ(onClient(ida)->calls, std::vector<i32>{-77});
    EXPECT_EQ(onClient(idd)->draws, d->draws);
    EXPECT_EQ(d->draws.size(), 16u);

    // Destroyed everywhere with its subtree.
    asRole(server.get(), [&] {
        a->partner = c;
        server->writeCopyObj(a);
        root->destroyObject(b);
    });
    ASSERT_TRUE(settle()) << worldText(client.get());
    EXPECT_EQ(client->lookupObject(idb), nullptr);
    EXPECT_EQ(client->lookupObject(idd), nullptr);
    EXPECT_EQ(server->objectMap.size(), 3u);

    // A fresh role replays the recording to the recorder's world.
    const std::string recorded = worldText(client.get());
    client.reset();
    auto replay = std::make_unique<TestRole>(false, false);
    replay->startPlayback(recording);
    for (int i = 0; i < 2000 && replay->quitReason != NetRole::QUIT_PLAYBACK; ++i) {
        roleFrame({replay.get()});
    }
    EXPECT_EQ(replay->getQuitReasonText(), "Playback finished.");
    EXPECT_EQ(replay->getPlaybackFailure(), "");
    EXPECT_EQ(worldText(replay.get()), recorded);
#ifdef VABO_ROLE_RECORDING
    if (GetParam()) {
        std::filesystem::copy_file(recording, VABO_ROLE_RECORDING, std::filesystem::copy_options::overwrite_existing);
    }
#endif
}

TEST_P(TwoRoles, AServerRefusesWhatOnlyItMayWriteAndPlaysOn)
{
    RootObjectBase* root = nullptr;
    RolePiece* piece = nullptr;
    asRole(server.get(), [&] {
        root = new RootObjectBase();
        server->registerObject(root, 1);
        piece = new RolePiece();
        server->registerObject(piece, 0);
        root->addChildBack(piece);
    });
    Packet flood(Packet::NETWORK_FLAGS, Packet::DEFAULT_CAPACITY);
    for (int i = 0; i < 52000; ++i) {
        u8 code = NetRole::SPAWNOBJ;
        RuntimeClass* record = RolePiece::runtimeClass();
        flood.doBits(&code, 2);
        flood.doClassID(&record);
    }
    // A call of the server's own, which no client may make.
    RPC_QelBase_setStateRaw own;
    own.target = piece;
    own._state = 77;
    Packet ownCall(Packet::NETWORK_FLAGS, 64);
    server->writeRPC(&own, &ownCall);
    const std::string notCallable =
        formatString("a client may not call '%s'", RPC_QelBase_setStateRaw::runtimeClass()->name.c_str());
    const size_t objects = server->objectMap.size();
    const i32 counter = server->nextObjectUID;
    const struct {
        const char* what;
        Bytes payload;
        const char* reason;
    } cases[] = {
        {"flood", packetBytes(flood), "a client may not send SPAWNOBJ"},
        {"named", PayloadWriter().spawnNamed(RolePiece::runtimeClass(), 900).bytes(),
         "a client may not send SPAWNNAMED"},
        {"counter 1", copyWithCounter(server.get(), root, 1), "a client may not copy the root object"},
        {"counter -16", copyWithCounter(server.get(), root, -16), "a client may not copy the root object"},
        {"server's call", packetBytes(ownCall), notCallable.c_str()},
    };
    for (const auto& c : cases) {
        client = std::make_unique<TestRole>(false);
        client->sendConnect(server->connection->address);
        ASSERT_TRUE(runUntil([&] { return client->connects == 1; })) << c.what;
        ASSERT_TRUE(settle()) << c.what;
        client->sendPacket(payloadOf(c.payload).get(), static_cast<Node*>(client->nodes.firstChild));
        ASSERT_TRUE(runUntil([&] { return server->getNumNodes() == 0; })) << c.what;
        EXPECT_NE(net.logText().find(formatString("WARNING: refused a payload from %s: %s; disconnecting.",
                                                  client->connection->address.toString().c_str(), c.reason)),
                  std::string::npos)
            << c.what;
        EXPECT_EQ(server->objectMap.size(), objects) << c.what;
        EXPECT_EQ(server->nextObjectUID, counter) << c.what;
        EXPECT_EQ(piece->state, 0) << c.what;
    }
    // The server's own world goes on, and a new client gets all of it.
    auto* late = new RolePiece();
    asRole(server.get(), [&] {
        server->registerObject(late, 0);
        piece->addChildBack(late);
    });
    EXPECT_EQ(late->objectUID, counter);
    client = std::make_unique<TestRole>(false);
    client->sendConnect(server->connection->address);
    ASSERT_TRUE(runUntil([&] { return client->connects == 1; }));
    EXPECT_TRUE(settle()) << worldText(server.get()) << "----\n" << worldText(client.get());
}

// A server whose world writes on its own every tick, with two clients.
class ServerAndTwoClients : public testing::TestWithParam<bool> {
protected:
    ServerAndTwoClients() { RuntimeClassManager::getInstance()->buildClassArray(); }

    template <class F>
    bool runUntil(F&& done, int limit = 600)
    {
        for (int i = 0; i < limit; ++i) {
            if (done()) {
                return true;
            }
            frame();
        }
        return done();
    }
    void frame()
    {
        if (a != nullptr) {
            roleFrame({server.get(), a.get(), b.get()});
        } else {
            roleFrame({server.get(), b.get()});
        }
    }
    bool connect(TestRole* client)
    {
        const int before = server->connects;
        client->sendConnect(server->connection->address);
        return runUntil([&] { return client->connects == 1 && server->connects == before + 1; });
    }
    Node* serverNode(TestRole* client) { return static_cast<Node*>(client->nodes.firstChild); }
    // The server's world: a root with the pieces under it, in order.
    void buildWorld(std::initializer_list<RolePiece*> pieces)
    {
        asRole(server.get(), [&] {
            auto* root = new RootObjectBase();
            server->registerObject(root, 1);
            for (RolePiece* piece : pieces) {
                server->registerObject(piece, 0);
                root->addChildBack(piece);
            }
        });
    }
    // A client's relay call on a piece, in a payload of its own.
    static void relay(TestRole* client, Packet& payload, RolePiece* piece, u32 count)
    {
        RPC_RolePiece_relay call;
        call.target = static_cast<RolePiece*>(client->lookupObject(piece->objectUID));
        call.count = count;
        client->writeRPC(&call, &payload);
    }

    NetCore net{GetParam()};
    std::unique_ptr<TestRole> server = std::make_unique<TestRole>(true);
    std::unique_ptr<TestRole> a;
    std::unique_ptr<TestRole> b = std::make_unique<TestRole>(false);
};

INSTANTIATE_TEST_SUITE_P(Loopback, ServerAndTwoClients, testing::Values(false, true), transport);

TEST_P(ServerAndTwoClients, OneClientsFloodCostsNeitherTheServerNorTheOtherClient)
{
    auto* target = new RolePiece();
    auto* honest = new RolePiece();
    auto* ticker = new RoleTicker();
    buildWorld({target, honest, ticker});
    ASSERT_TRUE(connect(b.get()));

    // A fills all but a few bytes of `outgoing`, then asks for more: one
    // call answered by as many changes as fit, then calls answered by one.
    auto fill = [&](Packet& payload) {
        Packet answer(Packet::NETWORK_FLAGS, Packet::DEFAULT_CAPACITY);
        const i32 room = Packet::DEFAULT_CAPACITY - server->outgoing.getDataSize();
        RPC_QelBase_setStateRaw change;
        change.target = target;
        u32 count = 0;
        for (; answer.getDataSize() < room - 64; ++count) {
            change._state = static_cast<i32>(count);
            server->writeRPC(&change, &answer);
        }
        relay(a.get(), payload, target, count);
        change._state = 0;
        Packet one(Packet::NETWORK_FLAGS, 64);
        server->writeRPC(&change, &one);
        for (i32 left = room - answer.getDataSize(); left >= 0; left -= one.getDataSize()) {
            relay(a.get(), payload, target, 1);
        }
    };
    // Filling `outgoing` may or may not take A's calls past the budget (the
    // server's own writes count against no one); 20,000 changes do.
    const struct {
        const char* what;
        std::function<void(Packet&)> flood;
        bool overBudget;
    } cases[] = {
        {"filled to the last bytes", fill, false},
        {"one call answered by 20,000 changes", [&](Packet& payload) { relay(a.get(), payload, target, 20000); },
         true},
    };
    for (const auto& c : cases) {
        a = std::make_unique<TestRole>(false);
        ASSERT_TRUE(connect(a.get())) << c.what;
        ASSERT_TRUE(runUntil([&] { return worldText(a.get()) == worldText(server.get()); })) << c.what;
        ticker->running = true;
        frame();

        Packet flood(Packet::NETWORK_FLAGS, Packet::DEFAULT_CAPACITY);
        c.flood(flood);
        Packet call(Packet::NETWORK_FLAGS, 64);
        relay(b.get(), call, honest, 5);
        a->sendPacket(&flood, serverNode(a.get()));
        b->sendPacket(&call, serverNode(b.get()));
        ASSERT_TRUE(runUntil([&] {
            return honest->state == 4 && (!c.overBudget || server->findNode(a->hostUID, nullptr) == nullptr);
        })) << c.what;
        if (c.overBudget) {
            EXPECT_NE(net.logText().find(formatString("refused a payload from %s: its commands make this side write over",
                                                      a->connection->address.toString().c_str())),
                      std::string::npos)
                << c.what;
        }

        // B stays, its call ran everywhere, and B's world is the server's.
        ticker->running = false;
        EXPECT_TRUE(runUntil([&] { return worldText(b.get()) == worldText(server.get()); }))
            << c.what << "\n" << worldText(server.get()) << "----\n" << worldText(b.get());
        EXPECT_EQ(b->getNumNodes(), 1) << c.what;
        EXPECT_NE(server->findNode(b->hostUID, nullptr), nullptr) << c.what;
        EXPECT_EQ(honest->state, 4) << c.what;
    }
}

TEST_P(ServerAndTwoClients, ACopyThatMeetsAnotherClientsChangeIsSkippedAndItsSenderStays)
{
    auto* x = new RolePiece();
    auto* y = new RolePiece();
    auto* z = new RolePiece();
    auto* honest = new RolePiece();
    buildWorld({x, y, z, honest});
    a = std::make_unique<TestRole>(false);
    ASSERT_TRUE(connect(a.get()));
    ASSERT_TRUE(connect(b.get()));
    ASSERT_TRUE(runUntil([&] { return worldText(a.get()) == worldText(server.get()) &&
                                      worldText(b.get()) == worldText(server.get()); }));
    // Each client moves one piece under the other in its own world and
    // copies the new parent to the server, which tells nobody.
    auto copyMoved = [&](TestRole* client, RolePiece* child, RolePiece* parent, Packet& payload) {
        asRole(client, [&] {
            auto* local = static_cast<QelBase*>(client->lookupObject(parent->objectUID));
            local->addChildBack(client->lookupObject(child->objectUID));
            client->writeCopyObj(local, &payload);
        });
    };
    Packet fromA(Packet::NETWORK_FLAGS, 256);
    copyMoved(a.get(), y, x, fromA);
    a->sendPacket(&fromA, serverNode(a.get()));
    ASSERT_TRUE(runUntil([&] { return y->getParent() == x; }));

    // B's copy of Y names X, now Y's parent on the server: it reads whole
    // and is skipped, twice, and the call behind it runs. Nothing else the
    // copy holds stands: neither its new value nor its other new child.
    Packet fromB(Packet::NETWORK_FLAGS, 256);
    asRole(b.get(), [&] {
        auto* local = static_cast<RolePiece*>(b->lookupObject(y->objectUID));
        local->number = 42;
        local->addChildBack(b->lookupObject(z->objectUID));
    });
    copyMoved(b.get(), x, y, fromB);
    asRole(b.get(), [&] { b->writeCopyObj(b->lookupObject(y->objectUID), &fromB); });
    relay(b.get(), fromB, honest, 3);
    b->sendPacket(&fromB, serverNode(b.get()));
    ASSERT_TRUE(runUntil([&] { return honest->state == 2; }));
    frame();
    EXPECT_EQ(y->getParent(), x);
    EXPECT_EQ(x->getParent(), server->root);
    EXPECT_EQ(y->number, 0);
    EXPECT_EQ(z->getParent(), server->root);
    EXPECT_EQ(y->firstChild, nullptr);
    EXPECT_EQ(b->getNumNodes(), 1);
    EXPECT_NE(server->findNode(b->hostUID, nullptr), nullptr);
    const std::string warning =
        formatString("WARNING: skipped 2 copies from %s whose children would make the tree a cycle, the first of "
                     "object ID %d.",
                     b->connection->address.toString().c_str(), y->objectUID);
    const std::string log = net.logText();
    EXPECT_NE(log.find(warning), std::string::npos) << log;
    EXPECT_EQ(log.find("skipped", log.find(warning) + warning.size()), std::string::npos) << "one line a tick";
}

TEST_F(RoleTest, TicksIdentifiersAndQuitTexts)
{
    TestRole role(true);
    EXPECT_EQ(NetRole::current(), &role);
    auto* first = new RolePiece();
    auto* second = new RolePiece();
    role.registerObject(first, 0);
    role.registerObject(second, -5);
    EXPECT_GE(first->objectUID, 2);
    EXPECT_LE(first->objectUID, 257);
    EXPECT_EQ(second->objectUID, first->objectUID + 1);
    // A second object under a taken identifier does not own it: removing it
    // leaves the first one's entry.
    RolePiece stray;
    stray.objectUID = first->objectUID;
    role.unregisterObject(&stray);
    EXPECT_EQ(stray.objectUID, -1);
    EXPECT_EQ(role.lookupObject(first->objectUID), first);
    role.unregisterObject(nullptr);
    role.unregisterObject(second);
    delete second;

    // The first update ticks; a long frame ticks once; the next is 0.05 on.
    const struct {
        double dt;
        bool ticks;
    } frames[] = {{0.01, true}, {0.2, true}, {0.04, false}, {0.011, true}, {0.01, false}};
    for (const auto& frame : frames) {
        roleFrame({&role}, frame.dt);
        EXPECT_EQ(role.bTicked, frame.ticks) << frame.dt;
        EXPECT_EQ(NetRole::current(), nullptr);
    }

    const std::pair<int, const char*> reasons[] = {
        {0, "Quit for an unknown reason."}, {1, "User requested exit."}, {2, "Disconnected from server."},
        {3, "Game over."},                  {4, "Playback finished."},   {7, "Emergency exit requested."},
        {5, "Quit for an unknown reason."},
    };
    for (const auto& [reason, text] : reasons) {
        role.quitReason = reason;
        EXPECT_EQ(role.getQuitReasonText(), text);
    }

    // While a recording plays, nothing is read from the network.
    role.quitReason = NetRole::QUIT_NONE;
    const std::string path = net.core->folder.path + "/ticks.net";
    RecordingBytes().record(1, {}).record(2, {}).save(path);
    RecordingHost peer(false);
    peer.sendConnect(role.connection->address);
    role.startPlayback(path);
    ASSERT_TRUE(runUntil({&role}, [&] { return role.quitReason == NetRole::QUIT_PLAYBACK; }));
    EXPECT_EQ(role.getNumNodes(), 0);
    asRole(&role, [&] { role.unregisterObject(first); });
    delete first;
}

// The words that make MT19937's next output the given value.
u32 untemper(u32 y)
{
    y ^= y >> 18;
    y ^= (y << 15) & 0xEFC60000u;
    u32 x = y;
    for (int i = 0; i < 5; ++i) {
        x = y ^ ((x << 7) & 0x9D2C5680u);
    }
    y = x;
    x = y;
    for (int i = 0; i < 3; ++i) {
        x = y ^ (x >> 11);
    }
    return x;
}

TEST_F(RoleTest, SharedDrawsFollowTheRoleAndNeverReachTheRange)
{
    NetRandom source;
    source.seed(1);
    source.mti = 0;
    source.mt[0] = untemper(0xFFFFFFFEu);
    source.mt[1] = untemper(0xFFFFFFFEu);
    ASSERT_EQ(source.next(), 0xFFFFFFFEu);
    // 0.999... of the range rounds to the range as a float.
    EXPECT_EQ(source.getF(3.0f), std::nextafter(3.0f, 0.0f));

    // With a role, draws belong inside code that runs on every side.
    TestRole role(true);
    role.bExecutesOnServer = true;
    role.bExecutesOnClient = true;
    role.netRandom.getI(5);
    role.bExecutesOnClient = false;
    EXPECT_FATAL(role.netRandom.getI(5), "THEROLE->bExecutesOnServer && THEROLE->bExecutesOnClient");
    EXPECT_FATAL(role.netRandom.getF(1.0f), "getF");
}

TEST_F(RoleTest, TheProgramsOwnMistakesAreFatal)
{
    TestRole server(true);
    TestRole client(false);
    auto* root = new RootObjectBase();
    server.registerObject(root, 1);
    EXPECT_EQ(root->getParent(), &server);
    EXPECT_FATAL(server.registerObject(new RootObjectBase(), 1), "root==NULL");
    auto* piece = new RolePiece();
    server.registerObject(piece, 5);
    root->addChildBack(piece);
    EXPECT_FATAL(server.registerObject(new RolePiece(), 5), "objectMap.count");
    EXPECT_FATAL(server.registerObject(root, 0), "!o->isValidUID\\(\\)");
    EXPECT_FATAL(server.registerObject(new RolePiece(), INT_MAX - 1), "uid<INT_MAX-1");
    EXPECT_FATAL(server.findObject(999), "Could not find object ID 999");
    EXPECT_FATAL(asRole(&server, [&] { delete root; }), "Deletion of registered object 1 is not allowed");
    EXPECT_FATAL(server.startPlayback("a"); server.startPlayback("b"), "netPlayback==NULL");
    // A client may not make a call that runs on the server.
    auto* mirrored = new RolePiece();
    client.registerObject(mirrored, 5);
    EXPECT_FATAL(asRole(&client, [&] { mirrored->netSetState(1, 0.0); }), "Can't call '_[0-9a-f]{8}' client-side.");
    client.unregisterObject(mirrored);
    delete mirrored;
}

TEST_F(RoleTest, CallsAreSentFromTheServerAndRunWithTheirFlags)
{
    TestRole server(true);
    auto* root = new RootObjectBase();
    auto* piece = new RolePiece();
    server.registerObject(root, 1);
    server.registerObject(piece, 0);
    root->addChildBack(piece);
    server.outgoing.reset();
    // Objects registered by code that runs on the clients as well are not
    // announced.
    server.bExecutesOnClient = true;
    auto* quiet = new RolePiece();
    server.registerObject(quiet, 0);
    root->addChildBack(quiet);
    server.bExecutesOnClient = false;
    EXPECT_EQ(server.outgoing.getDataSize(), 0);
    asRole(&server, [&] {
        piece->netSetStateRaw(3);
        EXPECT_EQ(piece->state, 3);
        EXPECT_FALSE(server.bExecutesOnServer || server.bExecutesOnClient);
        // A call that draws runs here with both flags set.
        RPC_RolePiece_draw draw;
        draw.count = 1;
        makeCall(piece, draw);
    });
    Packet& out = server.outgoing;
    EXPECT_GT(out.getDataSize(), 0);
    EXPECT_EQ(server.rpcCount[RPC_QelBase_setStateRaw::runtimeClass()->id], 1u);
    EXPECT_EQ(server.rpcCount[RPC_RolePiece_draw::runtimeClass()->id], 1u);
    EXPECT_EQ(piece->draws.size(), 2u);
    const NetStats* sample = server.connection->getCurrentStats();
    EXPECT_EQ(std::vector<i32>(sample->commandCounts, sample->commandCounts + 4), (std::vector<i32>{2, 0, 0, 2}));
    roleFrame({&server});
    EXPECT_EQ(server.rpcCountLastTick[RPC_RolePiece_draw::runtimeClass()->id], 1u);
    EXPECT_EQ(server.rpcCount[RPC_RolePiece_draw::runtimeClass()->id], 0u);
    EXPECT_EQ(out.getDataSize(), 0);

    // A snapshot creates every object, in identifier order, before it
    // copies any.
    TestRole world(false, false);
    world.registerObject(new RolePiece(), 9);
    world.registerObject(new RootObjectBase(), 1);
    world.registerObject(new RolePiece(), 4);
    Packet expected(Packet::NETWORK_FLAGS, 4096);
    for (i32 uid : {1, 4, 9}) {
        world.writeSpawnNamed(world.lookupObject(uid), &expected);
    }
    for (i32 uid : {1, 4, 9}) {
        world.writeCopyObj(world.lookupObject(uid), &expected);
    }
    Packet snapshot(Packet::NETWORK_FLAGS, 4096);
    world.writeSnapshot(&snapshot);
    EXPECT_EQ(packetBytes(snapshot), packetBytes(expected));
}

// A role that keeps every payload it sends in the middle of a tick.
class SendingRole : public TestRole {
public:
    using TestRole::TestRole;
    void flushGlobalState() override
    {
        sent.push_back(packetBytes(outgoing));
        TestRole::flushGlobalState();
    }
    std::vector<Bytes> sent;
};

// Counts its state changes.
class StatePiece : public RolePiece {
public:
    void onStateChange() override { ++stateChanges; }

    int stateChanges = 0;
};

TEST_F(RoleTest, ReceivedCallsRun)
{
    TestRole role(false, false);
    auto* target = new StatePiece();
    role.registerObject(target, 9);
    RPC_QelBase_setState setState;
    setState.target = target;
    setState._stateGoto = 4;
    setState._stateLeft = 0.0;
    RPC_QelBase_callNetPostReplicate post;
    post.target = target;

    Packet stream(Packet::NETWORK_FLAGS, 64);
    role.writeRPC(&setState, &stream);
    role.writeRPC(&post, &stream);
    stream.rewindToRead();
    asRole(&role, [&] { role.processPacket(&stream); });
    ASSERT_FALSE(stream.hasError()) << stream.getError();
    EXPECT_EQ(target->state, 4);
    EXPECT_EQ(target->stateChanges, 1);
    EXPECT_EQ(target->postReplicates, 1);
}

TEST_F(RoleTest, ReceivedCallsAreChecked)
{
    TestRole role(false, false);
    auto* target = new RolePiece();
    role.registerObject(target, 9);
    u8 postId = static_cast<u8>(RPC_QelBase_callNetPostReplicate::runtimeClass()->id);
    u8 addId = static_cast<u8>(RPC_QelBase_add::runtimeClass()->id);
    u8 qelBaseId = static_cast<u8>(QelBase::runtimeClass()->id);
    // A call's class and arguments, as the role reads them after the code.
    auto read = [&](Packet* packet) {
        asRole(&role, [&] { role.processCommand(packet, NetRole::RPCCALL); });
        return !packet->hasError();
    };

    // Refused: a class that is no call (before anything is created), an
    // unknown class number, arguments cut short, an unknown target, and a
    // root's call whose target is no root.
    u8 destroyId = static_cast<u8>(RPC_RootObjectBase_destroyObject::runtimeClass()->id);
    const Bytes refused[] = {{qelBaseId, 0x09}, {0xFF, 0x7F, 0x09}, {postId}, {postId, 0x0A}, {destroyId, 0x09, 0x09}};
    for (const Bytes& bytes : refused) {
        EXPECT_FALSE(read(readerFor(bytes).get())) << int(bytes[0]);
    }
    EXPECT_EQ(target->postReplicates, 0);

    // A null target or child arrives cleanly but does nothing.
    auto nullTarget = readerFor({postId, 0x00, addId, 0x09, 0x00, addId, 0x09, 0x09});
    EXPECT_TRUE(read(nullTarget.get()));
    EXPECT_TRUE(read(nullTarget.get()));
    EXPECT_TRUE(read(nullTarget.get()));
    EXPECT_EQ(target->firstChild, nullptr);
    EXPECT_EQ(target->postReplicates, 0);
}

TEST_F(RoleTest, AClientsPayloadStopsAtItsWriteBudgetAndAllThatRanGoesOut)
{
    SendingRole server(true);
    TestRole client(false, false);
    TestRole talking(false);
    for (TestRole* role : {static_cast<TestRole*>(&server), &client, &talking}) {
        auto* root = new RootObjectBase();
        role->registerObject(root, 1);
        root->addChildBack(new RolePiece());
        role->registerObject(static_cast<QelBase*>(root->firstChild), 40);
    }
    server.outgoing.reset();
    server.sent.clear();
    const NetStats* sample = server.connection->getCurrentStats();
    const i32 callsBefore = sample->commandCounts[NetRole::RPCCALL];
    // Each call makes the server write about 36 KB: the second ends past
    // the budget, so the third is never read.
    Packet calls(Packet::NETWORK_FLAGS, 4096);
    for (u32 count : {9000, 10000, 10000}) {
        RPC_RolePiece_relay relay;
        relay.target = static_cast<RolePiece*>(client.lookupObject(40));
        relay.count = count;
        client.writeRPC(&relay, &calls);
    }
    calls.rewindToRead();
    asRole(&server, [&] { server.processPacket(&calls); });
    EXPECT_NE(net.logText().find(": its commands make this side write over 65536 bytes in one tick; disconnecting."),
              std::string::npos)
        << net.logText();
    EXPECT_EQ(server.lookupObject(40)->state, 9999);
    // What ran went out whole, in payloads that each end on a command.
    server.sent.push_back(packetBytes(server.outgoing));
    ASSERT_EQ(server.sent.size(), 2u);
    for (const Bytes& sent : server.sent) {
        auto answer = payloadOf(sent);
        answer->rewindToRead();
        asRole(&client, [&] { client.processPacket(answer.get()); });
        EXPECT_FALSE(answer->hasError()) << answer->getError();
    }
    EXPECT_EQ(client.lookupObject(40)->state, 9999);
    // The statistics count what went out.
    EXPECT_EQ(server.rpcCount[RPC_QelBase_setStateRaw::runtimeClass()->id], 19000u);
    EXPECT_EQ(sample->commandCounts[NetRole::RPCCALL] - callsBefore, 19000);

    // A client is bounded alike: a call of the server that makes it write
    // past the budget is its last, and the client leaves.
    Packet echo(Packet::NETWORK_FLAGS, 4096);
    RPC_RolePiece_echo call;
    call.target = static_cast<RolePiece*>(server.lookupObject(40));
    call.count = 30000;
    server.writeRPC(&call, &echo);
    echo.rewindToRead();
    asRole(&talking, [&] { talking.processPacket(&echo); });
    EXPECT_TRUE(echo.hasError());
    EXPECT_EQ(talking.rpcCount[RPC_RolePiece_relay::runtimeClass()->id], 30000u);
    const std::string log = net.logText();
    EXPECT_NE(log.find("65536 bytes in one tick", log.find("65536 bytes in one tick") + 1), std::string::npos);
}

TEST_F(RoleTest, CopiedCountersLieAboveEveryIdentifierInUseAndTheRoleForgetsWhatItHolds)
{
    TestRole client(false, false);
    auto* root = new RootObjectBase();
    client.registerObject(root, 1);
    auto* piece = new RolePiece();
    client.registerObject(piece, 40);
    root->addChildBack(piece);
    auto* held = new RolePiece();
    client.registerObject(held, 30);
    piece->addChildBack(held);
    const i32 counter = client.nextObjectUID = 41;
    // Refusals name the counter as it travels, unsigned.
    const struct {
        i32 bad;
        const char* reason;
    } cases[] = {
        {0, "next object ID 0 out of range"},
        {1, "next object ID 1 not above object ID 40 in use"},
        {40, "next object ID 40 not above object ID 40 in use"},
        {INT_MIN, "next object ID 2147483648 out of range"},
        {-16, "next object ID 4294967280 out of range"},
        {INT_MAX, "next object ID 2147483647 out of range"},
    };
    for (const auto& [bad, reason] : cases) {
        // The image would also move `held` from the piece to the root.
        root->addChildBack(held);
        auto payload = payloadOf(copyWithCounter(&client, root, bad));
        piece->addChildBack(held);
        payload->rewindToRead();
        asRole(&client, [&] { client.processPacket(payload.get()); });
        EXPECT_TRUE(payload->hasError()) << bad;
        EXPECT_EQ(client.nextObjectUID, counter) << bad;
        EXPECT_EQ(held->getParent(), piece) << bad;
        EXPECT_EQ(root->lastChild, piece) << bad;
        EXPECT_NE(net.logText().find(std::string(": ") + reason + "; disconnecting."), std::string::npos) << bad;
    }
    // Identifiers that left, however many, hold the counter up no longer;
    // those in use still do.
    for (i32 uid = 100; uid < 400; ++uid) {
        client.registerObject(new RolePiece(), uid);
    }
    for (i32 uid = 100; uid < 400; ++uid) {
        QelBase* leaving = client.lookupObject(uid);
        client.unregisterObject(leaving);
        delete leaving;
    }
    for (i32 next : {40, 77}) {
        auto payload = payloadOf(copyWithCounter(&client, root, next));
        payload->rewindToRead();
        asRole(&client, [&] { client.processPacket(payload.get()); });
        EXPECT_EQ(payload->hasError(), next == 40);
    }
    EXPECT_EQ(client.nextObjectUID, 77);

    // A copy refused in its last child changes nothing that it read before:
    // neither the values nor the children it names.
    auto* first = new RolePiece();
    client.registerObject(first, 50);
    root->addChildBack(first);
    TestRole writer(false, false);
    auto* image = new RolePiece();
    writer.registerObject(image, 40);
    image->number = 99;
    image->label = "half";
    image->addChildBack(new RolePiece());
    writer.registerObject(static_cast<QelBase*>(image->firstChild), 50);
    image->addChildBack(new RolePiece());
    writer.registerObject(static_cast<QelBase*>(image->lastChild), 51);
    Packet copy(Packet::NETWORK_FLAGS, 4096);
    writer.writeCopyObj(image, &copy);
    copy.rewindToRead();
    asRole(&client, [&] { client.processPacket(&copy); });
    EXPECT_TRUE(copy.hasError());
    EXPECT_EQ(piece->number, 0);
    EXPECT_EQ(piece->label, "");
    EXPECT_EQ(first->getParent(), root);
    EXPECT_EQ(piece->firstChild, held);
    EXPECT_EQ(piece->lastChild, held);
    EXPECT_EQ(piece->postReplicates, 0);

    // An object held under an identifier that is not valid still leaves
    // the table when it is deleted.
    client.nextObjectUID = -16;
    auto* stray = new RolePiece();
    client.registerObject(stray, 0);
    asRole(&client, [&] { stray->deleteMe(); });
    EXPECT_EQ(client.lookupObject(-16), nullptr);
}

TEST_F(RoleTest, ACopyIsReadInTheLayoutOfItsObjectAsItStandsAndMakesNoObject)
{
    TestRole writer(true, false);
    TestRole reader(false, false);
    auto pair = [&](Renderable* written, Renderable* read, i32 uid) {
        writer.registerObject(written, uid);
        reader.registerObject(read, uid);
        written->position = V3(9, 9, 9);
        read->position = V3(1, 2, 3);
        read->updateXform();
    };
    // A plain renderable whose owner took its skin, on both sides.
    auto* ownedImage = new Renderable();
    auto* owned = new Renderable();
    ownedImage->bOwnsSkin = owned->bOwnsSkin = true;
    pair(ownedImage, owned, 30);
    // One of a class that owns its skin, whose owner here gave it back.
    auto* skinnedImage = new SkinnedPiece();
    auto* skinned = new SkinnedPiece();
    skinned->bOwnsSkin = false;
    pair(skinnedImage, skinned, 31);
    SkinnedPiece::made = 0;
    auto copy = [&](QelBase* from) {
        Packet payload(Packet::NETWORK_FLAGS, 4096);
        writer.writeCopyObj(from, &payload);
        payload.rewindToRead();
        asRole(&reader, [&] { reader.processPacket(&payload); });
        return !payload.hasError();
    };

    EXPECT_TRUE(copy(ownedImage));
    EXPECT_EQ(owned->position, V3(9, 9, 9));
    EXPECT_EQ(owned->boundsCenter, V3(9, 9, 9));

    // An image without the skin does not read whole where the skin is
    // listed: nothing it read stays, the derived placement included.
    const Matrix xform = skinned->xform;
    EXPECT_FALSE(copy(skinnedImage));
    EXPECT_EQ(skinned->position, V3(1, 2, 3));
    EXPECT_EQ(skinned->boundsCenter, V3(1, 2, 3));
    EXPECT_EQ(std::memcmp(&skinned->xform, &xform, sizeof xform), 0);
    skinned->bOwnsSkin = true;
    EXPECT_TRUE(copy(skinnedImage));
    EXPECT_EQ(skinned->position, V3(9, 9, 9));
    EXPECT_EQ(SkinnedPiece::made, 0) << "a copy constructs no object of its class";

    // An image that reads another object's image, in its own or in its
    // place, or its own twice, could not be undone with the copy: refused,
    // and no object changes.
    struct Nest {
        NestingPiece* outer = new NestingPiece();
        RolePiece* inner = new RolePiece();
        RolePiece* child = new RolePiece();
    };
    const struct {
        const char* what;
        NestingPiece::Layout layout;
    } layouts[] = {
        {"another's image after its own", NestingPiece::OWN_THEN_INNER},
        {"another's image alone", NestingPiece::INNER_ONLY},
        {"its own image twice", NestingPiece::OWN_TWICE},
    };
    i32 uid = 40;
    for (const auto& [what, layout] : layouts) {
        auto nest = [&](TestRole& role, Nest& n) {
            n.outer->layout = layout;
            n.outer->inner = n.inner;
            role.registerObject(n.outer, uid);
            role.registerObject(n.inner, uid + 1);
            role.registerObject(n.child, uid + 2);
            n.outer->addChildBack(n.inner);
        };
        Nest written, read;
        nest(writer, written);
        nest(reader, read);
        uid += 3;
        written.outer->number = 7;
        written.inner->number = 5;
        written.inner->addChildBack(written.child);
        EXPECT_FALSE(copy(written.outer)) << what;
        EXPECT_EQ(read.outer->number, 0) << what;
        EXPECT_EQ(read.inner->number, 0) << what;
        EXPECT_EQ(read.child->getParent(), nullptr) << what;
        EXPECT_EQ(read.outer->lastChild, read.inner) << what;
        EXPECT_EQ(read.outer->postReplicates, 0) << what;
    }
    EXPECT_NE(net.logText().find("an object image read inside the image being copied"), std::string::npos);
}

TEST_F(RoleTest, ANamedIdentifierMovesTheCounterPastIt)
{
    // A server names an object at the client's next identifier.
    TestRole client(false, false);
    const i32 counter = client.nextObjectUID;
    auto named = payloadOf(PayloadWriter().spawnNamed(RolePiece::runtimeClass(), counter).bytes());
    named->rewindToRead();
    asRole(&client, [&] { client.processPacket(named.get()); });
    ASSERT_FALSE(named->hasError());
    auto* own = new RolePiece();
    client.registerObject(own, 0);
    EXPECT_EQ(own->objectUID, counter + 1);

    // A recording whose root sets the counter to 50, then names 50.
    TestRole world(true, false);
    auto* root = new RootObjectBase();
    world.registerObject(root, 1);
    world.nextObjectUID = 50;
    Packet snapshot(Packet::NETWORK_FLAGS, 256);
    world.writeSnapshot(&snapshot);
    const std::string path = net.core->folder.path + "/named.net";
    RecordingBytes()
        .record(1, packetBytes(snapshot))
        .record(2, PayloadWriter().spawnNamed(RolePiece::runtimeClass(), 50).bytes())
        .save(path);
    TestRole replay(true, false);
    replay.startPlayback(path);
    ASSERT_TRUE(runUntil({&replay}, [&] { return replay.quitReason == NetRole::QUIT_PLAYBACK; }));
    EXPECT_EQ(replay.getPlaybackFailure(), "");
    ASSERT_NE(replay.lookupObject(50), nullptr);
    auto* next = new RolePiece();
    replay.registerObject(next, 0);
    EXPECT_EQ(next->objectUID, 51);
}

TEST_F(RoleTest, WhateverAPeerSendsThisSideKeepsAMillionIdentifiersOfItsOwn)
{
    RuntimeClass* piece = RolePiece::runtimeClass();
    RuntimeClass* rootClass = RootObjectBase::runtimeClass();
    constexpr i32 limit = NetRole::PEER_COUNTER_LIMIT;
    TestRole writer(true, false);
    auto* writtenRoot = new RootObjectBase();
    writer.registerObject(writtenRoot, 1);
    using Commands = std::function<void(Packet&)>;
    auto rootCopy = [&](i32 counter) -> Commands {
        return [&, counter](Packet& p) { writeCopyWithCounter(p, &writer, writtenRoot, counter); };
    };
    auto name = [piece](u32 uid) -> Commands { return [piece, uid](Packet& p) { spawnNamedCommand(p, piece, uid); }; };
    const struct Case {
        const char* what;
        Commands payload;
        // Empty when the payload is accepted.
        const char* reason;
        // An identifier the payload names before it is refused, or 0.
        i32 stands;
    } cases[] = {
        {"root copy of INT_MAX - 1", rootCopy(INT_MAX - 1), "next object ID 2147483646 out of range", 0},
        {"root copy of INT_MAX - 100", rootCopy(INT_MAX - 100), "next object ID 2147483547 out of range", 0},
        {"root copy one past the limit", rootCopy(limit + 1), "next object ID 2146483648 out of range", 0},
        {"root copy at the limit", rootCopy(limit), "", 0},
        {"name of INT_MAX - 2", name(INT_MAX - 2), "object ID 2147483645 out of range", 0},
        {"name at the limit", name(limit), "object ID 2146483647 out of range", 0},
        {"name of 0", name(0), "object ID 0 out of range", 0},
        {"name below the limit, then an unnamed spawn",
         [&](Packet& p) {
             spawnNamedCommand(p, piece, limit - 1);
             spawnCommand(p, piece);
         },
         "no object ID left for SPAWNOBJ", limit - 1},
    };
    const std::string path = net.core->folder.path + "/room.net";
    for (const Case& c : cases) {
        // Sent by a server to its client.
        {
            TestRole client(false, false);
            client.registerObject(new RootObjectBase(), 1);
            Packet sent(Packet::NETWORK_FLAGS, 4096);
            c.payload(sent);
            sent.rewindToRead();
            asRole(&client, [&] { client.processPacket(&sent); });
            EXPECT_EQ(sent.hasError(), *c.reason != 0) << c.what;
            EXPECT_EQ(client.lookupObject(c.stands) != nullptr, c.stands != 0) << c.what;
            ASSERT_LE(client.nextObjectUID, limit) << c.what;
            for (int i = 0; i < 1000; ++i) {
                client.registerObject(new RolePiece(), 0);
            }
        }
        // Replayed from a recording, after its snapshot and in it: no
        // snapshot takes this side's room either.
        for (int record : {2, 1}) {
            Packet snapshot(Packet::NETWORK_FLAGS, 4096);
            spawnNamedCommand(snapshot, rootClass, 1);
            spawnNamedCommand(snapshot, piece, 3);
            Packet later(Packet::NETWORK_FLAGS, 4096);
            c.payload(record == 1 ? snapshot : later);
            RecordingBytes file;
            file.record(1, packetBytes(snapshot));
            if (record == 2) {
                file.record(2, packetBytes(later));
            }
            file.save(path);
            TestRole replay(false, false);
            replay.startPlayback(path);
            ASSERT_TRUE(runUntil({&replay}, [&] { return replay.quitReason == NetRole::QUIT_PLAYBACK; })) << c.what;
            const std::string expected =
                *c.reason != 0 ? formatString("recording damaged: record %d refused: %s", record, c.reason) : "";
            EXPECT_EQ(replay.getPlaybackFailure(), expected) << c.what;
            EXPECT_LE(replay.nextObjectUID, limit) << c.what;
        }
    }
    const std::string refusal = "refused a payload from 0.0.0.0:0: no object ID left for SPAWNOBJ";
    EXPECT_NE(net.logText().find(refusal), std::string::npos) << net.logText();
}

TEST_F(RoleTest, NoTreeAPeerBuildsLiesDeeperThanTheLimit)
{
    // Chains of 200,000 plain objects, far past what the tree's walks
    // survive, each link legal by itself.
    constexpr u32 levels = 200000;
    constexpr u32 limit = NetRole::TREE_DEPTH_LIMIT;
    const struct Case {
        const char* what;
        bool underRoot;
        bool bottomUp;
        void (*link)(PayloadStream&, u32 uid, u32 child);
    } cases[] = {
        {"copies under the root", true, false, [](PayloadStream& s, u32 uid, u32 child) { s.copyNaming(uid, child); }},
        {"copies left unattached", false, true, [](PayloadStream& s, u32 uid, u32 child) { s.copyNaming(uid, child); }},
        {"add calls", false, true, [](PayloadStream& s, u32 uid, u32 child) { s.add(uid, child); }},
    };
    for (const Case& c : cases) {
        TestRole client(false, false);
        client.registerObject(new RootObjectBase(), 1);
        const u32 first = static_cast<u32>(client.nextObjectUID);
        PayloadStream stream;
        stream.spawn(QelBase::runtimeClass(), levels);
        if (c.underRoot) {
            stream.add(1, first);
        }
        for (u32 i = 0; i + 1 < levels; ++i) {
            const u32 uid = c.bottomUp ? first + levels - 2 - i : first + i;
            c.link(stream, uid, uid + 1);
        }
        EXPECT_GT(deliver(&client, stream.payloads()), 0) << c.what;
        EXPECT_EQ(deepestObject(&client), limit) << c.what;
        const std::string reason = formatString(": child would lie over %u levels deep; disconnecting.", limit);
        EXPECT_NE(net.logText().find(reason), std::string::npos) << c.what;

        // A frame walks the tree to update it, the pointer picks through
        // it, an event goes up from the deepest object, and the client goes
        // with its world.
        roleFrame({&client});
        int n = 0;
        EXPECT_EQ(client.pick(&n), nullptr) << c.what;
        QelBase* deepest = client.lookupObject(static_cast<i32>(c.bottomUp ? first + levels - 1 : first + limit - 2));
        ASSERT_NE(deepest, nullptr) << c.what;
        Event e;
        EXPECT_FALSE(deepest->filterEvent(&e) || deepest->postEvent(&e)) << c.what;
    }
}

TEST_F(RoleTest, APeersMovesAreRefusedForDepthOnlyWhereTheTreeWouldBeTooDeep)
{
    // Objects first, first + 1, ... made by the server; the root lies one
    // level below the client role. A chain of the first 500 under the root,
    // and one of the rest left unattached, built top down, then hung under
    // the first one's bottom.
    auto hungChain = [](PayloadStream& s, u32 a, u32 objects) {
        s.add(1, a);
        for (u32 i = 0; i + 1 < objects; ++i) {
            if (i != 499) {
                s.add(a + i, a + i + 1);
            }
        }
        s.add(a + 499, a + 500);
    };
    const struct Case {
        const char* what;
        u32 objects;
        void (*moves)(PayloadStream&, u32 first, u32 objects);
        int refused;
        u32 deepest;
    } cases[] = {
        {"two pieces swapped 600 times under the root", 2,
         [](PayloadStream& s, u32 a, u32) {
             s.add(1, a).add(a, a + 1);
             for (int i = 0; i < 600; ++i) {
                 s.add(1, a + 1).add(a + 1, a).add(1, a).add(a, a + 1);
             }
         },
         0, 3},
        {"a piece that held a 900-level chain, destroyed, then 202 levels down", 1101,
         [](PayloadStream& s, u32 x, u32) {
             s.add(1, x);
             for (u32 i = 899; i > 0; --i) {
                 s.add(x + i, x + i + 1);
             }
             s.add(x, x + 1).destroy(x + 1).add(1, x + 901);
             for (u32 i = 901; i < 1100; ++i) {
                 s.add(x + i, x + i + 1);
             }
             s.add(x + 1100, x);
         },
         0, 202},
        {"an unattached chain built top down, hung under another's bottom at the limit", 999, hungChain, 0, 1000},
        {"the same one level past it", 1000, hungChain, 1, 501},
    };
    for (const Case& c : cases) {
        TestRole client(false, false);
        client.registerObject(new RootObjectBase(), 1);
        const u32 first = static_cast<u32>(client.nextObjectUID);
        PayloadStream stream;
        stream.spawn(QelBase::runtimeClass(), c.objects);
        c.moves(stream, first, c.objects);
        EXPECT_EQ(deliver(&client, stream.payloads()), c.refused) << c.what;
        EXPECT_EQ(deepestObject(&client), c.deepest) << c.what;
    }
}

TEST_F(RoleTest, ObjectsPeersMadeAreBoundedWhileTheyLive)
{
    constexpr i32 bound = NetRole::PEER_OBJECT_LIMIT;
    constexpr size_t heapBound = size_t{512} << 20;
    // A plain object, and the heaviest that a peer may make here.
    for (RuntimeClass* record : {QelBase::runtimeClass(), Quad::runtimeClass()}) {
        const char* what = record->name.c_str();
        TestRole client(false, false);
        client.registerObject(new RootObjectBase(), 1);
        const u32 first = static_cast<u32>(client.nextObjectUID);
        // A server that goes on spawning: five million objects.
        PayloadStream flood;
        flood.spawn(record, 5000000);
        const size_t heapBefore = heapInUse();
        EXPECT_GT(deliver(&client, flood.payloads()), 0) << what;
        EXPECT_LE(heapInUse() - heapBefore, heapBound) << what;
        EXPECT_EQ(client.peerObjects, bound) << what;
        EXPECT_EQ(client.objectMap.size(), static_cast<size_t>(bound) + 1) << what;
        const std::string reason = formatString(": over %d objects made by peers; disconnecting.", bound);
        EXPECT_NE(net.logText().find(reason), std::string::npos) << what;

        // An object that leaves the table and comes back as this side's
        // own counts against nobody.
        QelBase* leaving = client.lookupObject(static_cast<i32>(first));
        client.unregisterObject(leaving);
        client.registerObject(leaving, 0);
        client.unregisterObject(leaving);
        client.registerObject(leaving, static_cast<i32>(first));
        EXPECT_EQ(client.peerObjects, bound - 1) << what;
        const bool recorded = record == QelBase::runtimeClass();
        if (recorded) {
            // The world at the bound, with one more object of this side's
            // own, is recorded with all that follows.
            auto* own = new RolePiece();
            client.registerObject(own, 0);
            client.root->addChildBack(own);
            client.startRecording(net.core->folder.path + "/bound.net");
        }

        // Once the server has destroyed them, it may make as many again.
        PayloadStream destroys;
        for (u32 i = 0; i < static_cast<u32>(bound); ++i) {
            destroys.destroy(first + i);
        }
        EXPECT_EQ(deliver(&client, destroys.payloads()), 0) << what;
        EXPECT_EQ(client.peerObjects, 0) << what;
        PayloadStream again;
        again.spawn(record, bound);
        EXPECT_EQ(deliver(&client, again.payloads()), 0) << what;
        EXPECT_EQ(client.peerObjects, bound) << what;
        EXPECT_EQ(deliver(&client, PayloadStream().spawn(record, 1).payloads()), 1) << what;
        if (recorded) {
            delete client.netRecording;
            client.netRecording = nullptr;
            TestRole replay(false, false);
            replay.startPlayback(net.core->folder.path + "/bound.net");
            ASSERT_TRUE(runUntil({&replay}, [&] { return replay.quitReason == NetRole::QUIT_PLAYBACK; }));
            EXPECT_EQ(replay.getPlaybackFailure(), "");
            EXPECT_TRUE(worldText(&replay) == worldText(&client));
        }
    }
    // A replay's snapshot makes no more than its own bound.
    PayloadWriter swollen(8 << 20);
    for (i32 i = 0; i < NetRole::SNAPSHOT_OBJECT_LIMIT + 1; ++i) {
        swollen.spawn(QelBase::runtimeClass());
    }
    RecordingBytes().record(1, swollen.bytes()).save(net.core->folder.path + "/swollen.net");
    TestRole replay(false, false);
    replay.startPlayback(net.core->folder.path + "/swollen.net");
    ASSERT_TRUE(runUntil({&replay}, [&] { return replay.quitReason == NetRole::QUIT_PLAYBACK; }));
    EXPECT_EQ(replay.getPlaybackFailure(), "recording damaged: record 1 refused: over 1500000 objects in the snapshot");
    EXPECT_EQ(replay.objectMap.size(), static_cast<size_t>(NetRole::SNAPSHOT_OBJECT_LIMIT));
}

TEST_F(RoleTest, ARecordingOfABigWorldReplaysToThatWorld)
{
    const std::string path = net.core->folder.path + "/big.net";
    // A client whose server made a root with 25,000 children, whose image
    // alone is larger than a payload, ...
    TestRole client(false, false);
    client.registerObject(new RootObjectBase(), 1);
    const u32 first = static_cast<u32>(client.nextObjectUID);
    PayloadStream made;
    made.spawn(RolePiece::runtimeClass(), 25000);
    for (u32 i = 0; i < 25000; ++i) {
        made.add(1, first + i);
    }
    ASSERT_EQ(deliver(&client, made.payloads()), 0);
    // ... a server with more objects of its own than its clients take,
    // which it says once, whose replay writes more than a peer's payload
    // may make it write ...
    TestRole server(true);
    server.registerObject(new RootObjectBase(), 1);
    for (int i = 0; i < NetRole::PEER_OBJECT_LIMIT; ++i) {
        auto* piece = new RolePiece();
        piece->number = i;
        server.registerObject(piece, 0);
        server.root->addChildBack(piece);
        if (i % 100000 == 0) {
            roleFrame({&server});
        }
    }
    // Given once, however many ticks the world stays past them.
    for (int i = 0; i < 10; ++i) {
        roleFrame({&server});
    }
    EXPECT_EQ(linesOf(net.logText(), PAST_CLIENTS + "the world holds over 500000 objects."), 1);
    // ... a server with a tree as deep as its clients take ...
    TestRole deep(true);
    deep.registerObject(new RootObjectBase(), 1);
    hang(&deep, deep.root, 999);
    // ... and one at the other bounds: its root under an object of its own,
    // a chain as deep as a tree may be that hangs nowhere, a piece whose
    // part ends at the limit, and a chain as deep that hangs under a piece's
    // part, which its replay leaves on top.
    TestRole edge(true);
    edge.registerObject(new RootObjectBase(), 1);
    auto* holder = new RolePiece();
    edge.registerObject(holder, 0);
    holder->addChildBack(edge.root);
    hang(&edge, nullptr, 1001);
    hang(&edge, hang(&edge, edge.root, 997), 1, PartedPiece::runtimeClass());
    hang(&edge, hang(&edge, edge.root, 1, PartedPiece::runtimeClass())->getFirstChild(), 1001);
    for (TestRole* live : {&client, &server, &deep, &edge}) {
        // Counted once, though the first packet tried was too small.
        const i32* counts = live->connection != nullptr ? live->connection->getCurrentStats()->commandCounts : nullptr;
        const i32 spawnsBefore = counts != nullptr ? counts[NetRole::SPAWNNAMED] : 0;
        const i32 copiesBefore = counts != nullptr ? counts[NetRole::COPYOBJ] : 0;
        live->startRecording(path);
        if (counts != nullptr) {
            EXPECT_EQ(counts[NetRole::SPAWNNAMED] - spawnsBefore, static_cast<i32>(live->objectMap.size()));
            EXPECT_EQ(counts[NetRole::COPYOBJ] - copiesBefore, static_cast<i32>(live->objectMap.size()));
        }
        ASSERT_NE(live->netRecording, nullptr);
        delete live->netRecording;
        live->netRecording = nullptr;
        ASSERT_GT(std::filesystem::file_size(path),
                  static_cast<uintmax_t>(live == &deep || live == &edge ? 0 : Packet::DEFAULT_CAPACITY));
        TestRole replay(live->isServer, false);
        replay.startPlayback(path);
        ASSERT_TRUE(runUntil({&replay}, [&] { return replay.quitReason == NetRole::QUIT_PLAYBACK; }));
        EXPECT_EQ(replay.getPlaybackFailure(), "");
        // Compared whole: either text runs to megabytes.
        EXPECT_TRUE(worldText(&replay) == worldText(live)) << (live->isServer ? "server" : "client");
    }
    const size_t seen = net.logText().size();
    roleFrame({&deep, &edge});
    EXPECT_EQ(net.logText().find(PAST_CLIENTS, seen), std::string::npos);
}

TEST_F(RoleTest, AWorldItsReplayWouldRefuseIsNotRecordedAndOneItsClientsWouldIsWarnedOfOnce)
{
    // Worlds past the bounds of a big world's recording: a replay would
    // refuse them, so they are not recorded, and a server's clients would,
    // which it says once.
    auto tooDeep = [](const QelBase* o) {
        return formatString("object ID %d: child would lie over 1000 levels deep", o->objectUID);
    };
    const struct Past {
        const char* what;
        // Builds the world on a server and gives why it is refused.
        std::function<std::string(TestRole&)> build;
        bool clientsRefuse;
    } worlds[] = {
        {"one level deeper than the limit",
         [&](TestRole& role) {
             role.registerObject(new RootObjectBase(), 1);
             return tooDeep(hang(&role, role.root, 1000));
         },
         true},
        {"a chain one level deeper that hangs nowhere",
         [&](TestRole& role) { return tooDeep(hang(&role, nullptr, 1002)); },
         true},
        {"a part one level deeper",
         [&](TestRole& role) {
             role.registerObject(new RootObjectBase(), 1);
             return tooDeep(hang(&role, hang(&role, role.root, 998), 1, PartedPiece::runtimeClass()));
         },
         true},
        {"an object whose class does not travel",
         [&](TestRole& role) {
             role.registerObject(new RootObjectBase(), 1);
             const int uid = hang(&role, role.root, 1, HomePiece::runtimeClass())->objectUID;
             return formatString("object ID %d: class 'HomePiece' does not travel (QEL_TRAVELS(HomePiece) after its "
                                 "record makes it travel)",
                                 uid);
         },
         true},
        {"a root that is no root object",
         [&](TestRole& role) {
             role.registerObject(new QelBase(), 1);
             return std::string("object ID 1: the root is no root object");
         },
         true},
        {"objects of this side's own past the peers' identifiers",
         [&](TestRole& role) {
             role.registerObject(new RootObjectBase(), 1);
             role.registerObject(new RolePiece(), INT_MAX - 2);
             role.registerObject(new RolePiece(), 0);
             return std::string("next object ID 2147483647 out of range");
         },
         true},
        {"a chain as deep as a tree may be, whose bottom's part was deleted",
         [&](TestRole& role) {
             QelBase* bottom = hang(&role, hang(&role, nullptr, 1000), 1, PartedPiece::runtimeClass());
             delete bottom->firstChild;
             return tooDeep(bottom);
         },
         true},
        {"an object whose class does not travel, past the first slice a tick looks at",
         [&](TestRole& role) {
             role.registerObject(new RootObjectBase(), 1);
             QelBase* bottom = hang(&role, role.root, 990);
             for (int i = 0; i < 5000; ++i) {
                 hang(&role, bottom, 1);
             }
             const int uid = hang(&role, bottom, 1, HomePiece::runtimeClass())->objectUID;
             return formatString("object ID %d: class 'HomePiece' does not travel (QEL_TRAVELS(HomePiece) after its "
                                 "record makes it travel)",
                                 uid);
         },
         true},
        {"a snapshot longer than a recording's first record",
         [&](TestRole& role) {
             role.registerObject(new RootObjectBase(), 1);
             for (i32 size = 0; size <= NetRecording::SNAPSHOT_LIMIT; size += BulkyPiece::BULK) {
                 hang(&role, role.root, 1, BulkyPiece::runtimeClass());
             }
             return std::string("its snapshot is over 268435456 bytes");
         },
         false},
    };
    const std::string declined = net.core->folder.path + "/declined.net";
    for (const Past& past : worlds) {
        TestRole role(true);
        const std::string reason = past.build(role);
        role.startRecording(declined);
        EXPECT_EQ(role.netRecording, nullptr) << past.what;
        EXPECT_FALSE(std::filesystem::exists(declined)) << past.what;
        const std::string log = net.logText();
        EXPECT_NE(log.find("WARNING: not recording to " + declined + ": " + reason + "."), std::string::npos)
            << past.what << "\n" << log.substr(log.rfind("WARNING"));
        for (int i = 0; i < 10; ++i) {
            roleFrame({&role});
        }
        EXPECT_EQ(linesOf(net.logText(), PAST_CLIENTS + reason + "."), past.clientsRefuse ? 1 : 0) << past.what;
        EXPECT_LE(role.worldCheck.mostRead(), WorldCheck::WORLD_CHECK_SLICE + NetRole::TREE_DEPTH_LIMIT) << past.what;
    }

    // A world of as many objects as a replay's snapshot makes is recorded;
    // one more is not.
    TestRole replay(false, false);
    replay.registerObject(new RootObjectBase(), 1);
    while (replay.objectMap.size() < static_cast<size_t>(NetRole::SNAPSHOT_OBJECT_LIMIT)) {
        replay.registerObject(new QelBase(), 0);
    }
    for (const char* name : {"/full.net", "/over.net"}) {
        const std::string path = net.core->folder.path + name;
        replay.startRecording(path);
        const bool full = replay.objectMap.size() == static_cast<size_t>(NetRole::SNAPSHOT_OBJECT_LIMIT);
        EXPECT_EQ(replay.netRecording != nullptr, full) << name;
        EXPECT_EQ(std::filesystem::exists(path), full) << name;
        delete replay.netRecording;
        replay.netRecording = nullptr;
        replay.registerObject(new QelBase(), 0);
    }
    EXPECT_NE(net.logText().find("over.net: the world holds over 1500000 objects."), std::string::npos);

    // A world that passes costs a server's tick its slice whatever holds
    // its objects: a top with 20,000 children and a chain of 1,100 parts.
    TestRole wide(true);
    wide.registerObject(new RootObjectBase(), 1);
    QelBase* top = hang(&wide, nullptr, 1);
    for (int i = 0; i < 20000; ++i) {
        hang(&wide, top, 1);
    }
    QelBase* part = top;
    for (int i = 0; i < 1100; ++i) {
        part->addChildBack(new QelBase());
        part = part->getFirstChild();
    }
    const size_t seen = net.logText().size();
    for (int i = 0; i < 20; ++i) {
        roleFrame({&wide});
    }
    EXPECT_EQ(net.logText().find(PAST_CLIENTS, seen), std::string::npos);
    EXPECT_EQ(wide.checkWorld(NetRole::SNAPSHOT_OBJECT_LIMIT), "");
    EXPECT_LE(wide.worldCheck.mostRead(), WorldCheck::WORLD_CHECK_SLICE + NetRole::TREE_DEPTH_LIMIT);
    EXPECT_GE(wide.worldCheck.mostRead(), WorldCheck::WORLD_CHECK_SLICE);
}

TEST_F(RoleTest, AServersRecordingReplaysToTheWorldItBuiltLive)
{
    const std::string path = net.core->folder.path + "/server.net";
    TestRole server(true);
    auto* root = new RootObjectBase();
    server.registerObject(root, 1);
    auto* piece = new RolePiece();
    server.registerObject(piece, 40);
    root->addChildBack(piece);
    server.startRecording(path);
    auto relay = [&](Packet& to, u32 count) {
        RPC_RolePiece_relay call;
        call.target = piece;
        call.count = count;
        server.writeRPC(&call, &to);
    };
    // A call that runs, then one the server refuses before running it; a
    // call that ends past the budget with one more behind it; and a call
    // cut short after one that runs.
    RPC_QelBase_setStateRaw own;
    own.target = piece;
    own._state = 77;
    Packet refused(Packet::NETWORK_FLAGS, 256);
    relay(refused, 3);
    server.writeRPC(&own, &refused);
    Packet flood(Packet::NETWORK_FLAGS, 256);
    relay(flood, 20000);
    relay(flood, 5);
    Packet cut(Packet::NETWORK_FLAGS, 256);
    relay(cut, 7);
    relay(cut, 300);
    const Bytes cutBytes(cut.buffer, cut.buffer + cut.getDataSize() - 1);
    for (const Bytes& payload : {packetBytes(refused), packetBytes(flood), cutBytes}) {
        auto packet = payloadOf(payload);
        packet->rewindToRead();
        asRole(&server, [&] { server.processPacket(packet.get()); });
        roleFrame({&server});
        EXPECT_TRUE(packet->hasError());
    }
    EXPECT_EQ(piece->state, 6);
    delete server.netRecording;
    server.netRecording = nullptr;

    TestRole replay(true, false);
    replay.startPlayback(path);
    ASSERT_TRUE(runUntil({&replay}, [&] { return replay.quitReason == NetRole::QUIT_PLAYBACK; }));
    EXPECT_EQ(replay.getPlaybackFailure(), "");
    EXPECT_EQ(worldText(&replay), worldText(&server));

    // A later record that holds more than the live side read stops at the
    // budget all the same, and the replay plays on.
    RecordingBytes longer;
    std::ifstream file(path, std::ios::binary);
    longer.bytes.assign(std::istreambuf_iterator<char>(file), {});
    longer.record(9, packetBytes(flood)).save(path);
    TestRole again(true, false);
    again.startPlayback(path);
    ASSERT_TRUE(runUntil({&again}, [&] { return again.quitReason == NetRole::QUIT_PLAYBACK; }));
    EXPECT_EQ(again.getPlaybackFailure(), "");
    EXPECT_EQ(static_cast<RolePiece*>(again.lookupObject(40))->state, 19999);
}

TEST_F(RoleTest, RecordingLayoutAndPlaybackTiming)
{
    const std::string path = net.core->folder.path + "/one.net";
    {
        NetRecording recording(path);
        recording.writeHeader(0x01020304);
        Packet three(Packet::NETWORK_FLAGS, 8);
        u8 bytes[3] = {1, 2, 3};
        three.doBytes(bytes, 3);
        recording.record(&three);
    }
    const Bytes file = [&] {
        std::string text = TempFolder::readFile(path);
        return Bytes(text.begin(), text.end());
    }();
    ASSERT_EQ(file.size(), 67u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.data())), "Vabodemo");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.data() + 32)), "1.30");
    EXPECT_EQ(Bytes(file.begin() + 48, file.begin() + 52), (Bytes{4, 3, 2, 1}));
    EXPECT_EQ(Bytes(file.begin() + 60, file.end()), (Bytes{3, 0, 0, 0, 1, 2, 3}));

    // Two records 2.0 s apart, then the same with F11 held.
    net.core->qel->input = new QelInput();
    for (bool f11 : {false, true}) {
        RecordingBytes(NetRecording::GAME_NAME).record(10.0, {}).record(12.0, {0x00}).save(path);
        NetPlayback playback(path);
        u32 uid = 0;
        playback.playbackHeader(&uid);
        net.core->qel->input->keys[DIK_F11] = f11 ? 1 : 0;
        std::unique_ptr<Packet> first(playback.getNextPacket());
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->getDataSize(), 0);
        NetCore::advance(0.05);
        std::unique_ptr<Packet> second(playback.getNextPacket());
        EXPECT_EQ(second != nullptr, f11);
        NetCore::advance(2.0);
        if (!f11) {
            second.reset(playback.getNextPacket());
            ASSERT_NE(second, nullptr);
        }
        EXPECT_TRUE(playback.bFinished);
        EXPECT_EQ(second->getDataSize(), 1);
    }
    delete net.core->qel->input;
    net.core->qel->input = nullptr;
}

TEST_F(RoleTest, DamagedRecordingsAreRefusedWithTheirReasonAndNothingPastTheDamage)
{
    RuntimeClass* piece = RolePiece::runtimeClass();
    RuntimeClass* rootClass = RootObjectBase::runtimeClass();
    const Bytes good = PayloadWriter().spawnNamed(piece, 3).bytes();
    const Bytes after = PayloadWriter().spawnNamed(piece, 4).bytes();
    Bytes cut = PayloadWriter().spawnNamed(piece, 300).bytes();
    cut.pop_back();
    const struct Case {
        const char* what;
        RecordingBytes file;
        const char* reason;
        bool firstStands;
    } cases[] = {
        {"name", RecordingBytes("Vabodemx").record(1, good), "the name is not \"Vabodemo\"", false},
        {"version", RecordingBytes("Vabodemo", "1.31").record(1, good), "the version is not \"1.30\"", false},
        {"name without NUL", RecordingBytes(std::string(40, 'V').c_str()).record(1, good), "the name is not", false},
        {"length 2^31", RecordingBytes().record(1, good).raw(2, 0x80000000u, after), "record 2 ends past the end",
         false},
        {"length 2^32-1", RecordingBytes().record(1, good).raw(2, 0xFFFFFFFFu, after), "record 2 ends past the end",
         false},
        {"cut record", RecordingBytes().record(1, good).raw(2, 9, after), "record 2 ends past the end", true},
        {"time stamp only", RecordingBytes().record(1, good).stamp(2), "record 2 ends after its time stamp", true},
        {"time", RecordingBytes().record(1, good).record(NAN, after), "record 2 has no valid time", false},
        {"spawns a call", RecordingBytes().record(1, good).record(2, PayloadWriter().spawn(RPC_QelBase_add::runtimeClass()).bytes()).record(3, after),
         "record 2 refused: class not creatable here", true},
        {"spawns a class that does not travel",
         RecordingBytes().record(1, good).record(2, PayloadWriter().spawn(HomePiece::runtimeClass()).bytes()).record(3, after),
         "record 2 refused: class 'HomePiece' does not travel", true},
        {"lists a child twice",
         RecordingBytes().record(1, good).record(2, PayloadWriter().spawnNamed(QelBase::runtimeClass(), 5).spawnNamed(QelBase::runtimeClass(), 6).copyListing(5, {6, 6}).bytes()).record(3, after),
         "record 2 refused: an image lists a child twice", true},
        {"snapshot that calls",
         RecordingBytes().record(1, PayloadWriter().spawnNamed(piece, 3).call(RPC_QelBase_clear::runtimeClass()).uint(3).bytes()).record(2, after),
         "record 1 refused: a snapshot holds no calls", true},
        {"snapshot that copies an object twice",
         RecordingBytes().record(1, PayloadWriter().spawnNamed(piece, 3).spawnNamed(QelBase::runtimeClass(), 5).copyListing(5, {}).copyListing(5, {}).bytes()).record(2, after),
         "record 1 refused: the snapshot copies object ID 5 out of order", true},
        {"snapshot whose copy makes a cycle",
         RecordingBytes().record(1, PayloadWriter().spawnNamed(piece, 3).spawnNamed(QelBase::runtimeClass(), 5).spawnNamed(QelBase::runtimeClass(), 6).copyListing(5, {6}).copyListing(6, {5}).bytes()).record(2, after),
         "record 1 refused: the snapshot's copy of object ID 6 makes the tree a cycle", true},
        {"snapshot that places an object twice",
         RecordingBytes().record(1, PayloadWriter().spawnNamed(piece, 3).spawnNamed(QelBase::runtimeClass(), 5).spawnNamed(QelBase::runtimeClass(), 6).spawnNamed(QelBase::runtimeClass(), 7).copyListing(5, {6}).copyListing(7, {6}).bytes()).record(2, after),
         "record 1 refused: the snapshot places object ID 6 twice", true},
        {"runs an object", RecordingBytes().record(1, good).record(2, PayloadWriter().call(piece).uint(3).bytes()).record(3, after),
         "record 2 refused: class not creatable here", true},
        {"unknown identifier", RecordingBytes().record(1, good).record(2, PayloadWriter().copyBare(99).bytes()).record(3, after),
         "record 2 refused: Could not find object ID 99", true},
        {"identifier past 2^31", RecordingBytes().record(1, good).record(2, PayloadWriter().copyBare(0xFFFFFFFFu).bytes()).record(3, after),
         "record 2 refused: Could not find object ID 4294967295", true},
        {"payload longer than a payload", RecordingBytes().record(1, good).record(2, Bytes(0x10001, 0)),
         "record 2 is longer than any payload", false},
        {"snapshot longer than a snapshot",
         RecordingBytes().raw(1, NetRecording::SNAPSHOT_LIMIT + 1u, good), "record 1 ends past the end", false},
        {"duplicate identifier", RecordingBytes().record(1, good).record(2, PayloadWriter().spawnNamed(piece, 3).bytes()).record(3, after),
         "record 2 refused: duplicate object ID 3", true},
        {"second root",
         RecordingBytes().record(1, good).record(2, PayloadWriter().spawnNamed(rootClass, 1).spawnNamed(rootClass, 1).bytes()).record(3, after),
         "record 2 refused: root==NULL", true},
        {"cut command", RecordingBytes().record(1, good).record(2, cut).record(3, after),
         "record 2 refused: read past the end", true},
        {"name leaves no identifier",
         RecordingBytes().record(1, good).record(2, PayloadWriter().spawnNamed(piece, INT_MAX - 1).bytes()).record(3, after),
         "record 2 refused: object ID 2147483646 out of range", true},
    };
    const std::string path = net.core->folder.path + "/damaged.net";
    const int homePiecesBefore = HomePiece::made;
    int index = 0;
    for (const Case& c : cases) {
        c.file.save(path);
#ifdef VABO_ROLE_RECORDING
        // Seeds for the recording fuzz target's corpus.
        c.file.save(formatString("%s.damaged-%02d", VABO_ROLE_RECORDING, ++index));
#endif
        TestRole replay(false, false);
        replay.startPlayback(path);
        for (int i = 0; i < 10 && replay.quitReason == 0; ++i) {
            roleFrame({&replay}, 1.0);
        }
        EXPECT_EQ(replay.quitReason, NetRole::QUIT_PLAYBACK) << c.what;
        EXPECT_NE(replay.getPlaybackFailure().find(c.reason), std::string::npos)
            << c.what << ": " << replay.getPlaybackFailure();
        EXPECT_EQ(replay.lookupObject(3) != nullptr, c.firstStands) << c.what;
        EXPECT_EQ(replay.lookupObject(4), nullptr) << c.what;
    }
    EXPECT_NE(net.logText().find("recording damaged: record 2 refused: duplicate object ID 3"), std::string::npos);
    EXPECT_EQ(HomePiece::made, homePiecesBefore) << "a class that does not travel is refused before it is made";
}

TEST_F(RoleTest, RolesEndWithoutFatalErrors)
{
    auto world = [](NetRole* role) {
        auto* root = new RootObjectBase();
        role->registerObject(root, 1);
        auto* piece = new RolePiece();
        role->registerObject(piece, 0);
        root->addChildBack(piece);
        role->registerObject(new RolePiece(), 0); // held by nobody
    };
    {
        // Destroyed before its first update.
        TestRole role(true);
        world(&role);
    }
    EXPECT_EQ(NetRole::current(), nullptr);
    for (bool firstGoesFirst : {true, false}) {
        auto first = std::make_unique<TestRole>(true);
        auto second = std::make_unique<TestRole>(false);
        world(first.get());
        world(second.get());
        roleFrame({first.get(), second.get()});
        NetRole::makeCurrent(second.get());
        if (firstGoesFirst) {
            first.reset();
            EXPECT_EQ(NetRole::current(), second.get());
            second.reset();
        } else {
            second.reset();
            EXPECT_EQ(NetRole::current(), nullptr);
            first.reset();
        }
        EXPECT_EQ(NetRole::current(), nullptr);
    }
}

// Hover picking sees the role that the event manager runs under.
class RoleProbe : public QelBase {
public:
    bool isMouseInside() override
    {
        seen = NetRole::current();
        return false;
    }
    NetRole* seen = nullptr;
};

TEST_F(RoleTest, EventDeliveryRunsUnderTheManagersRole)
{
    net.core->qel->input = new QelInput();
    {
        TestRole role(false, false);
        NetRole::makeCurrent(nullptr);
        QelBase root;
        auto* probe = new RoleProbe();
        root.addChildBack(probe);
        EventManager manager;
        manager.role = &role;
        manager.update(&root);
        EXPECT_EQ(probe->seen, &role);
        EXPECT_EQ(NetRole::current(), nullptr);
    }
    delete net.core->qel->input;
    net.core->qel->input = nullptr;
}

} // namespace

ROLE_SPRITE_CLASS_RECORDS;

namespace {

// A copy whose pointer names an object or resource of another kind than
// its field takes is refused whichever side sends it, and the field stays.
TEST_F(RoleTest, ACopysPointerTakesOnlyItsFieldsKind)
{
    ResourceManager resources;
    net.core->qel->resourceManager = &resources;
    Skin skin;
    skin.width = skin.height = 10.0f;
    FontQuad font;
    resources.addResource("ball:0", &skin);
    resources.addResource("font:small", &font);
    // The same world on both sides: a root, a piece and a sprite tied to it.
    struct World {
        RootObjectBase* root = new RootObjectBase();
        RolePiece* piece = new RolePiece();
        SpritePiece* sprite = new SpritePiece();
    };
    auto build = [&](TestRole& role, World& world) {
        role.registerObject(world.root, 1);
        role.registerObject(world.piece, 2);
        role.registerObject(world.sprite, 3);
        world.root->addChildBack(world.piece);
        world.root->addChildBack(world.sprite);
        world.sprite->partner = world.piece;
        world.sprite->pSkin = &skin;
        world.sprite->updateXform();
    };
    TestRole server(true, false);
    TestRole client(false, false);
    World onServer, onClient;
    build(server, onServer);
    build(client, onClient);
    // Points the sender's field at something of another kind, through its
    // text form, which takes any resource or live object.
    auto misname = [](SpritePiece* sprite, const char* property, const UString& text) {
        std::unique_ptr<PropertyContainer> tree(sprite->createPropertyTree());
        for (BasicLink* link = tree->firstChild; link != nullptr; link = link->next) {
            if (static_cast<Property*>(link)->name == property) {
                static_cast<Property*>(link)->fromString(text);
            }
        }
    };
    const auto address = [](QelBase* o) {
        return formatString("%lx", static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(o)));
    };
    const char* const fontAsSkin = "property 'pSkin' names resource 'font:small', a FontQuad, not a Skin";
    const char* const spriteAsPartner = "property 'partner' names object ID 3, a SpritePiece, not a RolePiece";
    const struct {
        const char* what;
        TestRole* from;
        World* sent;
        TestRole* to;
        World* read;
        const char* property;
        UString named;
        const char* reason;
    } cases[] = {
        {"a font as the skin, to a client", &server, &onServer, &client, &onClient, "pSkin", "font:small", fontAsSkin},
        {"a font as the skin, to a server", &client, &onClient, &server, &onServer, "pSkin", "font:small", fontAsSkin},
        {"the sprite as its own partner, to a client", &server, &onServer, &client, &onClient, "partner",
         address(onServer.sprite), spriteAsPartner},
        {"the sprite as its own partner, to a server", &client, &onClient, &server, &onServer, "partner",
         address(onClient.sprite), spriteAsPartner},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.what);
        SpritePiece* sent = c.sent->sprite;
        SpritePiece* read = c.read->sprite;
        misname(sent, c.property, c.named);
        sent->position = V3(9, 9, 9);
        Packet payload(Packet::NETWORK_FLAGS, 4096);
        c.from->writeCopyObj(sent, &payload);
        sent->pSkin = &skin;
        sent->partner = c.sent->piece;
        sent->position = V3();
        payload.rewindToRead();
        payload.address.set(0x7F000001u, static_cast<u16>(40000 + i));
        asRole(c.to, [&] { c.to->processPacket(&payload); });
        EXPECT_STREQ(payload.getError(), c.reason);
        EXPECT_NE(net.logText().find(formatString("refused a payload from %s: %s; disconnecting.",
                                                  payload.address.toString().c_str(), c.reason)),
                  std::string::npos);
        EXPECT_EQ(read->pSkin, &skin);
        EXPECT_EQ(read->partner, c.read->piece);
        EXPECT_EQ(read->position, V3());
        EXPECT_EQ(read->postReplicates, 0);
    }
    net.core->qel->resourceManager = nullptr;
}

} // namespace
