#pragma once
// Replication roles on the scripted clock of NetCore: frames that move the
// engine's frame timer, code run as one role's own, a small replicated
// world of test pieces and a call that draws from the shared source, the
// world's text for comparing two sides, the depth of its deepest object,
// and recordings built byte by byte.
#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "graphics/Renderable.h"
#include "net/NetPlayback.h"
#include "net/NetRecording.h"
#include "net/NetRole.h"
#include "net/RPC_QelBase.h"
#include "net/RPC_RootObjectBase.h"
#include "net/RootObjectBase.h"
#include "net/TargetedRPC.h"
#include "object/RuntimeClassManager.h"
#include "property/PropertyContainer.h"
#include "property/PropertyFloat.h"
#include "property/PropertyInt.h"
#include "property/PropertyPointer.h"
#include "property/PropertyUColor.h"
#include "support/NetCore.h"

// A text field as a property (travels as a masked string).
class PropertyText : public PropertyValue<UString> {
public:
    PropertyText(const UString& propertyName, UString* field) : PropertyValue(propertyName, 0, field) {}
    void netSerializeProperty(Packet* packet) override { packet->doUString(value, 64); }
    UString toString() override { return *value; }
};

// A replicated object with an int, a float, a colour, a text and a pointer.
class RolePiece : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    void addPropertiesTo(QelBase* container) override
    {
        QelBase::addPropertiesTo(container);
        container->addChildBack(new PropertyInt("number", 0, &number));
        container->addChildBack(new PropertyFloat("weight", 0, &weight));
        container->addChildBack(new PropertyUColor("tint", 0, &tint));
        container->addChildBack(new PropertyText("label", &label));
        container->addChildBack(
            new PropertyPointer("partner", 0, reinterpret_cast<void**>(&partner), QelBase::runtimeClass()));
    }
    void netPostReplicate() override { ++postReplicates; }

    i32 number = 0;
    float weight = 0.0f;
    UColor tint = UColor::fromWord(0);
    UString label;
    QelBase* partner = nullptr;
    // Kept on each side, never sent.
    int postReplicates = 0;
    std::vector<u32> draws;
    std::vector<i32> calls;
};

// A call on a piece that runs on every side and draws from the role's
// shared source there.
class RPC_RolePiece_draw : public TargetedRPC<RolePiece> {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    void netSerialize(Packet* packet) override
    {
        TargetedRPC::netSerialize(packet);
        packet->doInt(&argument);
        packet->doUInt(&count);
    }
    void perform() override
    {
        target->calls.push_back(argument);
        NetRole* role = NetRole::current();
        for (u32 i = 0; i < count && i < 64; ++i) {
            target->draws.push_back(role != nullptr ? role->netRandom.getI(1000000) : 0);
            float f = role != nullptr ? role->netRandom.getF(1.0f) : 0.0f;
            u32 bits = 0;
            std::memcpy(&bits, &f, 4);
            target->draws.push_back(bits);
        }
    }

    i32 argument = 0;
    u32 count = 0;
};

// A call that a client makes on the server, which answers it with `count`
// state changes of the piece sent to every side.
class RPC_RolePiece_relay : public TargetedRPC<RolePiece> {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    RPC_RolePiece_relay()
    {
        bExecutesOnClient = false;
        bClientCallable = true;
    }
    void netSerialize(Packet* packet) override
    {
        TargetedRPC::netSerialize(packet);
        packet->doUInt(&count);
    }
    void perform() override
    {
        for (u32 i = 0; i < count && i < 20000; ++i) {
            RPC_QelBase_setStateRaw change;
            change._state = static_cast<i32>(i);
            makeCall(static_cast<QelBase*>(target), change);
        }
    }

    u32 count = 0;
};

// A piece that, like any game's object, changes on its own every frame on
// the server while it runs.
class RoleTicker : public RolePiece {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    void update(double time, double dt) override
    {
        QelBase::update(time, dt);
        NetRole* role = NetRole::current();
        if (running && role != nullptr && role->isServer) {
            netSetStateRaw(state + 1);
        }
    }

