#include "net/NetRole.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "graphics/FontQuad.h"
#include "graphics/Renderable.h"
#include "language/Language.h"
#include "net/NetConnection.h"
#include "net/NetPlayback.h"
#include "net/NetRecording.h"
#include "net/Node.h"
#include "net/QelNetwork.h"
#include "net/RPC.h"
#include "net/RootObjectBase.h"
#include "object/RuntimeClassManager.h"
#include "property/PropertyContainer.h"

// A fatal check reported with the given statement text.
#define ROLE_CHECK(condition, statement)                                \
    do {                                                                \
        if (!(condition)) {                                             \
            ::qelAssertFailed(statement, __func__, __FILE__, __LINE__); \
        }                                                               \
    } while (0)

NetRole::NetRole(const UString& game, double gameVersion, const UString& player, int hostMode, bool server)
    : NetHost(game, gameVersion, player, hostMode, server), nextObjectUID(std::rand() % 256 + 2)
{
    if (!(RuntimeClassManager::getInstance()->classArray.size() < RPCCOUNT)) {
        ::qelAssertFailed("RuntimeClassManager::getInstance()->classArray.size()<RPCCOUNT", "NetRole", __FILE__,
                          __LINE__);
    }
    makeCurrent(this);
}

NetRole::~NetRole()
{
    // The world goes without a current role, so its registered objects may
    // be deleted directly.
    NetRole* previous = current();
    makeCurrent(nullptr);
    delete netRecording;
    netRecording = nullptr;
    delete netPlayback;
    netPlayback = nullptr;
    deleteOrphans();
    objectMap.clear();
    peerObjects = 0;
    root = nullptr;
    clear();
    if (previous != this) {
        makeCurrent(previous);
    }
}

NetRole* NetRole::current()
{
    return g_qel != nullptr && g_qel->network != nullptr ? g_qel->network->THEROLE : nullptr;
}

void NetRole::makeCurrent(NetRole* role)
{
    if (g_qel != nullptr && g_qel->network != nullptr) {
        g_qel->network->THEROLE = role;
    }
}

void NetRole::deleteOrphans()
{
    // A registered object without a parent belongs to nobody but the role.
    // Objects without a parent are never inside one another's subtrees.
    std::vector<QelBase*> orphans;
    for (const auto& [uid, o] : objectMap) {
        if (o->parent == nullptr) {
            orphans.push_back(o);
        }
    }
    for (QelBase* o : orphans) {
        delete o;
    }
}

void NetRole::update(double, double)
{
    makeCurrent(this);
    frameDelta = g_qel->getFrameDelta();
    bTicked = false;
    time += frameDelta;
    if (time >= nextTickTime) {
        nextTickTime = time + tickLength;
        bTicked = true;
        if (netPlayback == nullptr) {
            service();
        } else {
            if (Packet* packet = netPlayback->getNextPacket()) {
                bReplaying = true;
                processPacket(packet);
                bReplaying = false;
                delete packet;
            }
            if (netPlayback->bFinished) {
                quitReason = QUIT_PLAYBACK;
            }
        }
    }
    QelBase::update(time, frameDelta);
    if (bTicked) {
        if (isServer) {
            notePastClients();
        }
        reportSkippedCopies();
        flushOutgoing();
        tickWrites.clear();
        std::memcpy(rpcCountLastTick, rpcCount, sizeof(rpcCount));
        std::memset(rpcCount, 0, sizeof(rpcCount));
    }
    makeCurrent(nullptr);
}

void NetRole::render()
{
    makeCurrent(this);
    QelBase::render();
    makeCurrent(nullptr);
}

