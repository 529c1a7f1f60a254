#pragma once
// The replication role's table of registered objects: the object each
// identifier names, the highest identifier in use, and the objects in
// identifier order.
//
// Peers and recordings pick identifiers, so no identifier chooses its own
// bucket: every table hashes identifiers with SipHash-1-3 under a 128-bit
// key of its own, drawn from the system's random source as the table is
// made. The key never leaves the table, and nothing that leaves this side
// shows the table's bucket order: listings go in identifier order, and the
// entries by position (`begin` to `end`, `at`) in the order they were
// registered, a removal moving the last entry into the gap. Without the key
// no sender can tell which identifiers share a bucket, so a lookup, an
// insertion and a removal cost what they cost for any identifiers.
#include <cstddef>
#include <unordered_map>
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
    size_t count(i32 uid) const { return slots.count(uid); }
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
    // The most entries that share one bucket.
    size_t largestBucket() const;

    static constexpr size_t HEAP_SLACK = 64;

    // SipHash-1-3 of the identifier's four bytes, little-endian.
    struct KeyedHash {
        u64 key0 = 0;
        u64 key1 = 0;
        size_t operator()(i32 uid) const;
    };

private:
    struct Slot {
        QelBase* object;
        size_t position;
    };

    std::unordered_map<i32, Slot, KeyedHash> slots;
    std::vector<Entry> entries;
    // Every identifier registered, as a max-heap. One that left stays until
    // it comes to the top, or until those that left outnumber the rest and
    // the heap is built anew, so that each removal costs a constant share.
    std::vector<i32> heap;
};
