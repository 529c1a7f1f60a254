#pragma once
// The replication role: a peer host that also keeps the table of replicated
// objects. It gives every registered object an identifier, writes the
// commands that mirror object creation, object state and calls into one
// payload per network tick (every 0.05 s of role time) for every peer, runs
// the commands it receives, and can record its incoming traffic to a file
// or replay such a file in place of the network.
//
// Payload: commands one after the other, each a 2-bit code (in the shared
// bit byte) and its fields, with no header, count or lengths:
//   0 SPAWNOBJ    class id                  (registered under the next id)
//   1 SPAWNNAMED  class id, identifier      (identifier 1 makes the root)
//   2 COPYOBJ     identifier, the object's own serialisation
//   3 RPC         class id, the call's own serialisation
// Class ids are class numbers (varuint), identifiers varuints.
//
// Code reaches the role through THEROLE (QelNetwork's), which is set only
// while the role's update or render runs, and from its construction to its
// first update.
//
// Payloads from peers and recordings are outside data, and nothing in them
// ends the role. A payload that names an unknown identifier, a duplicate
// identifier or a second root, a class of the wrong kind or past the class
// array, that is cut short inside a command, or whose arguments or object
// images do not read cleanly, is refused: the role stops reading it, logs
// why and disconnects the peer (a refused record ends a playback). The
// refused command changes nothing: a call runs only once it has been read
// whole, and a spawn makes its object only once it has passed its checks.
// A copy is read into the object as it stands, in the layout of its own
// properties; the children it names are adopted, and netPostReplicate
// runs, only once the whole image has read and passed its checks, and a
// refused one has its values put back. Commands before it stand. A server also refuses from a client
// SPAWNOBJ, SPAWNNAMED, a copy of a root object (objects and the identifier
// counter are the server's own) and a call whose class is not
// client-callable, before running them.
//
// A copy that reads whole but names a child that would make the tree a
// cycle is skipped, not refused: a server applies a client's copy and sends
// it to nobody, so a client's world may lag behind a change another client
// made. The object keeps its state, the payload reads on, and one warning
// line a tick for each sender names the first object skipped and counts them.
//
// After every command the identifier counter lies above every identifier
// in use, and what a peer or a recording sends leaves it at or below
// PEER_COUNTER_LIMIT, so that this side's own code can still register
// OWN_ROOM objects whatever it was sent or replayed. A SPAWNNAMED at or
// above the counter moves it past the name; a name at or above the limit,
// a copied counter past it or at or below an identifier in use, and a
// SPAWNOBJ when the counter stands at the limit are refused (a copied
// counter sets the writer's value, so that clients' identifiers stay the
// server's). No side that counts up from 1 comes near the limit. Refusals
// name identifiers and counters as they travel, unsigned.
//
// A peer makes only classes made to travel: those whose record carries the
// mark QEL_TRAVELS gives, for that class alone and not for classes derived
// from it. The engine's are QelBase, Camera, Context, ContextBlender,
// Renderable, Skin, Quad, VertexBuffer and RootObjectBase; a program marks
// its own replicated classes the same way. A spawn of any other class, such
// as a screen that the screen stack makes by name, is refused naming the
// class before anything is constructed. Calls travel by their class alone.
//
// What peers make is bounded too, so that no sequence of legal commands
// exhausts this side. A copy or an add call that would leave any object more
// than TREE_DEPTH_LIMIT levels below its topmost ancestor (attached to the
// role or not, the moved subtree's height included) is refused: every walk
// of the tree recurses. Every node keeps its height exactly (see BasicLink),
// so the check is a walk up from the new parent, never one over the subtree
// moved, and a legitimate peer's moves are refused only when the tree they
// would make is really too deep. An image that lists a child twice is
// refused, and whatever children an image lists, its checks cost one walk
// up from the reader (see QelBase::netSerialize).
// A spawn while PEER_OBJECT_LIMIT objects that peers' commands made are
// alive here is refused; as they are destroyed, peers may make as many
// again.
//
// One set of rules decides what a side that rebuilds this world from
// spawns and copies takes: checkMade for each object, checkCounterRange for
// the counter, QelBase::fitsDepthLimit for each object a copy places, and
// overObjectLimit for the objects. Peers' commands and replays are checked
// by them as they are read, and the live world by WorldCheck, which takes
// heights as that side builds them: a world whose replay would be refused
// is not recorded, and a server looks at a slice of its world a tick and
// says once in its log when a pass through it finds what its clients would
// refuse.
//
// Writing never fails for outside data: a command that does not fit in
// `outgoing` is taken back to its start, `outgoing` is sent at once and the
// command written again into the empty payload, so every payload ends on a
// command boundary and a tick whose commands fit sends one payload. What
// one peer's commands make this side write in one tick, over all of that
// peer's payloads, is bounded by WRITE_BUDGET bytes: reading stops after
// the command that ends past it, whose writes still go out, and the payload
// is refused (a server drops the client; a client leaves its server). This
// side's own writes and snapshots count against no peer. A recording keeps
// of each payload only the commands that were carried out, so its replay
// builds the live world; a replay is bounded like a peer and stops reading
// a record at the budget, but for the first record, the snapshot that this
// side wrote when the recording started. That holds the whole world, this
// side's own objects too, in a record as long as the world needs, up to
// NetRecording::SNAPSHOT_LIMIT bytes; its replay may make up to
// SNAPSHOT_OBJECT_LIMIT objects, which count against no peer, so the
// replay counts against PEER_OBJECT_LIMIT what the live side counted after
// it. As this side writes it, a snapshot spawns every object and copies
// each into place, in identifier order: one that holds a call, copies an
// object out of that order or a second time, places an object a second
// time or makes a cycle is refused, so no snapshot moves objects back and
// forth, and it copies no more objects than it made. A world is recorded
// only where checkWorld finds nothing its replay would refuse (more objects
// than a snapshot makes, a counter past PEER_COUNTER_LIMIT, an object whose
// class does not travel, a root that is no root object, an object a copy
// would place too deep with the parts its class makes) and its snapshot
// fits in the limit; where not, the log says why and no file is made. The
// program's own mistakes (a duplicate identifier it
// registers, findObject of an unknown identifier, one command larger than
// a whole payload) stay fatal.
//
// A role without a connection (one that only plays back) services no
// network and counts no statistics.
#include <climits>
#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