void NetRole::processPacket(Packet* packet)
{
    refusal.clear();
    // The end of the commands carried out: what a recording keeps, so that
    // its replay builds what this side built.
    i32 carriedOut = 0;
    bool overBudget = false;
    while (!packet->atEnd()) {
        u8 code = 0;
        packet->doBits(&code, 2);
        if (packet->hasError()) {
            break;
        }
        const i64 before = writtenBytes;
        processCommand(packet, code);
        if (packet->hasError()) {
            break;
        }
        carriedOut = static_cast<i32>(packet->cursor - packet->buffer);
        // Looked up again each time: a command may remove nodes. A
        // recording's snapshot was written by its own side, not read live,
        // and is bounded by its length alone.
        if ((tickWrites[packet->node] += writtenBytes - before) > WRITE_BUDGET && !isReplayingSnapshot()) {
            overBudget = true;
            break;
        }
    }
    if (netRecording != nullptr) {
        netRecording->record(packet, carriedOut);
    }
    // A record holds no more than the live side read, so a replay stops
    // at the budget as the live side did and plays on.
    if (overBudget && !bReplaying) {
        refuse(packet, formatString("its commands make this side write over %d bytes in one tick",
                                    static_cast<int>(WRITE_BUDGET)));
    }
    if (packet->hasError()) {
        reportRefusal(packet);
    }
}

void NetRole::onNodeRemoved(Node* node)
{
    tickWrites.erase(node);
}

bool NetRole::isReplayingSnapshot() const
{
    return bReplaying && netPlayback != nullptr && netPlayback->recordNumber == 1;
}

bool NetRole::isFromClient() const
{
    return isServer && !bReplaying;
}

void NetRole::refuse(Packet* packet, const UString& reason)
{
    if (!packet->hasError()) {
        refusal = reason;
        packet->setError("refused");
    }
}

void NetRole::reportRefusal(Packet* packet)
{
    UString reason = refusal.empty() ? UString(packet->getError()) : refusal;
    if (bReplaying && netPlayback != nullptr) {
        netPlayback->fail(formatString("recording damaged: record %d refused: %s", netPlayback->recordNumber,
                                       reason.c_str()));
        return;
    }
    QEL_LOG("WARNING: refused a payload from %s: %s; disconnecting.", packet->address.toString().c_str(),
            reason.c_str());
    if (packet->node != nullptr) {
        removeNode(packet->node, true);
    }
}

void NetRole::processCommand(Packet* packet, int code)
{
    // Objects and the identifier counter are the server's own: a client
    // reaches the world through copies of other objects and calls.
    if ((code == SPAWNOBJ || code == SPAWNNAMED) && isFromClient()) {
        refuse(packet, code == SPAWNOBJ ? "a client may not send SPAWNOBJ" : "a client may not send SPAWNNAMED");
        return;
    }
    switch (code) {
    case SPAWNOBJ:
        spawn(packet, false);
        break;
    case SPAWNNAMED:
        spawn(packet, true);
        break;
    case COPYOBJ:
        copyObject(packet);
        break;
    case RPCCALL:
        receiveCall(packet);
        break;
    default:
        QEL_FATAL("Unknown packet command: %d", code);
    }
}

