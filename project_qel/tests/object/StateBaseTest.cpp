#include <gtest/gtest.h>

#include "object/StateBase.h"

namespace {

struct Counting : StateBase {
    void onStateChange() override
    {
        ++changes;
        if (chainTo >= 0) {
            int next = chainTo;
            chainTo = -1;
            setState(next, 0.0, false);
        }
    }
    int changes = 0;
    int chainTo = -1;
};

} // namespace

TEST(StateBase, ImmediateChangeAndRepeatedRequests)
{
    Counting s;
    s.timeInState = 4.0;
    s.setState(3, 0.0, false);
    EXPECT_EQ(s.state, 3);
    EXPECT_EQ(s.timeInState, 0.0);
    EXPECT_EQ(s.changes, 1);

    s.advance(0.0, 0.5);
    s.setState(3, 0.0, false);
    EXPECT_EQ(s.changes, 1);
    EXPECT_EQ(s.timeInState, 0.5);

    s.setState(3, 0.0, true);
    EXPECT_EQ(s.changes, 2);
    EXPECT_EQ(s.timeInState, 0.0);
}

TEST(StateBase, DelayedChangeDropsTheOvershoot)
{
    Counting s;
    s.setState(5, 1.0, false);
    EXPECT_EQ(s.state, 0);
    s.advance(0.0, 0.4);
    s.advance(0.0, 0.4);
    EXPECT_EQ(s.changes, 0);
    EXPECT_NEAR(s.stateLeft, 0.2, 1e-12);
    s.advance(0.0, 0.4);
    EXPECT_EQ(s.state, 5);
    EXPECT_EQ(s.changes, 1);
    EXPECT_EQ(s.timeInState, 0.0);
    EXPECT_NEAR(s.stateLeft, -0.2, 1e-12);
    s.advance(0.0, 1.0);
    EXPECT_EQ(s.timeInState, 1.0);
    EXPECT_NEAR(s.stateLeft, -0.2, 1e-12);
}

TEST(StateBase, PendingRequestsAreKeptOrReplaced)
{
    Counting s;
    s.setState(5, 1.0, false);
    s.advance(0.0, 0.5);
    s.setState(5, 0.0, false);  // already asked for: ignored
    EXPECT_EQ(s.state, 0);
    s.advance(0.0, 0.6);
    EXPECT_EQ(s.state, 5);

    Counting t;
    t.setState(5, 1.0, false);
    t.setState(6, 0.0, false);
    EXPECT_EQ(t.state, 6);
    t.advance(0.0, 2.0);
    EXPECT_EQ(t.state, 6);
    EXPECT_EQ(t.changes, 1);

    Counting u;
    u.setState(7, -1.0, false);
    EXPECT_EQ(u.state, 7);
}

TEST(StateBase, ChangeHandlerMayAskForAnotherState)
{
    Counting s;
    s.chainTo = 9;
    s.setState(2, 0.5, false);
    s.advance(0.0, 0.5);
    EXPECT_EQ(s.state, 9);
    EXPECT_EQ(s.changes, 2);
}