#include "net/NetHost.h"
#include "net/NetRandom.h"
#include "net/ObjectTable.h"
#include "net/WorldCheck.h"

class FontQuad;
class NetPlayback;
class NetRecording;
class RPC;

class NetRole : public NetHost {
public:
    static constexpr int RPCCOUNT = 1024;
    static constexpr double TICK_LENGTH = 0.05;
    // The debugLevel bit that shows drawStatistics.
    static constexpr int DEBUG_STATISTICS = 0x200;
    // What one peer's commands may make this side write in one tick: one
    // payload's capacity.
    static constexpr i64 WRITE_BUDGET = Packet::DEFAULT_CAPACITY;
    // The identifiers this side's own registrations always have left, and
    // the highest counter a peer's commands may leave behind.
    static constexpr i32 OWN_ROOM = 1000000;
    static constexpr i32 PEER_COUNTER_LIMIT = INT_MAX - OWN_ROOM;
    // The deepest a peer's copies and calls may leave any object: levels
    // below its topmost ancestor, attached to the role or not.
    static constexpr u32 TREE_DEPTH_LIMIT = 1000;
    // The most objects made by peers' commands that may be alive here at
    // once: far above any game's world, and about 420 MB of Quads, the
    // heaviest class that travels (plain objects about 170 MB).
    static constexpr i32 PEER_OBJECT_LIMIT = 500000;
    // The most objects a replay's snapshot may make: a world of peers'
    // objects and this side's own.
    static constexpr i32 SNAPSHOT_OBJECT_LIMIT = PEER_OBJECT_LIMIT + OWN_ROOM;
    enum Command : u8 { SPAWNOBJ = 0, SPAWNNAMED = 1, COPYOBJ = 2, RPCCALL = 3 };
    enum QuitReason { QUIT_NONE = 0, QUIT_USER = 1, QUIT_DISCONNECTED = 2, QUIT_GAMEOVER = 3, QUIT_PLAYBACK = 4,
                      QUIT_EMERGENCY = 7 };

    NetRole(const UString& gameName, double version, const UString& playerName, int mode, bool isServer);
    ~NetRole() override;

    // THEROLE: the role whose update or render runs, or null.
    static NetRole* current();
    static void makeCurrent(NetRole* role);

    // The frame's step; the network tick runs when it is due. The
    // arguments are ignored: the role keeps its own clock.
    void update(double, double) override;
    void render() override;
    // One complete payload from a peer or a recording.
    void processPacket(Packet* packet) override;
    void flushGlobalState() override;
    void onNodeRemoved(Node* node) override;
    // The debugging view of the role, its host, connection and nodes, as
    // lines of text down from (x, y, z) and three traffic graphs; only while
    // debugLevel has DEBUG_STATISTICS.
    virtual void drawStatistics(float x, float y, float z, FontQuad* font);
    // Reads and carries out one command whose code was read. A command that
    // cannot be accepted leaves the packet's error state set.
    virtual void processCommand(Packet* packet, int code);
    void flushOutgoing();

    // Gives o the identifier uid, or the next one when uid < 1. On a server
    // outside client-side code the clients are told to create their copies.
    void registerObject(QelBase* o, int uid);
    // Null does nothing; the map entry goes only when it holds o.
    void unregisterObject(QelBase* o);
    // The registered object; an unknown identifier is fatal.
    QelBase* findObject(int uid) const;
    // The registered object, or null.
    QelBase* lookupObject(int uid) const;
    // The object an identifier read from the packet names; an unknown one
    // refuses the packet and gives null.
    QelBase* resolveObject(u32 uid, Packet* packet);
    void dumpObjectMap() const;
    void netPostReplicateGlobalAll();
    void startRecording(const UString& fileName);
    void startPlayback(const UString& fileName);
    UString getQuitReasonText() const;
    // Why the playback stopped short; empty when it did not.
    UString getPlaybackFailure() const;