void NetRole::copyObject(Packet* packet)
{
    u32 uid = 0;
    packet->doUInt(&uid);
    if (packet->hasError()) {
        return;
    }
    QelBase* o = uid != 0 ? resolveObject(uid, packet) : nullptr;
    if (o == nullptr) {
        refuse(packet, "Could not find object ID 0");
        return;
    }
    const bool carriesCounter = o->getRuntimeClass()->isDerivedFrom(RootObjectBase::runtimeClass());
    if (carriesCounter && isFromClient()) {
        refuse(packet, "a client may not copy the root object");
        return;
    }
    // A snapshot copies each object once, in identifier order, as this
    // side writes it: it copies no more than it spawned.
    if (isReplayingSnapshot()) {
        if (uid <= snapshotCopied) {
            refuse(packet, formatString("the snapshot copies object ID %u out of order", uid));
            return;
        }
        snapshotCopied = uid;
    }
    // The image is read into the object itself, as it stands. The values it
    // overwrote are kept to be put back and the children it names are only
    // listed, until the whole image has read and passed its checks.
    Packet::HeldImage held;
    held.reader = o;
    packet->heldImage = &held;
    o->netSerialize(packet);
    packet->heldImage = nullptr;
    if (carriesCounter && !packet->hasError()) {
        UString unsound = checkCounter(nextObjectUID);
        if (!unsound.empty()) {
            refuse(packet, unsound);
        }
    }
    // A snapshot spawns every object, then copies each into place: no
    // child it lists was placed before, but for the root, which spawned
    // under the role, and none makes a cycle. So nothing in it moves an
    // object twice.
    if (isReplayingSnapshot() && !packet->hasError() && held.bCycle) {
        refuse(packet, formatString("the snapshot's copy of object ID %u makes the tree a cycle", uid));
    }
    for (size_t i = 0; isReplayingSnapshot() && !packet->hasError() && i < held.children.size(); ++i) {
        const BasicLink* placed = held.children[i]->parent;
        if (placed != nullptr && placed != this) {
            refuse(packet, formatString("the snapshot places object ID %d twice", held.children[i]->objectUID));
        }
    }
    if (packet->hasError() || held.bCycle) {
        if (held.properties != nullptr) {
            held.properties->restoreValues();
        }
        o->netDeriveState();
        if (!packet->hasError()) {
            noteSkippedCopy(packet, uid);
        }
        return;
    }
    for (QelBase* child : held.children) {
        o->addChildBack(child);
    }
    o->netPostReplicate();
}

void NetRole::noteSkippedCopy(Packet* packet, u32 uid)
{
    // A sender's world may lag behind another client's change that the
    // server applied: its copy is skipped, and it stays connected.
    SkippedCopies& skipped = skippedCopies[bReplaying ? UString("the recording") : packet->address.toString()];
    if (skipped.count++ == 0) {
        skipped.first = static_cast<i32>(uid);
    }
}

void NetRole::reportSkippedCopies()
{
    for (const auto& [sender, skipped] : skippedCopies) {
        QEL_LOG("WARNING: skipped %d copies from %s whose children would make the tree a cycle, the first of object "
                "ID %d.",
                skipped.count, sender.c_str(), skipped.first);
    }
    skippedCopies.clear();
}

void NetRole::receiveCall(Packet* packet)
{
    // A snapshot only makes the world, as it stood.
    if (isReplayingSnapshot()) {
        refuse(packet, "a snapshot holds no calls");
        return;
    }
    std::unique_ptr<RPC> rpc(packet->readNewObject<RPC>());
    if (rpc == nullptr) {
        return;
    }
    // The class decides, not the sender: a client makes no call of the
    // server's own.
    if (isFromClient() && !rpc->bClientCallable) {
        refuse(packet, formatString("a client may not call '%s'", rpc->getRuntimeClass()->name.c_str()));
        return;
    }
    rpc->netSerialize(packet);
    if (!packet->hasError()) {
        rpc->executeLocally();
    }
}

QelBase* NetRole::spawn(Packet* packet, bool named)
{
    RuntimeClass* record = packet->readCreatableClass(QelBase::runtimeClass());
    if (record == nullptr) {
        return nullptr;
    }
    i64 uid = nextObjectUID;
    if (named) {
        u32 wanted = 0;
        packet->doUInt(&wanted);
        uid = wanted;
    }
    // Nothing is constructed before every check has passed: a class that
    // does not travel may act on this program as it is constructed.
    if (packet->hasError()) {
    } else if (!named && uid >= PEER_COUNTER_LIMIT) {
        refuse(packet, "no object ID left for SPAWNOBJ");
    } else if (UString unsound = checkMade(record, uid); !unsound.empty()) {
        refuse(packet, unsound);
    } else if (uid == 1 && root != nullptr) {
        refuse(packet, "root==NULL");
    } else if (objectMap.count(static_cast<i32>(uid)) != 0) {
        refuse(packet, formatString("duplicate object ID %d", static_cast<i32>(uid)));
    } else if (isReplayingSnapshot() && overObjectLimit(objectMap.size() + 1, SNAPSHOT_OBJECT_LIMIT)) {
        refuse(packet, formatString("over %d objects in the snapshot", static_cast<int>(SNAPSHOT_OBJECT_LIMIT)));
    } else if (!isReplayingSnapshot() && overObjectLimit(static_cast<size_t>(peerObjects) + 1, PEER_OBJECT_LIMIT)) {
        refuse(packet, formatString("over %d objects made by peers", static_cast<int>(PEER_OBJECT_LIMIT)));
    }
    if (packet->hasError()) {
        return nullptr;
    }
    QelBase* o = record->createAs<QelBase>();
    registerObject(o, named ? static_cast<i32>(uid) : 0);
    // The snapshot's objects were this side's own or counted when they
    // were made, so a replay counts what the live side counted after it.
    if (!isReplayingSnapshot()) {
        o->bPeerMade = 1;
        ++peerObjects;
    }
    return o;
}

