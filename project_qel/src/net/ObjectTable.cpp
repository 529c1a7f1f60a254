#include "net/ObjectTable.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <exception>
#include <random>

namespace {

constexpr u64 rotl(u64 x, int b)
{
    return (x << b) | (x >> (64 - b));
}

struct SipState {
    u64 v0, v1, v2, v3;

    void round()
    {
        v0 += v1;
        v1 = rotl(v1, 13);
        v1 ^= v0;
        v0 = rotl(v0, 32);
        v2 += v3;
        v3 = rotl(v3, 16);
        v3 ^= v2;
        v0 += v3;
        v3 = rotl(v3, 21);
        v3 ^= v0;
        v2 += v1;
        v1 = rotl(v1, 17);
        v1 ^= v2;
        v2 = rotl(v2, 32);
    }
};

// 64 bits from the system's random source; should it have none, from the
// clock and the stack's address, which no peer sees either.
u64 randomWord()
{
    try {
        std::random_device source;
        return (static_cast<u64>(source()) << 32) ^ source();
    } catch (const std::exception&) {
        u64 mixed = static_cast<u64>(std::chrono::steady_clock::now().time_since_epoch().count());
        mixed ^= reinterpret_cast<std::uintptr_t>(&mixed);
        // splitmix64's finaliser.
        mixed = (mixed ^ (mixed >> 30)) * 0xbf58476d1ce4e5b9ULL;
        mixed = (mixed ^ (mixed >> 27)) * 0x94d049bb133111ebULL;
        return mixed ^ (mixed >> 31);
    }
}

} // namespace

size_t ObjectTable::KeyedHash::operator()(i32 uid) const
{
    // Identifiers are hashed a run of RUN at a time, and keep their order
    // within it: a side counting up finds its objects' buckets next to one
    // another, as a table hashed by value would, while a run's place is
    // the key's secret. The message is the run's number, four bytes, as
    // one block with the length in the top byte.
    const u32 run = static_cast<u32>(uid) / RUN;
    const u64 block = (u64{4} << 56) | run;
    SipState s{key0 ^ 0x736f6d6570736575ULL, key1 ^ 0x646f72616e646f6dULL, key0 ^ 0x6c7967656e657261ULL,
               key1 ^ 0x7465646279746573ULL};
    s.v3 ^= block;
    s.round();
    s.v0 ^= block;
    s.v2 ^= 0xff;
    s.round();
    s.round();
    s.round();
    return static_cast<size_t>((s.v0 ^ s.v1 ^ s.v2 ^ s.v3) * RUN + static_cast<u32>(uid) % RUN);
}

ObjectTable::ObjectTable() : ObjectTable(randomWord(), randomWord())
{
}

ObjectTable::ObjectTable(u64 key0, u64 key1) : hash{key0, key1}, slots(FIRST_CAPACITY)
{
}

size_t ObjectTable::probe(i32 uid) const
{
    // No slot is left free in a probe's way, so the first free one is
    // where the identifier would lie.
    const size_t mask = slots.size() - 1;
    size_t at = home(uid);
    while (slots[at].position != EMPTY && slots[at].uid != uid) {
        at = (at + 1) & mask;
    }
    return at;
}

size_t ObjectTable::findSlot(i32 uid) const
{
    const size_t at = probe(uid);
    return slots[at].position != EMPTY ? at : NONE;
}

QelBase* ObjectTable::find(i32 uid) const
{
    const size_t at = findSlot(uid);
    return at != NONE ? slots[at].object : nullptr;
}

size_t ObjectTable::positionOf(i32 uid) const
{
    const size_t at = findSlot(uid);
    return at != NONE ? slots[at].position : NONE;
}

void ObjectTable::grow()
{
    std::vector<Slot> old(slots.size() * 2);
    old.swap(slots);
    for (const Slot& slot : old) {
        if (slot.position != EMPTY) {
            slots[probe(slot.uid)] = slot;
        }
    }
}

bool ObjectTable::insert(i32 uid, QelBase* o)
{
    if (2 * (entries.size() + 1) > slots.size()) {
        grow();
    }
    const size_t at = probe(uid);
    if (slots[at].position != EMPTY) {
        return false;
    }
    slots[at] = Slot{uid, static_cast<u32>(entries.size()), o};
    entries.emplace_back(uid, o);
    heap.push_back(uid);
    std::push_heap(heap.begin(), heap.end());
    return true;
}

bool ObjectTable::erase(i32 uid, const QelBase* o)
{
    size_t gap = findSlot(uid);
    if (gap == NONE || slots[gap].object != o) {
        return false;
    }
    const size_t position = slots[gap].position;
    // The slots after the gap that a lookup reaches only through it move
    // back into it, so that no probe meets a free slot before its entry.
    const size_t mask = slots.size() - 1;
    for (size_t at = (gap + 1) & mask; slots[at].position != EMPTY; at = (at + 1) & mask) {
        const size_t from = home(slots[at].uid);
        const bool reachedPastGap = gap <= at ? (from <= gap || from > at) : (from <= gap && from > at);
        if (reachedPastGap) {
            slots[gap] = slots[at];
            gap = at;
        }
    }
    slots[gap] = Slot();
    if (position + 1 != entries.size()) {
        entries[position] = entries.back();
        slots[findSlot(entries[position].first)].position = static_cast<u32>(position);
    }
    entries.pop_back();
    if (heap.size() > 2 * entries.size() + HEAP_SLACK) {
        heap.clear();
        for (const Entry& entry : entries) {
            heap.push_back(entry.first);
        }
        std::make_heap(heap.begin(), heap.end());
    }
    return true;
}

void ObjectTable::clear()
{
    std::vector<Slot>(FIRST_CAPACITY).swap(slots);
    entries.clear();
    heap.clear();
}

i32 ObjectTable::highest()
{
    // Identifiers that left are dropped as they come to the top.
    while (!heap.empty() && findSlot(heap.front()) == NONE) {
        std::pop_heap(heap.begin(), heap.end());
        heap.pop_back();
    }
    return heap.empty() ? 0 : heap.front();
}

std::vector<ObjectTable::Entry> ObjectTable::inOrder() const
{
    std::vector<Entry> sorted(entries);
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

size_t ObjectTable::longestProbe() const
{
    const size_t mask = slots.size() - 1;
    size_t longest = 0;
    for (size_t at = 0; at < slots.size(); ++at) {
        if (slots[at].position != EMPTY) {
            longest = std::max(longest, ((at - home(slots[at].uid)) & mask) + 1);
        }
    }
    return longest;
}
