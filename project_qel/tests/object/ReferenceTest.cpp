#include <gtest/gtest.h>

#include <vector>

#include "object/QelBase.h"
#include "object/Reference.h"
#include "support/EngineCore.h"

namespace {

// Holds references and records the events they send it.
class Holder : public QelBase {
public:
    bool onEvent(Event* e) override
    {
        events.push_back(*e);
        return true;
    }
    std::vector<Event> events;
};

class References : public testing::Test {
protected:
    EngineCore core;
};

} // namespace

TEST_F(References, DyingTargetClearsEveryReferenceAndTellsEachOwner)
{
    Holder h1, h2, h3;
    Reference<QelBase> r1(&h1), r2(&h2), r3(&h3);
    auto* target = new QelBase;
    r1.set(target);
    r2 = target;
    r3.set(target);
    EXPECT_EQ(target->references.countChildren(), 3u);
    delete target;
    for (auto [h, r] : {std::pair{&h1, &r1}, {&h2, &r2}, {&h3, &r3}}) {
        EXPECT_EQ(r->get(), nullptr);
        ASSERT_EQ(h->events.size(), 1u);
        EXPECT_EQ(h->events[0].type, EVENT_REFERENCE_CLEARED);
        EXPECT_EQ(h->events[0].reference, r);
        EXPECT_EQ(h->events[0].sender, nullptr);
        EXPECT_EQ(h->events[0].target, h);
    }
}

TEST_F(References, RepointingMovesBetweenListsSilentlyAndClearingTells)
{
    Holder holder;
    Reference<QelBase> ref(&holder);
    auto* a = new QelBase;
    auto* b = new QelBase;
    ref.set(a);
    ref.set(b);
    ref.set(b);
    EXPECT_TRUE(holder.events.empty());
    EXPECT_EQ(a->references.countChildren(), 0u);
    EXPECT_EQ(b->references.countChildren(), 1u);
    delete a;
    EXPECT_EQ(ref.get(), b);
    EXPECT_TRUE(holder.events.empty());
    ref.set(nullptr);
    EXPECT_EQ(holder.events.size(), 1u);
    ref.set(nullptr);
    EXPECT_EQ(holder.events.size(), 1u);
    delete b;

    // A live reference that goes out of scope leaves its target's list and
    // tells its owner.
    QelBase target;
    {
        Reference<QelBase> scoped(&holder);
        scoped.set(&target);
    }
    EXPECT_EQ(target.references.countChildren(), 0u);
    ASSERT_EQ(holder.events.size(), 2u);
    EXPECT_EQ(holder.events[1].type, EVENT_REFERENCE_CLEARED);
}

TEST_F(References, OwnersHearNoticesFromTheirTarget)
{
    Holder h1, h2;
    QelBase target;
    Reference<QelBase> r1(&h1), r2(&h2);
    r1.set(&target);
    r2.set(&target);
    r2.bSkip = 1;
    target.notifyReferenceOwners();
    ASSERT_EQ(h1.events.size(), 1u);
    EXPECT_EQ(h1.events[0].type, EVENT_REFERENCE_NOTICE);
    EXPECT_EQ(h1.events[0].sender, &target);
    EXPECT_EQ(h1.events[0].reference, &r1);
    EXPECT_TRUE(h2.events.empty());
}

TEST_F(References, TargetDeletedInsideItsTreeIsCleared)
{
    Holder holder;
    QelBase root;
    auto* child = new QelBase;
    root.add(child);
    Reference<QelBase> ref(&holder);
    ref.set(child);
    child->bDead = 1;
    root.update(0.0, 0.01);
    EXPECT_EQ(ref.get(), nullptr);
    EXPECT_EQ(holder.events.size(), 1u);
}