UString NetRole::checkMade(const RuntimeClass* record, i64 uid)
{
    // A peer's object never takes the counter past the limit: what lies
    // beyond is this side's own.
    if (!record->bTravels) {
        return formatString("class '%s' does not travel", record->name.c_str());
    }
    if (uid < 1 || uid >= PEER_COUNTER_LIMIT) {
        return formatString("object ID %lld out of range", static_cast<long long>(uid));
    }
    if (uid == 1 && !record->isDerivedFrom(RootObjectBase::runtimeClass())) {
        return "the root is no root object";
    }
    return "";
}

UString NetRole::checkCounterRange(i64 counter)
{
    // The counter travels unsigned: the refusal names what was sent.
    if (counter < 1 || counter > PEER_COUNTER_LIMIT) {
        return formatString("next object ID %u out of range", static_cast<u32>(counter));
    }
    return "";
}

UString NetRole::checkCounter(i32 counter)
{
    UString unsound = checkCounterRange(counter);
    if (unsound.empty() && objectMap.highest() >= counter) {
        unsound = formatString("next object ID %d not above object ID %d in use", counter, objectMap.highest());
    }
    return unsound;
}

QelBase* NetRole::resolveObject(u32 uid, Packet* packet)
{
    QelBase* o = uid <= static_cast<u32>(INT_MAX) ? lookupObject(static_cast<i32>(uid)) : nullptr;
    if (o == nullptr) {
        refuse(packet, formatString("Could not find object ID %u", uid));
    }
    return o;
}

void NetRole::flushGlobalState()
{
    flushOutgoing();
}

void NetRole::flushOutgoing()
{
    broadcastPacket(&outgoing);
    outgoing.reset();
}

void NetRole::registerObject(QelBase* o, int uid)
{
    ROLE_CHECK(!o->isValidUID(), "!o->isValidUID()");
    ROLE_CHECK(uid >= 1 || nextObjectUID < INT_MAX, "nextObjectUID<INT_MAX");
    i32 id = uid < 1 ? nextObjectUID++ : uid;
    if (id == 1) {
        ROLE_CHECK(root == nullptr, "root==NULL");
    }
    // The counter stays above every identifier, so that a later object of
    // this side's own never meets a name taken.
    if (id >= nextObjectUID) {
        ROLE_CHECK(id < INT_MAX - 1, "uid<INT_MAX-1");
    }
    const bool fresh = objectMap.insert(id, o);
    ROLE_CHECK(fresh, "objectMap.count(uid)==0");
    nextObjectUID = std::max(nextObjectUID, id + 1);
    o->objectUID = id;
    if (isServer && !bExecutesOnClient) {
        writeSpawnObj(o);
    }
    if (id == 1) {
        root = o;
        addChildBack(o);
    }
}

