// Depth-ordered drawing: what the manager draws, in which order, and what
// the object tree leaves alone.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/GameCore.h"
#include "game/depth/DepthManager.h"
#include "game/depth/RenderableDepth.h"
#include "support/EngineCore.h"
#include "support/ExpectFatal.h"

namespace {

// Notes its name in a shared journal when drawn.
class Probe : public RenderableDepth {
public:
    Probe(DepthManager* manager, int probeName, float probeDepth, std::vector<int>* drawn)
        : RenderableDepth(manager), name(probeName), journal(drawn)
    {
        depth = probeDepth;
    }
    // Joins the live game's manager.
    Probe(int probeName, float probeDepth, std::vector<int>* drawn)
        : name(probeName), journal(drawn)
    {
        depth = probeDepth;
    }
    void renderDepth() override { journal->push_back(name); }

    int name;
    std::vector<int>* journal;
};

class Depths : public testing::Test {
protected:
    Probe* probe(int name, float depth) { return new Probe(&manager, name, depth, &drawn); }
    std::vector<int> drawFrame()
    {
        drawn.clear();
        manager.update(0.0, 0.02);
        manager.render();
        return drawn;
    }

    EngineCore core;
    DepthManager manager;
    std::vector<int> drawn;
};

class DepthsInAGame : public testing::Test, public GameCore {};

} // namespace

TEST_F(Depths, FarObjectsDrawFirstAndEqualDepthsInTheOrderAdded)
{
    std::unique_ptr<Probe> one(probe(1, 1.0f));
    std::unique_ptr<Probe> three(probe(3, 3.0f));
    std::unique_ptr<Probe> two(probe(2, 2.0f));
    EXPECT_EQ(drawFrame(), (std::vector<int>{3, 2, 1}));

    std::unique_ptr<Probe> four(probe(4, 2.0f));
    std::unique_ptr<Probe> five(probe(5, 2.0f));
    EXPECT_EQ(drawFrame(), (std::vector<int>{3, 2, 4, 5, 1}));

    // A car moving into the distance is sorted in again; a deleted one leaves.
    one->depth = 9.0f;
    three.reset();
    EXPECT_EQ(drawFrame(), (std::vector<int>{1, 2, 4, 5}));
}

TEST_F(Depths, ObjectTreeNeverDrawsThem)
{
    QelBase scene;
    Probe* car = probe(7, 1.0f);
    scene.addChildBack(car);
    scene.render();
    EXPECT_TRUE(drawn.empty());
    EXPECT_EQ(drawFrame(), (std::vector<int>{7}));
    // Deleted with the tree, it leaves the manager's list.
    scene.deleteChildren();
    EXPECT_TRUE(manager.depthList.empty());
}

TEST_F(Depths, AnObjectOutlivingItsManagerLetsItBe)
{
    auto* early = new DepthManager();
    std::unique_ptr<Probe> late(new Probe(early, 1, 0.0f, &drawn));
    delete early;
    EXPECT_EQ(late->depthManager, nullptr);
    // Deleting it now must not reach the deleted manager (the sanitizer
    // build would see the access).
    late.reset();
}

TEST_F(Depths, RemovingAnUnlistedObjectIsFatal)
{
    DepthManager other;
    std::unique_ptr<Probe> stranger(new Probe(&other, 1, 0.0f, &drawn));
    EXPECT_FATAL(manager.removeDepth(stranger.get()), "Request to remove depth not present in list");
}

TEST_F(DepthsInAGame, SceneryJoinsTheLiveGameAndOutlivesItsManager)
{
    GameController* live = startGame();
    std::vector<int> drawn;
    // Scenery lives in the level, which the game deletes after its manager.
    live->levelHolder->addChildBack(new Probe(1, 1.0f, &drawn));
    live->levelHolder->addChildBack(new Probe(2, 5.0f, &drawn));
    EXPECT_EQ(live->depthManager->depthList.size(), 2u);
    frame(0.02, true);
    EXPECT_EQ(drawn, (std::vector<int>{2, 1}));
    endGame();
}