    // Kept on each side, never sent.
    bool running = true;
};

// A call of a game's client side that the server sends: each client
// answers it with `count` relay calls of its own to the server.
class RPC_RolePiece_echo : public TargetedRPC<RolePiece> {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    RPC_RolePiece_echo() { bExecutesOnServer = false; }
    void netSerialize(Packet* packet) override
    {
        TargetedRPC::netSerialize(packet);
        packet->doUInt(&count);
    }
    void perform() override
    {
        for (u32 i = 0; i < count && i < 30000; ++i) {
            RPC_RolePiece_relay relay;
            makeCall(static_cast<RolePiece*>(target), relay);
        }
    }

    u32 count = 0;
};

// Every program that uses these classes holds their records once.
#define ROLE_CORE_CLASS_RECORDS                                                                              \
    QEL_IMPLEMENT_RUNTIME_CLASS(RolePiece, QelBase::runtimeClass(), QEL_CREATOR(RolePiece));                 \
    QEL_TRAVELS(RolePiece);                                                                                  \
    QEL_IMPLEMENT_RUNTIME_CLASS(RoleTicker, RolePiece::runtimeClass(), QEL_CREATOR(RoleTicker));             \
    QEL_TRAVELS(RoleTicker);                                                                                 \
    QEL_IMPLEMENT_RUNTIME_CLASS(RPC_RolePiece_draw, RPC::runtimeClass(), QEL_CREATOR(RPC_RolePiece_draw));   \
    QEL_IMPLEMENT_RUNTIME_CLASS(RPC_RolePiece_relay, RPC::runtimeClass(), QEL_CREATOR(RPC_RolePiece_relay)); \
    QEL_IMPLEMENT_RUNTIME_CLASS(RPC_RolePiece_echo, RPC::runtimeClass(), QEL_CREATOR(RPC_RolePiece_echo))

// A role on an endpoint of its own (or on none); a server sends every new
// peer a snapshot of its world, as a game built on the role would.
class TestRole : public NetRole {
public:
    TestRole(bool server, bool withConnection = true) : NetRole("Vabo", 1.30, "", 0, server)
    {
        if (withConnection) {
            setConnection(NetCore::openEndpoint(), true);
        }
        setMaxNodes(server ? 8 : 1);
        timeout = 60.0;
    }
    void onNodeConnected(Node* node) override
    {
        ++connects;
        if (isServer) {
            Packet snapshot(Packet::NETWORK_FLAGS, Packet::DEFAULT_CAPACITY);
            writeSnapshot(&snapshot);
            sendPacket(&snapshot, node);
        }
    }

    int connects = 0;
};

// Runs code as the role's own, as inside its update.
template <class F>
void asRole(NetRole* role, F&& code)
{
    NetRole* saved = NetRole::current();
    NetRole::makeCurrent(role);
    code();
    NetRole::makeCurrent(saved);
}

// One frame of dt seconds: the clock and the engine's frame timer move on,
// then every role updates.
inline void roleFrame(std::initializer_list<NetRole*> roles, double dt = 0.05)
{
    if (g_qel->frameTimer.currentStart == 0.0) {
        g_qel->frameTimer.currentStart = NetConnection::now();
    }
    NetCore::advance(dt);
    g_qel->frameTimer.previousStart = g_qel->frameTimer.currentStart;
    g_qel->frameTimer.currentStart = NetConnection::now();
    for (NetRole* role : roles) {
        role->update(0.0, 0.0);
    }
}