void NetRole::unregisterObject(QelBase* o)
{
    if (o == nullptr) {
        return;
    }
    ROLE_CHECK(o->isValidUID() || lookupObject(o->objectUID) == o, "o->isValidUID()");
    if (objectMap.erase(o->objectUID, o) && o->bPeerMade) {
        --peerObjects;
    }
    o->bPeerMade = 0;
    if (o == root) {
        root = nullptr;
    }
    o->objectUID = -1;
}

QelBase* NetRole::lookupObject(int uid) const
{
    return objectMap.find(uid);
}

QelBase* NetRole::findObject(int uid) const
{
    QelBase* o = lookupObject(uid);
    if (o == nullptr) {
        QEL_FATAL("Could not find object ID %d", uid);
    }
    return o;
}

void NetRole::dumpObjectMap() const
{
    QEL_LOG("Starting dump..");
    QEL_LOG("Map size: %d", static_cast<int>(objectMap.size()));
    for (const auto& [uid, o] : objectMap.inOrder()) {
        QEL_LOG("Object ID %d (%08lx) (class=%s)", uid,
                static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(o)), o->getRuntimeClass()->name.c_str());
    }
    QEL_LOG("Dump done.");
}

void NetRole::netPostReplicateGlobalAll()
{
    // A list of its own: the calls may register and unregister objects.
    for (const auto& [uid, o] : objectMap.inOrder()) {
        o->netPostReplicateGlobal();
    }
}

void NetRole::startRecording(const UString& fileName)
{
    delete netRecording;
    netRecording = nullptr;
    // A world its own replay would refuse is not recorded, and leaves no
    // file behind.
    UString declined = checkWorld(SNAPSHOT_OBJECT_LIMIT);
    NetRole* saved = current();
    makeCurrent(this);
    // The snapshot is as large as the world: packets of twice the size are
    // tried until one holds it, each given up at its first overflow.
    std::vector<std::pair<i32, QelBase*>> objects;
    if (declined.empty()) {
        objects = objectMap.inOrder();
    }
    std::unique_ptr<Packet> snapshot;
    for (i32 capacity = Packet::DEFAULT_CAPACITY; declined.empty();
         capacity = std::min(capacity * 2, NetRecording::SNAPSHOT_LIMIT)) {
        snapshot = std::make_unique<Packet>(Packet::NETWORK_FLAGS, capacity);
        snapshot->bBounded = true;
        writeSnapshot(snapshot.get(), objects);
        if (!snapshot->hasError()) {
            break;
        }
        if (capacity == NetRecording::SNAPSHOT_LIMIT) {
            declined = formatString("its snapshot is over %d bytes", static_cast<int>(NetRecording::SNAPSHOT_LIMIT));
        }
    }
    makeCurrent(saved);
    if (!declined.empty()) {
        QEL_LOG("WARNING: not recording to %s: %s.", fileName.c_str(), declined.c_str());
        return;
    }
    netRecording = new NetRecording(fileName);
    netRecording->writeHeader(hostUID);
    snapshot->time = NetConnection::now();
    netRecording->record(snapshot.get());
}

UString NetRole::checkWorld(size_t objectLimit)
{
    return worldCheck.whole(objectMap, nextObjectUID, objectLimit);
}

void NetRole::notePastClients()
{
    // A client takes its server's world by the rules a replay does, but for
    // no more objects than peers may make.
    if (bPastClients) {
        return;
    }
    UString past = worldCheck.slice(objectMap, nextObjectUID, static_cast<size_t>(PEER_OBJECT_LIMIT));
    if (!past.empty()) {
        bPastClients = true;
        QEL_LOG("WARNING: the replicated world is more than a client takes from its server: %s.", past.c_str());
    }
}

void NetRole::startPlayback(const UString& fileName)
{
    ROLE_CHECK(netPlayback == nullptr, "netPlayback==NULL");
    netPlayback = new NetPlayback(fileName);
    netPlayback->playbackHeader(&hostUID);
    snapshotCopied = 0;
}