    // The command writers; a null packet means `outgoing`.
    void writeSpawnObj(QelBase* o, Packet* p = nullptr);
    void writeSpawnNamed(QelBase* o, Packet* p = nullptr);
    void writeCopyObj(QelBase* o, Packet* p = nullptr);
    void writeRPC(RPC* rpc, Packet* p = nullptr);
    // Why a side that rebuilds this world from its spawns and copies,
    // taking at most objectLimit objects, would refuse it; empty when it
    // would not (see WorldCheck).
    UString checkWorld(size_t objectLimit);
    // Why an object of the class may not be made under the identifier by a
    // peer's command or a replay; empty when it may.
    static UString checkMade(const RuntimeClass* record, i64 uid);
    // Why a next identifier may not travel: it must be 1 or more and at
    // most PEER_COUNTER_LIMIT; empty when it may.
    static UString checkCounterRange(i64 counter);
    // Whether `objects` objects are more than a bound of `limit` allows; a
    // spawn asks it of the count it would make.
    static bool overObjectLimit(size_t objects, size_t limit) { return objects > limit; }

    // SPAWNNAMED for every registered object, then COPYOBJ for each, in
    // ascending identifier order; into a bounded packet too small for them
    // it stops at the first overflow and leaves the error state set.
    void writeSnapshot(Packet* p);

    bool bExecutesOnServer = false;
    bool bExecutesOnClient = false;
    QelBase* root = nullptr;
    NetRandom netRandom;
    i32 nextObjectUID;
    i32 quitReason = QUIT_NONE;
    ObjectTable objectMap;
    // The registered objects that peers' commands made (see bPeerMade).
    i32 peerObjects = 0;
    NetRecording* netRecording = nullptr;
    NetPlayback* netPlayback = nullptr;
    // The look at this world for what its replay or its clients would
    // refuse.
    WorldCheck worldCheck;
    Packet outgoing{Packet::NETWORK_FLAGS, Packet::DEFAULT_CAPACITY};
    bool bTicked = false;
    double time = 0.0;
    double frameDelta = 0.0;
    double nextTickTime = 0.0;
    double tickLength = TICK_LENGTH;
    u32 rpcCount[RPCCOUNT] = {};
    u32 rpcCountLastTick[RPCCOUNT] = {};

private:
    // Adds the commands to the connection's current sample, unless
    // bCountsCommands is off.
    void countCommand(int code, i64 amount = 1);
    // Writes one command whose fields `fields` writes; into `outgoing` (p
    // null) a command that does not fit goes whole into the next payload.
    template <class Fields>
    void writeCommand(Packet* p, u8 code, Fields&& fields);
    // COPYOBJ and RPC as processCommand reads them.
    void copyObject(Packet* packet);
    // A copy that read whole but whose children would make the tree a
    // cycle; reported once a tick for each sender.
    void noteSkippedCopy(Packet* packet, u32 uid);
    void reportSkippedCopies();
    void receiveCall(Packet* packet);
    // Creates an object of the class read, registers it and returns it, or
    // refuses the packet.
    QelBase* spawn(Packet* packet, bool named);
    void refuse(Packet* packet, const UString& reason);
    // The payload being read comes from a client (not from a recording).
    bool isFromClient() const;
    // The record being replayed is the recording's first, its snapshot.
    bool isReplayingSnapshot() const;
    // Why a next identifier read from a peer cannot stand (checkCounterRange,
    // and above every identifier in use); empty when it can.
    UString checkCounter(i32 counter);
    // On a server: says once in the log when a slice of its world shows
    // what its clients would refuse (see WorldCheck::slice).
    void notePastClients();
    // Ends reading a refused payload: logs, and disconnects its peer or
    // ends the playback.
    void reportRefusal(Packet* packet);
    // Registered objects that nothing holds.
    void deleteOrphans();
    // writeSnapshot of these objects, in this order.
    void writeSnapshot(Packet* p, const std::vector<std::pair<i32, QelBase*>>& objects);

    // The first reason the payload being read is refused.
    UString refusal;
    // Set while a record of the playback is being read.
    bool bReplaying = false;
    // The last object the playback's snapshot copied.
    u32 snapshotCopied = 0;
    // Off while writeSnapshot writes: it counts its commands once they are
    // written whole.
    bool bCountsCommands = true;
    bool bPastClients = false;
    // Bytes of commands written into `outgoing` so far.
    i64 writtenBytes = 0;
    // What each peer's commands made this side write in this tick.
    std::unordered_map<const Node*, i64> tickWrites;
    struct SkippedCopies {
        i32 first = 0;
        int count = 0;
    };
    // This tick's skipped copies by sender.
    std::map<UString, SkippedCopies> skippedCopies;
};