// The values of a property tree that travel, one "name=value" a line,
// groups indented; the running time in state is left out.
inline void propertyText(Property* property, std::string& out, const std::string& indent)
{
    for (BasicLink* link = property->firstChild; link != nullptr; link = link->next) {
        auto* child = static_cast<Property*>(link);
        if ((child->flags & Property::SKIP_FLAG1) != 0 || child->name == "timeInState") {
            continue;
        }
        if (child->firstChild != nullptr) {
            out += indent + child->name + ":\n";
            propertyText(child, out, indent + "  ");
        } else if (auto* pointer = dynamic_cast<PropertyPointer*>(child)) {
            // An object by its identifier: addresses differ between sides.
            auto* object = static_cast<QelBase*>(*pointer->value);
            out += indent + child->name + "=#" + std::to_string(object != nullptr ? object->objectUID : 0) + "\n";
        } else {
            out += indent + child->name + "=" + child->toString() + "\n";
        }
    }
}

// Every registered object in identifier order: its identifier, class,
// property values and the identifiers of its children. Objects whose
// identifiers `leaveOut` names are skipped, and children lists too when
// `withChildren` is false.
inline std::string worldText(NetRole* role, const std::set<i32>& leaveOut = {}, bool withChildren = true)
{
    std::string out;
    asRole(role, [&] {
        std::map<i32, QelBase*> sorted(role->objectMap.begin(), role->objectMap.end());
        for (const auto& [uid, o] : sorted) {
            if (leaveOut.count(uid) != 0) {
                continue;
            }
            out += formatString("#%d %s\n", uid, o->getRuntimeClass()->name.c_str());
            std::unique_ptr<PropertyContainer> tree(o->createPropertyTree());
            propertyText(tree.get(), out, "  ");
            if (!withChildren) {
                continue;
            }
            out += "  children:";
            for (BasicLink* link = o->firstChild; link != nullptr; link = link->next) {
                out += formatString(" %d", static_cast<QelBase*>(link)->objectUID);
            }
            out += "\n";
        }
    });
    return out;
}

// The most levels any registered object lies below its topmost ancestor.
inline u32 deepestObject(NetRole* role)
{
    std::unordered_map<const BasicLink*, u32> depths;
    auto depthOf = [&](const BasicLink* node) {
        std::vector<const BasicLink*> path;
        for (; node != nullptr && depths.count(node) == 0; node = node->parent) {
            path.push_back(node);
        }
        u32 depth = node != nullptr ? depths[node] + 1 : 0;
        for (auto at = path.rbegin(); at != path.rend(); ++at) {
            depths[*at] = depth++;
        }
        return depth - 1;
    };
    u32 deepest = 0;
    for (const auto& entry : role->objectMap) {
        deepest = std::max(deepest, depthOf(entry.second));
    }
    return deepest;
}

// Whether nothing peers sent left the role's world past its bounds: no
// object deeper than the limit, no more peer-made objects than the bound,
// and every registered object's height the levels below it.
inline bool keepsItsBounds(NetRole* role)
{
    std::unordered_map<const BasicLink*, u32> heights;
    std::function<u32(const BasicLink*)> measured = [&](const BasicLink* node) {
        auto known = heights.find(node);
        if (known != heights.end()) {
            return known->second;
        }
        u32 levels = 0;
        for (const BasicLink* child = node->firstChild; child != nullptr; child = child->next) {
            levels = std::max(levels, measured(child) + 1);
        }
        return heights[node] = levels;
    };
    for (const auto& entry : role->objectMap) {
        if (entry.second->height != measured(entry.second)) {
            return false;
        }
    }
    return deepestObject(role) <= NetRole::TREE_DEPTH_LIMIT && role->peerObjects <= NetRole::PEER_OBJECT_LIMIT;
}