UString NetRole::getQuitReasonText() const
{
    Language::StringsEnum id = Language::QUITUNKNOWN;
    switch (quitReason) {
    case QUIT_USER:
        id = Language::QUITUSERQUIT;
        break;
    case QUIT_DISCONNECTED:
        id = Language::QUITDISCONNECTED;
        break;
    case QUIT_GAMEOVER:
        id = Language::QUITGAMEOVER;
        break;
    case QUIT_PLAYBACK:
        id = Language::QUITPLAYBACKFINISHED;
        break;
    case QUIT_EMERGENCY:
        id = Language::QUITEMERGENCY;
        break;
    default:
        break;
    }
    return g_qel->language != nullptr ? UString(g_qel->language->getText(id)) : UString();
}

UString NetRole::getPlaybackFailure() const
{
    return netPlayback != nullptr ? netPlayback->failure : UString();
}

void NetRole::countCommand(int code, i64 amount)
{
    if (connection != nullptr && bCountsCommands) {
        NetStats::increase(connection->getCurrentStats()->commandCounts[code], amount);
    }
}

template <class Fields>
void NetRole::writeCommand(Packet* p, u8 code, Fields&& fields)
{
    auto write = [&](Packet* to) {
        u8 bits = code;
        to->doBits(&bits, 2);
        fields(to);
    };
    if (p != nullptr && p != &outgoing) {
        write(p);
        countCommand(code);
        return;
    }
    const Packet::Mark start = outgoing.mark();
    outgoing.bBounded = true;
    write(&outgoing);
    outgoing.bBounded = false;
    i64 size = outgoing.getDataSize() - start.size;
    if (outgoing.hasError()) {
        // Writing is serialisation only: the command is written again, whole,
        // into the next payload. One larger than a whole payload is fatal.
        outgoing.rollBack(start);
        flushGlobalState();
        write(&outgoing);
        size = outgoing.getDataSize();
    }
    writtenBytes += size;
    countCommand(code);
}

void NetRole::writeSpawnObj(QelBase* o, Packet* p)
{
    RuntimeClass* record = o->getRuntimeClass();
    writeCommand(p, SPAWNOBJ, [&](Packet* to) { to->doClassID(&record); });
}

void NetRole::writeSpawnNamed(QelBase* o, Packet* p)
{
    RuntimeClass* record = o->getRuntimeClass();
    u32 uid = static_cast<u32>(o->objectUID);
    writeCommand(p, SPAWNNAMED, [&](Packet* to) {
        to->doClassID(&record);
        to->doUInt(&uid);
    });
}

void NetRole::writeCopyObj(QelBase* o, Packet* p)
{
    u32 uid = static_cast<u32>(o->objectUID);
    // The root's image holds this role's next identifier.
    NetRole* saved = current();
    makeCurrent(this);
    writeCommand(p, COPYOBJ, [&](Packet* to) {
        to->doUInt(&uid);
        o->netSerialize(to);
    });
    makeCurrent(saved);
}

void NetRole::writeRPC(RPC* rpc, Packet* p)
{
    writeCommand(p, RPCCALL, [&](Packet* to) { RPC::send(to, rpc); });
    i32 id = rpc->getRuntimeClass()->id;
    if (id >= 0 && id < RPCCOUNT) {
        ++rpcCount[id];
    }
}

void NetRole::writeSnapshot(Packet* p)
{
    writeSnapshot(p, objectMap.inOrder());
}

void NetRole::writeSnapshot(Packet* p, const std::vector<std::pair<i32, QelBase*>>& objects)
{
    // A bounded packet too small for the snapshot is given up at its first
    // overflow, and counts nothing: the commands are counted once written
    // whole.
    auto overflowed = [p] { return p != nullptr && p->hasError(); };
    bCountsCommands = false;
    for (auto entry = objects.begin(); entry != objects.end() && !overflowed(); ++entry) {
        writeSpawnNamed(entry->second, p);
    }
    for (auto entry = objects.begin(); entry != objects.end() && !overflowed(); ++entry) {
        writeCopyObj(entry->second, p);
    }
    bCountsCommands = true;
    if (!overflowed()) {
        countCommand(SPAWNNAMED, static_cast<i64>(objectMap.size()));
        countCommand(COPYOBJ, static_cast<i64>(objectMap.size()));
    }
}

