// Calls: their registry records, wire forms and argument lists, and local
// execution without a replication role. The role's own tests read calls
// that arrive from outside.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "net/RPC_QelBase.h"
#include "net/RPC_RootObjectBase.h"
#include "object/Reference.h"
#include "object/RuntimeClassManager.h"
#include "support/EngineCore.h"
#include "support/PacketBytes.h"

namespace {

// Counts its hooks.
class Counter : public QelBase {
public:
    void onStateChange() override { ++stateChanges; }
    void netPostReplicate() override { ++postReplicates; }
    void netPostReplicateGlobal() override { ++globalPostReplicates; }

    int stateChanges = 0;
    int postReplicates = 0;
    int globalPostReplicates = 0;
};

class RPCTest : public ::testing::Test {
protected:
    void SetUp() override { RuntimeClassManager::getInstance()->buildClassArray(); }

    // The call as a peer receives it: class, then its own serialisation.
    Bytes sent(RPC& rpc, u32 flags = Packet::NETWORK_FLAGS)
    {
        Packet packet(flags, 64);
        RPC::send(&packet, &rpc);
        return packetBytes(packet);
    }
    EngineCore core;
};

TEST_F(RPCTest, RegistryRecords)
{
    EXPECT_EQ(RPC::runtimeClass()->name, "RPC");
    EXPECT_EQ(RPC::runtimeClass()->parent, nullptr);
    std::unique_ptr<RPC> bare(RPC::runtimeClass()->createAs<RPC>());
    ASSERT_NE(bare, nullptr);
    EXPECT_FALSE(bare->bExecutesOnServer || bare->bExecutesOnClient || bare->bClientCallable);

    EXPECT_EQ(RootObjectBase::runtimeClass()->name, "_04790976");
    EXPECT_EQ(RootObjectBase::runtimeClass()->parent, QelBase::runtimeClass());
    EXPECT_EQ(RPC_RootObjectBase_randomSeed::runtimeClass()->name, "_cfad751b");
    EXPECT_EQ(RPC_RootObjectBase_destroyObject::runtimeClass()->name, "_4472ef3a");

    const std::pair<RuntimeClass*, const char*> calls[] = {
        {RPC_QelBase_clear::runtimeClass(), "RPC_QelBase_clear"},
        {RPC_QelBase_add::runtimeClass(), "RPC_QelBase_add"},
        {RPC_QelBase_remove::runtimeClass(), "RPC_QelBase_remove"},
        {RPC_QelBase_callNetPostReplicate::runtimeClass(), "RPC_QelBase_callNetPostReplicate"},
        {RPC_QelBase_callNetPostReplicateGlobal::runtimeClass(), "RPC_QelBase_callNetPostReplicateGlobal"},
        {RPC_QelBase_setStateRaw::runtimeClass(), "RPC_QelBase_setStateRaw"},
        {RPC_QelBase_setState::runtimeClass(), "RPC_QelBase_setState"},
        {RPC_RootObjectBase_randomSeed::runtimeClass(), "RPC_RootObjectBase_randomSeed"},
        {RPC_RootObjectBase_destroyObject::runtimeClass(), "RPC_RootObjectBase_destroyObject"},
    };
    for (const auto& [record, name] : calls) {
        EXPECT_EQ(record->name, formatString("_%08x", classNameHash(name))) << name;
        EXPECT_EQ(record->parent, RPC::runtimeClass()) << name;
        std::unique_ptr<RPC> rpc(record->createAs<RPC>());
        ASSERT_NE(rpc, nullptr) << name;
        EXPECT_EQ(rpc->getRuntimeClass(), record);
        EXPECT_TRUE(rpc->bExecutesOnServer && rpc->bExecutesOnClient) << name;
        EXPECT_FALSE(rpc->bClientCallable) << name;
        EXPECT_EQ(record->createAs<QelBase>(), nullptr) << name;
    }
}

TEST_F(RPCTest, WireForms)
{
    QelBase target;
    target.objectUID = 5;
    QelBase child;
    child.objectUID = 6;
    RuntimeClass* addClass = RPC_QelBase_add::runtimeClass();
    u8 addId = static_cast<u8>(addClass->id);
    ASSERT_LT(addClass->id, 128);

    RPC_QelBase_add add;
    add.target = &target;
    EXPECT_EQ(sent(add), (Bytes{addId, 0x05, 0x00})); // a null child is the identifier 0
    add.obj = &child;
    EXPECT_EQ(sent(add), (Bytes{addId, 0x05, 0x06}));

    RPC_QelBase_setState setState;
    setState.target = &target;
    setState._stateGoto = -1;
    setState._stateLeft = 1.0;
    u8 setStateId = static_cast<u8>(RPC_QelBase_setState::runtimeClass()->id);
    EXPECT_EQ(sent(setState), (Bytes{setStateId, 0x05, 0x41, 0x00, 0x3C}));

    RPC_RootObjectBase_randomSeed seed;
    seed.seed = 0x01020304;
    u32 hash = RPC_RootObjectBase_randomSeed::runtimeClass()->hash;
    EXPECT_EQ(sent(seed, Packet::SAVEGAME_FLAGS),
              (Bytes{u8(hash), u8(hash >> 8), u8(hash >> 16), u8(hash >> 24), 0x00, 0x04, 0x03, 0x02, 0x01}));
}

TEST_F(RPCTest, LocalExecutionFollowsTheFlags)
{
    Counter target;
    for (int flags : {0, 1, 2, 3, 4}) {
        RPC_QelBase_callNetPostReplicate rpc;
        rpc.bExecutesOnServer = (flags & RPC::EXECUTES_ON_SERVER) != 0;
        rpc.bExecutesOnClient = (flags & RPC::EXECUTES_ON_CLIENT) != 0;
        rpc.target = &target;
        rpc.invoke();
        rpc.executeLocally();
    }
    // With no role this side is server and client at once.
    EXPECT_EQ(target.postReplicates, 3);
}

TEST_F(RPCTest, NetworkedOperationsRunHereAtOnce)
{
    Counter parent;
    auto* a = new QelBase();
    auto* b = new QelBase();
    parent.netAdd(a);
    parent.netAdd(b);
    EXPECT_EQ(parent.countChildren(), 2u);
    parent.netRemove(a);
    EXPECT_EQ(a->getParent(), nullptr);
    parent.netAdd(&parent); // never its own child
    EXPECT_EQ(parent.getParent(), nullptr);
    parent.netClear();
    EXPECT_EQ(parent.firstChild, nullptr);
    delete a;

    parent.netCallPostReplicate();
    parent.netCallPostReplicateGlobal();
    EXPECT_EQ(parent.postReplicates, 1);
    EXPECT_EQ(parent.globalPostReplicates, 1);

    parent.netSetState(5, 0.0);
    EXPECT_EQ(parent.state, 5);
    EXPECT_EQ(parent.stateChanges, 1);

    parent.update(0.0, 0.5);
    parent.netSetStateRaw(7);
    EXPECT_EQ(parent.state, 7);
    EXPECT_EQ(parent.timeInState, 0.5);
    EXPECT_EQ(parent.stateGoto, 5);
    EXPECT_EQ(parent.stateChanges, 1);

    // Without a role this side keeps time for a delayed change itself.
    parent.netSetState(8, 2.0);
    EXPECT_EQ(parent.state, 7);
    EXPECT_EQ(parent.stateLeft, 2.0);
    parent.update(0.0, 2.0);
    EXPECT_EQ(parent.state, 8);
    EXPECT_EQ(parent.stateChanges, 2);

    // The three-argument form stays reachable on every object.
    parent.setState(8, 0.0, true);
    EXPECT_EQ(parent.stateChanges, 3);
}

TEST_F(RPCTest, RootDestroysObjectsWithTheirSubtrees)
{
    RootObjectBase root;
    auto* a = new QelBase();
    auto* grandchild = new QelBase();
    a->addChildBack(grandchild);
    root.addChildBack(a);
    Reference<QelBase> watch(nullptr);
    watch = grandchild;

    root.destroyObject(nullptr);
    EXPECT_EQ(root.countChildren(), 1u);
    root.destroyObject(a);
    EXPECT_EQ(root.firstChild, nullptr);
    EXPECT_EQ(watch.get(), nullptr);

    // Seeding has no shared source to reach without a role; it is harmless.
    root.randomSeed(1234);
}

} // namespace
