// The replication role's object table on its own: identifiers chosen to
// share a slot, the highest identifier as objects come and go, and the
// entries by position and in identifier order.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <unordered_map>

#include "net/NetRole.h"
#include "net/ObjectTable.h"

namespace {

// Stand-ins: the table never looks at its objects.
QelBase* object(i32 uid)
{
    return reinterpret_cast<QelBase*>(static_cast<std::uintptr_t>(uid) * 16 + 16);
}

TEST(ObjectTable, IdentifiersThatShareASlotOfATableHashedByValueSpreadOverThisOne)
{
    // Tables hashed by value put every multiple of their size in one
    // place: this table's slots for 20,000 entries, and the buckets of a
    // standard one grown from 100 to as many.
    constexpr i32 count = 20000;
    std::unordered_map<i32, QelBase*> byValue(100);
    for (i32 uid = 1; uid <= count; ++uid) {
        byValue.emplace(uid, object(uid));
    }
    for (const i32 stride : {65536, static_cast<i32>(byValue.bucket_count())}) {
        ASSERT_LT(static_cast<i64>(stride) * count, NetRole::PEER_COUNTER_LIMIT);
        // Tables of the role, and one of a key a test can name.
        for (ObjectTable* table : {new ObjectTable(), new ObjectTable(), new ObjectTable(0, 0)}) {
            for (i32 k = 1; k <= count; ++k) {
                ASSERT_TRUE(table->insert(k * stride, object(k)));
            }
            EXPECT_LE(table->longestProbe(), 100u) << stride;
            EXPECT_EQ(table->find(7 * stride), object(7));
            EXPECT_EQ(table->highest(), count * stride);
            delete table;
        }
    }
}

TEST(ObjectTable, TheHighestIdentifierAndTheEntriesFollowEveryChange)
{
    ObjectTable table;
    std::set<i32> model;
    std::mt19937 draw(7);
    // Waves of registrations and removals, in random order, far past the
    // heap's slack, so that the heap is built anew many times; a wave's
    // highest identifiers leave first, then the rest.
    for (int wave = 0; wave < 40; ++wave) {
        const i32 base = static_cast<i32>(draw() % 1000000) + 1;
        for (int i = 0; i < 500; ++i) {
            const i32 uid = base + static_cast<i32>(draw() % 5000);
            EXPECT_EQ(table.insert(uid, object(uid)), model.insert(uid).second);
            EXPECT_EQ(table.highest(), *model.rbegin());
        }
        const size_t keep = draw() % 20;
        while (model.size() > keep) {
            const i32 uid = model.size() % 3 == 0 ? *model.rbegin() : *std::next(model.begin(), draw() % model.size());
            EXPECT_FALSE(table.erase(uid, object(uid + 1))) << "an entry goes only with its own object";
            EXPECT_TRUE(table.erase(uid, object(uid)));
            EXPECT_EQ(table.find(uid), nullptr);
            model.erase(uid);
            // Those that stay are found past the slot that left.
            for (i32 staying : model) {
                ASSERT_EQ(table.find(staying), object(staying));
            }
            EXPECT_EQ(table.highest(), model.empty() ? 0 : *model.rbegin());
            ASSERT_LE(table.heapSize(), 2 * table.size() + ObjectTable::HEAP_SLACK);
        }
        // By position, each entry once, found where it lies.
        ASSERT_EQ(table.size(), model.size());
        std::set<i32> positioned;
        for (size_t position = 0; position < table.size(); ++position) {
            const auto& [uid, o] = table.at(position);
            EXPECT_EQ(o, object(uid));
            EXPECT_EQ(table.positionOf(uid), position);
            positioned.insert(uid);
        }
        EXPECT_EQ(positioned, model);
        const std::vector<ObjectTable::Entry> ordered = table.inOrder();
        EXPECT_TRUE(std::is_sorted(ordered.begin(), ordered.end()));
    }
    // An identifier present keeps its first object.
    ASSERT_TRUE(table.insert(5, object(5)));
    EXPECT_FALSE(table.insert(5, object(6)));
    EXPECT_EQ(table.find(5), object(5));
    EXPECT_EQ(table.positionOf(4), ObjectTable::NONE);
    table.clear();
    EXPECT_EQ(table.highest(), 0);
    EXPECT_EQ(table.heapSize(), 0u);
}

} // namespace