void NetRole::drawStatistics(float x, float y, float z, FontQuad* font)
{
    if ((g_qel->debugLevel & DEBUG_STATISTICS) == 0 || font == nullptr) {
        return;
    }
    // A role without a connection has counted nothing.
    NetStats nothing(0.0);
    const NetStats& totals = connection != nullptr ? connection->totals : nothing;
    const NetStats& sample = connection != nullptr ? *connection->getCurrentStats() : nothing;
    auto count = [](const QelBase& list) { return static_cast<int>(list.countChildren()); };

    Renderable at;
    at.position = V3(x, y, z);
    auto line = [&](float step, const UString& text) {
        at.position.y -= step;
        at.updateXform();
        font->print(&at, 0, text);
    };
    line(20, formatString("hostUID: %08x", hostUID));
    line(20, "STATS (in/out)");
    line(10, formatString("packets: %8d %8d", totals.packetsIn, totals.packetsOut));
    line(10, formatString("bytes:   %8d %8d", totals.bytesIn, totals.bytesOut));
    line(10, formatString("packetsLost: %d", totals.packetsLost));
    line(10, formatString("resendRequests: %d", totals.resendRequests));
    line(10, formatString("resends: %d", totals.resends));
    line(10, formatString("outOfOrder: %d", totals.outOfOrder));
    line(20, formatString("STATE: %d", state));
    line(20, formatString(isServer ? "--- SERVER objectMap (%d) ---" : "--- CLIENT objectMap (%d) ---",
                          static_cast<int>(objectMap.size())));
    line(20, "--- PACKET CONTENTS ---");
    static const char* const commandLines[] = {"SPAWNOBJ: %d ", "SPAWNNAMED: %d ", "COPYOBJ: %d ", "RPC: %d "};
    for (int code = 0; code < 4; ++code) {
        line(10, formatString(commandLines[code], sample.commandCounts[code]));
    }
    line(10, formatString("  -- inQsimulated %d", connection != nullptr ? count(connection->inQsimulated) : 0));
    line(20, formatString("--- %d NODES ---", getNumNodes()));
    for (BasicLink* link = nodes.firstChild; link != nullptr; link = link->next) {
        if (link->bDead || link->bSkip) {
            continue;
        }
        auto* node = static_cast<Node*>(link);
        line(10, formatString("nodeUID: %08x (%s) ping: %.3lf", node->nodeUID, node->address.toString().c_str(),
                              node->ping));
        line(10, formatString("  -- sequenceIn %d", node->sequenceIn));
        line(10, formatString("  -- outQunacked %d", count(node->outQunacked)));
        line(10, formatString("  -- inQarrived %d", count(node->inQarrived)));
        line(10, formatString("  -- inQcontiguous %d", count(node->inQcontiguous)));
    }
    line(10, formatString("  -- inQready %d", count(inQready)));
    line(20, "OUTGOING RPCs");
    RuntimeClassManager* classes = RuntimeClassManager::getInstance();
    for (int id = 0; id < RPCCOUNT; ++id) {
        RuntimeClass* record = classes->findById(id);
        if (rpcCountLastTick[id] > 0 && record != nullptr) {
            line(10, formatString("%d x %s", static_cast<int>(rpcCountLastTick[id]), record->name.c_str()));
        }
    }

    if (connection != nullptr) {
        connection->drawGraph(font, x, -250, x + 98, -298, "bytes in", NetStats::BYTES_IN);
        connection->drawGraph(font, x + 100, -250, x + 198, -298, "bytes out", NetStats::BYTES_OUT);
        connection->drawGraph(font, x + 200, -250, x + 298, -298, "resends", NetStats::RESENDS);
    }
}