// A recording's bytes: the header, then records of (time, payload).
struct RecordingBytes {
    explicit RecordingBytes(const char* name = NetRecording::GAME_NAME, const char* version = NetRecording::GAME_VERSION)
    {
        bytes.assign(NetRecording::HEADER_SIZE, 0);
        std::memcpy(bytes.data(), name, std::min<size_t>(std::strlen(name), NetRecording::NAME_FIELD));
        std::memcpy(bytes.data() + NetRecording::NAME_FIELD, version,
                    std::min<size_t>(std::strlen(version), NetRecording::VERSION_FIELD));
    }
    RecordingBytes& record(double time, const Bytes& payload) { return raw(time, static_cast<u32>(payload.size()), payload); }
    // A record cut short right after its time stamp.
    RecordingBytes& stamp(double time)
    {
        append(&time, 8);
        return *this;
    }
    // A record whose length field says what it likes.
    RecordingBytes& raw(double time, u32 length, const Bytes& payload)
    {
        append(&time, 8);
        append(&length, 4);
        bytes.insert(bytes.end(), payload.begin(), payload.end());
        return *this;
    }
    void append(const void* p, size_t n)
    {
        const u8* b = static_cast<const u8*>(p);
        bytes.insert(bytes.end(), b, b + n);
    }
    void save(const std::string& path) const
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }

    Bytes bytes;
};

// The role's COPYOBJ of an object as the role writes it, with the given
// next identifier in a root's image, into p.
inline void writeCopyWithCounter(Packet& p, NetRole* role, QelBase* o, i32 counter)
{
    const i32 saved = role->nextObjectUID;
    role->nextObjectUID = counter;
    role->writeCopyObj(o, &p);
    role->nextObjectUID = saved;
}

inline Bytes copyWithCounter(NetRole* role, QelBase* o, i32 counter)
{
    Packet packet(Packet::NETWORK_FLAGS, 4096);
    writeCopyWithCounter(packet, role, o, counter);
    return packetBytes(packet);
}

// Payload commands written by hand into a packet.
inline void commandCode(Packet& p, u8 code)
{
    p.doBits(&code, 2);
}

inline void spawnCommand(Packet& p, RuntimeClass* record)
{
    commandCode(p, NetRole::SPAWNOBJ);
    p.doClassID(&record);
}

inline void spawnNamedCommand(Packet& p, RuntimeClass* record, u32 uid)
{
    commandCode(p, NetRole::SPAWNNAMED);
    p.doClassID(&record);
    p.doUInt(&uid);
}

// A COPYOBJ of `uid` carrying the fields of `fields` (an object of the
// copied one's class), then the children: with `children` null the image
// says it has none; else it lists them, closing with 0, so that an empty
// list says it has children and names none.
inline void copyCommand(Packet& p, QelBase& fields, u32 uid, const std::vector<u32>* children)
{
    commandCode(p, NetRole::COPYOBJ);
    p.doUInt(&uid);
    std::unique_ptr<PropertyContainer> tree(fields.createPropertyTree());
    tree->netSerializeProperty(&p);
    bool hasChildren = children != nullptr;
    p.doBool(&hasChildren);
    if (hasChildren) {
        for (u32 child : *children) {
            p.doUInt(&child);
        }
        u32 end = 0;
        p.doUInt(&end);
    }
}

// Payload commands written by hand, one after the other.
class PayloadWriter {
public:
    explicit PayloadWriter(i32 capacity = 4096) : packet(Packet::NETWORK_FLAGS, capacity) {}
    PayloadWriter& spawn(RuntimeClass* record)
    {
        spawnCommand(packet, record);
        return *this;
    }
    PayloadWriter& spawnNamed(RuntimeClass* record, u32 uid)
    {
        spawnNamedCommand(packet, record, uid);
        return *this;
    }
    PayloadWriter& copyBare(u32 uid)
    {
        commandCode(packet, NetRole::COPYOBJ);
        packet.doUInt(&uid);
        return *this;
    }
    // A copy of the plain object `uid` whose image lists `children`.
    PayloadWriter& copyListing(u32 uid, const std::vector<u32>& children)
    {
        QelBase plain;
        copyCommand(packet, plain, uid, &children);
        return *this;
    }
    PayloadWriter& call(RuntimeClass* record)
    {
        commandCode(packet, NetRole::RPCCALL);
        packet.doClassID(&record);
        return *this;
    }
    PayloadWriter& uint(u32 value)
    {
        packet.doUInt(&value);
        return *this;
    }
    Bytes bytes() const { return packetBytes(packet); }

private:
    Packet packet;
};

