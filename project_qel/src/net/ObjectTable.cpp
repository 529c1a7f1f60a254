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
    // The message is one block shorter than eight bytes: its four bytes
    // with the length in the top byte.
    const u64 block = (u64{4} << 56) | static_cast<u32>(uid);
    SipState s{key0 ^ 0x736f6d6570736575ULL, key1 ^ 0x646f72616e646f6dULL, key0 ^ 0x6c7967656e657261ULL,
               key1 ^ 0x7465646279746573ULL};
    s.v3 ^= block;
    s.round();
    s.v0 ^= block;
    s.v2 ^= 0xff;
    s.round();
    s.round();
    s.round();
    return static_cast<size_t>(s.v0 ^ s.v1 ^ s.v2 ^ s.v3);
}

ObjectTable::ObjectTable() : ObjectTable(randomWord(), randomWord())
{
}

ObjectTable::ObjectTable(u64 key0, u64 key1) : slots(100, KeyedHash{key0, key1})
{
}

QelBase* ObjectTable::find(i32 uid) const
{
    auto slot = slots.find(uid);
    return slot != slots.end() ? slot->second.object : nullptr;
}

size_t ObjectTable::positionOf(i32 uid) const
{
    auto slot = slots.find(uid);
    return slot != slots.end() ? slot->second.position : NONE;
}

bool ObjectTable::insert(i32 uid, QelBase* o)
{
    if (!slots.emplace(uid, Slot{o, entries.size()}).second) {
        return false;
    }
    entries.emplace_back(uid, o);
    heap.push_back(uid);
    std::push_heap(heap.begin(), heap.end());
    return true;
}

bool ObjectTable::erase(i32 uid, const QelBase* o)
{
    auto slot = slots.find(uid);
    if (slot == slots.end() || slot->second.object != o) {
        return false;
    }
    const size_t position = slot->second.position;
    slots.erase(slot);
    if (position + 1 != entries.size()) {
        entries[position] = entries.back();
        slots.find(entries[position].first)->second.position = position;
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
    slots.clear();
    entries.clear();
    heap.clear();
}

i32 ObjectTable::highest()
{
    // Identifiers that left are dropped as they come to the top.
    while (!heap.empty() && slots.count(heap.front()) == 0) {
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

size_t ObjectTable::largestBucket() const
{
    size_t largest = 0;
    for (size_t bucket = 0; bucket < slots.bucket_count(); ++bucket) {
        largest = std::max(largest, slots.bucket_size(bucket));
    }
    return largest;
}
