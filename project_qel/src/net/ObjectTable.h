#pragma once
// The replication role's table of registered objects: the object each
// identifier names, the highest identifier in use, and the objects in
// identifier order.
//
// An open-addressed table with linear probing, never more than half full.
// Peers and recordings pick identifiers, so no identifier chooses its own
// slot: every table hashes identifiers with SipHash-1-3 under a 128-bit key
// of its own, drawn from the system's random source as the table is made,
// a run of RUN identifiers at a time, so that a side counting up finds its
// objects' slots next to one another. The key never leaves the table, and
// nothing that leaves this side shows the slots' order: listings go in
// identifier order, and the entries by position (`begin` to `end`, `at`) in
// the order they were registered, a removal moving the last entry into the
// gap. Without the key no sender can tell where its identifiers land, so a
// lookup, an insertion and a removal cost what they cost for any
// identifiers.
#include <cstddef>
#include <utility>
#include <vector>

#include "system/QelTypes.h"

class QelBase;

class ObjectTable {
public:
    using Entry = std::pair<i32, QelBase*>;
    static constexpr size_t NONE = static_cast<size_t>(-1);

    ObjectTable();
    // A table hashing with the given key, for its own tests.
    ObjectTable(u64 key0, u64 key1);

    size_t size() const { return entries.size(); }
    bool empty() const { return entries.empty(); }
    size_t count(i32 uid) const { return findSlot(uid) != NONE ? 1 : 0; }
    // The object the identifier names, or null.
    QelBase* find(i32 uid) const;
    // The entry's position, or NONE.
    size_t positionOf(i32 uid) const;
    const Entry& at(size_t position) const { return entries[position]; }
    std::vector<Entry>::const_iterator begin() const { return entries.begin(); }
    std::vector<Entry>::const_iterator end() const { return entries.end(); }

    // Adds the entry; an identifier already present keeps its object, and
    // the call gives false.
    bool insert(i32 uid, QelBase* o);
    // Removes the identifier's entry when it holds o; whether it did.
    bool erase(i32 uid, const QelBase* o);
    void clear();

    // The highest identifier in use, 0 when none is.
    i32 highest();
    // The entries in identifier order.
    std::vector<Entry> inOrder() const;

    // The identifiers the heap behind highest() holds, those that left and
    // are not yet dropped included: never more than twice the entries and
    // HEAP_SLACK.
    size_t heapSize() const { return heap.size(); }
    // The most slots a lookup of an identifier present reads.
    size_t longestProbe() const;

    static constexpr size_t HEAP_SLACK = 64;

    // SipHash-1-3 of the number of the identifier's run of RUN, times RUN,
    // plus its place in the run.
    struct KeyedHash {
        static constexpr u32 RUN = 8;
        u64 key0 = 0;
        u64 key1 = 0;
        size_t operator()(i32 uid) const;
    };

private:
    static constexpr u32 EMPTY = 0xFFFFFFFF;
    static constexpr size_t FIRST_CAPACITY = 256;

    struct Slot {
        i32 uid = 0;
        // The entry's position; EMPTY in a free slot.
        u32 position = EMPTY;
        QelBase* object = nullptr;
    };

    size_t home(i32 uid) const { return hash(uid) & (slots.size() - 1); }
    // The slot holding the identifier, or the free one it would take.
    size_t probe(i32 uid) const;
    // The slot holding the identifier, or NONE.
    size_t findSlot(i32 uid) const;
    void grow();

    KeyedHash hash;
    // A power of two of them, at least twice the entries.
    std::vector<Slot> slots;
    std::vector<Entry> entries;
    // Every identifier registered, as a max-heap. One that left stays until
    // it comes to the top, or until those that left outnumber the rest and
    // the heap is built anew, so that each removal costs a constant share.
    std::vector<i32> heap;
};