// A drawn piece whose skin travels as its resource name and whose partner
// may only be a piece; counts the copies applied to it.
class SpritePiece : public Renderable {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    void addPropertiesTo(QelBase* container) override
    {
        Renderable::addPropertiesTo(container);
        container->addChildBack(
            new PropertyPointer("partner", 0, reinterpret_cast<void**>(&partner), RolePiece::runtimeClass()));
    }
    void netPostReplicate() override { ++postReplicates; }

    RolePiece* partner = nullptr;
    // Kept on each side, never sent.
    int postReplicates = 0;
};

#define ROLE_SPRITE_CLASS_RECORDS                                                                  \
    QEL_IMPLEMENT_RUNTIME_CLASS(SpritePiece, Renderable::runtimeClass(), QEL_CREATOR(SpritePiece)); \
    QEL_TRAVELS(SpritePiece)

// A server's commands in payloads of at most a payload's capacity, each
// command whole in one payload. Objects are named by identifier alone: the
// writer's stand-ins carry them.
class PayloadStream {
public:
    PayloadStream()
    {
        parent.addChildBack(&child);
        root.objectUID = 1;
    }
    ~PayloadStream() { parent.objectUID = child.objectUID = root.objectUID = -1; }

    PayloadStream& spawn(RuntimeClass* record, u32 count)
    {
        for (u32 i = 0; i < count; ++i) {
            command([&](Packet* p) {
                u8 code = NetRole::SPAWNOBJ;
                p->doBits(&code, 2);
                p->doClassID(&record);
            });
        }
        return *this;
    }
    // A copy of the plain object `uid` that names `childUID` as its only child.
    PayloadStream& copyNaming(u32 uid, u32 childUID)
    {
        name(uid, childUID);
        command([&](Packet* p) { writer.writeCopyObj(&parent, p); });
        return *this;
    }
    PayloadStream& add(u32 uid, u32 childUID)
    {
        name(uid, childUID);
        RPC_QelBase_add call;
        call.target = &parent;
        call.obj = &child;
        command([&](Packet* p) { writer.writeRPC(&call, p); });
        return *this;
    }
    PayloadStream& destroy(u32 uid)
    {
        name(0, uid);
        RPC_RootObjectBase_destroyObject call;
        call.target = &root;
        call.obj = &child;
        command([&](Packet* p) { writer.writeRPC(&call, p); });
        return *this;
    }
    std::vector<Bytes> payloads()
    {
        flush();
        return std::move(done);
    }

private:
    void flush()
    {
        if (current.getDataSize() > 0) {
            done.push_back(packetBytes(current));
            current.reset();
        }
    }
    void name(u32 uid, u32 childUID)
    {
        parent.objectUID = static_cast<i32>(uid);
        child.objectUID = static_cast<i32>(childUID);
    }
    template <class F>
    void command(F&& write)
    {
        const Packet::Mark start = current.mark();
        current.bBounded = true;
        write(&current);
        if (current.hasError()) {
            current.rollBack(start);
            flush();
            write(&current);
        }
        current.bBounded = false;
    }

    TestRole writer{true, false};
    QelBase parent;
    QelBase child;
    RootObjectBase root;
    Packet current{Packet::NETWORK_FLAGS, Packet::DEFAULT_CAPACITY};
    std::vector<Bytes> done;
};

// Hands each payload to the role as one from its peer; how many it refused.
inline int deliver(NetRole* role, const std::vector<Bytes>& payloads)
{
    int refused = 0;
    for (const Bytes& bytes : payloads) {
        auto payload = payloadOf(bytes);
        payload->rewindToRead();
        asRole(role, [&] { role->processPacket(payload.get()); });
        refused += payload->hasError() ? 1 : 0;
    }
    return refused;
}
