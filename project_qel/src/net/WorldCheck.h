#pragma once
// What a side that rebuilds the replicated world from spawns and copies
// would refuse of it: a recording's replay, or a server's clients.
//
// That side spawns every registered object anew, the root under its role,
// each with the parts its class's constructor makes, and then each copy
// places the object's registered children under it. So the world it builds
// is the registered objects alone: an object whose parent is registered
// lies under that parent, every other one on top, the root one level down
// under its role; the parts the program made or deleted since an object
// was constructed are not rebuilt, and the registered objects under a part
// lie on top. The tree it builds holds nothing deeper than
// NetRole::TREE_DEPTH_LIMIT levels, and no copy of it is refused for depth,
// exactly when every object that a copy places (one whose parent is
// registered) lies, with its class's parts, within that limit. The parts a
// top holds are placed by no copy, and are not looked at.
//
// A class's parts are measured once, on a new object of the class. No
// class here makes parts as its image is read; one that did would build
// deeper than this check counts.
//
// Of several objects it would refuse, the one named is the lowest
// identifier, however the table lies.
#include <unordered_map>
#include <vector>

#include "net/ObjectTable.h"
#include "system/UString.h"

class RuntimeClass;

class WorldCheck {
public:
    // A slice goes on to the next object while it has read fewer objects
    // than this. Looking at one object reads it and at most
    // TREE_DEPTH_LIMIT of its registered ancestors, so a slice reads at most
    // WORLD_CHECK_SLICE + TREE_DEPTH_LIMIT objects.
    static constexpr size_t WORLD_CHECK_SLICE = 4096;

    // Why the side would refuse the world of this table and counter,
    // taking at most objectLimit objects; empty when it would not.
    UString whole(const ObjectTable& table, i32 counter, size_t objectLimit);
    // The same, a slice a call: the counter and the object count at every
    // call, and the objects WORLD_CHECK_SLICE at a time, going on where the
    // last call stopped. A call that ends a pass through the table gives
    // the lowest identifier refused in that pass, so a world that stays
    // past the bounds is named within two passes of becoming so.
    UString slice(const ObjectTable& table, i32 counter, size_t objectLimit);
    // The most objects one call of slice has read.
    size_t mostRead() const { return mostReadInASlice; }

    // The levels below a new object of the class that the parts its
    // constructor makes reach, measured once for each class.
    static u32 partHeight(const RuntimeClass* record);

private:
    struct Fault {
        i32 uid = 0;
        UString reason;
    };

    // The object count and the counter.
    static UString checkBounds(const ObjectTable& table, i32 counter, size_t objectLimit);
    // Looks at the object at the position, counting what it reads; keeps
    // its fault in `found` when it is the lowest yet.
    void checkAt(const ObjectTable& table, size_t position, size_t& read, Fault& found);
    // The levels the rebuilt world puts the object at, found by a walk up
    // its registered ancestors that stops at one met before in this look;
    // more than TREE_DEPTH_LIMIT where it lies deeper.
    u32 depthAt(const ObjectTable& table, size_t position, size_t& read);
    // The registered parent's position, or NONE.
    static size_t parentPosition(const ObjectTable& table, const QelBase* o);
    // A new look: the depths found before are forgotten.
    void beginLook(const ObjectTable& table);

    // The depths found in this look, by position; valid where the stamp is
    // the look's own.
    std::vector<u32> depthStamps;
    std::vector<u32> depths;
    u32 stamp = 0;
    std::vector<size_t> path;
    // Where the pass goes on, and the fault it found so far.
    size_t nextPosition = 0;
    Fault passFault;
    size_t mostReadInASlice = 0;

    static std::unordered_map<const RuntimeClass*, u32> partHeights;
};
