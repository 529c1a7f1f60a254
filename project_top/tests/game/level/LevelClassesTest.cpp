// The level classes in a live game on the real data pack: each builds the
// tracks its arguments ask for, with the scene and one decoration skin per
// depth from the pack; the level numbers 0 to 12 have their classes, and
// level 12 is level 2 turned over left to right.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "game/LiveChildren.h"
#include "game/level/LevelA1.h"
#include "game/level/LevelA10.h"
#include "game/level/LevelA11.h"
#include "game/level/LevelA12.h"
#include "game/level/LevelA13.h"
#include "game/level/LevelA14.h"
#include "game/level/LevelA2.h"
#include "game/level/LevelA3.h"
#include "game/level/LevelA4.h"
#include "game/level/LevelA5.h"
#include "game/level/LevelA6.h"
#include "game/level/LevelA7.h"
#include "game/level/LevelA8.h"
#include "game/level/LevelA9.h"
#include "game/level/LevelB1.h"
#include "game/level/LevelB2.h"
#include "game/level/LevelB3.h"
#include "game/level/LevelB4.h"
#include "game/level/LevelC1.h"
#include "game/level/LevelC2.h"
#include "game/level/LevelData.h"
#include "game/level/LevelL1.h"
#include "game/level/LevelNumbers.h"
#include "game/track/TrackHiddenSpan.h"
#include "game/train/StockCore.h"
#include "graphics/Renderable.h"
#include "graphics/Texture.h"

namespace {

template <class T>
std::vector<T*> liveList(const QelBase& holder)
{
    std::vector<T*> out;
    forEachLive<T>(holder, [&](T* child) { out.push_back(child); });
    return out;
}

class LevelClasses : public testing::Test, public StockCore {
protected:
    // Builds the level as the game does: constructed, its scene laid, held
    // by the game's level layer.
    Level* build(Level* made)
    {
        made->buildScene();
        game->levelHolder->addChildBack(made);
        return made;
    }

    std::vector<Track*> tracks(Level* built) { return liveList<Track>(*built->trackLayer); }
};

struct Made {
    const char* id;
    int tracks;
    std::function<Level*()> make;
};

TEST_F(LevelClasses, EveryClassBuildsTheTracksItsArgumentsAskFor)
{
    const std::vector<Made> cases = {
        {"A1", 1, [] { return new LevelA1(1, 1); }},
        {"A2", 1, [] { return new LevelA2(1, 1); }},
        {"A3", 1, [] { return new LevelA3(1, 1); }},
        {"A4", 1, [] { return new LevelA4(1, 1); }},
        {"A5", 1, [] { return new LevelA5(1, 1); }},
        {"A6", 1, [] { return new LevelA6(1, 1); }},
        {"A7", 1, [] { return new LevelA7(1, 1); }},
        {"A8", 1, [] { return new LevelA8(1, 1); }},
        {"A9", 1, [] { return new LevelA9(1, 1); }},
        {"A10", 1, [] { return new LevelA10(1, 1); }},
        {"A11", 1, [] { return new LevelA11(1, 1); }},
        {"A12", 1, [] { return new LevelA12(-1, 1); }},
        {"A13", 1, [] { return new LevelA13(1, 1); }},
        {"A14", 1, [] { return new LevelA14(1, 1); }},
        {"B1", 1, [] { return new LevelB1(1, 1, 1); }},
        {"B1", 2, [] { return new LevelB1(1, 1, 2); }},
        {"B2", 1, [] { return new LevelB2(1, 1, 1); }},
        {"B2", 2, [] { return new LevelB2(1, 1, 2); }},
        {"B3", 1, [] { return new LevelB3(1, 1, true, false); }},
        {"B3", 1, [] { return new LevelB3(1, 1, false, true); }},
        {"B3", 2, [] { return new LevelB3(1, 1, true, true); }},
        {"B3", 0, [] { return new LevelB3(1, 1, false, false); }},
        {"B4", 2, [] { return new LevelB4(1, 1, true, true); }},
        {"C1", 1, [] { return new LevelC1(1, 1, 1); }},
        {"C1", 3, [] { return new LevelC1(1, 1, 3); }},
        {"C2", 3, [] { return new LevelC2(1, 1, 3); }},
        {"L1", 1, [] { return new LevelL1(1, 1); }},
    };
    for (const Made& c : cases) {
        SCOPED_TRACE(std::string(c.id) + " with " + std::to_string(c.tracks) + " tracks");
        Level* built = build(c.make());
        const LevelData& data = *findLevelData(c.id);
        EXPECT_EQ(int(tracks(built).size()), c.tracks);
        EXPECT_EQ(built->cameraFactor, data.cameraFactor);
        ASSERT_NE(built->sceneTexture, nullptr);
        EXPECT_FALSE(built->sceneTexture->skins.empty());
        EXPECT_EQ(built->launcherPositions.size(), data.launchers.size());
        EXPECT_EQ(liveList<Renderable>(*built->decorationLayer).size(), data.decorationDepths.size());
        if (data.decorationDepths.empty()) {
            EXPECT_EQ(built->decorationTexture, nullptr);
        } else {
            ASSERT_NE(built->decorationTexture, nullptr);
            EXPECT_EQ(built->decorationTexture->skins.size(), data.decorationDepths.size());
        }
        built->bDead = 1;
    }
}

TEST_F(LevelClasses, TheFlagsAndCountsPickTheirTracks)
{
    Level* first = build(new LevelB3(1, 1, true, false));
    ASSERT_EQ(tracks(first).size(), 1u);
    EXPECT_EQ(tracks(first)[0]->tunnelLambda, 1514.0f);
    const auto spans = liveList<TrackHiddenSpan>(tracks(first)[0]->hiddenSpans);
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_EQ(spans[0]->startLambda, 1060.0f);
    EXPECT_EQ(spans[0]->endLambda, 1100.0f);
    Level* second = build(new LevelB3(1, 1, false, true));
    ASSERT_EQ(tracks(second).size(), 1u);
    EXPECT_EQ(tracks(second)[0]->tunnelLambda, 2260.0f);
    Level* three = build(new LevelC2(1, 1, 3));
    ASSERT_EQ(tracks(three).size(), 3u);
    EXPECT_EQ(tracks(three)[0]->createLambda, 340.0f);
    EXPECT_EQ(tracks(three)[1]->createLambda, 600.0f);
    EXPECT_EQ(tracks(three)[2]->createLambda, 300.0f);
    // The reflected track of the pair comes first.
    Level* pair = build(new LevelB1(1, 1, 2));
    ASSERT_EQ(tracks(pair).size(), 2u);
    EXPECT_LT(tracks(pair)[0]->spline.points[1].x, 0.0f);
    EXPECT_GT(tracks(pair)[1]->spline.points[1].x, 0.0f);
}

TEST_F(LevelClasses, LevelNumbersZeroToTwelveHaveALevelAndTwelveIsTwoMirrored)
{
    for (int number = -1; number <= 14; ++number) {
        EXPECT_EQ(LevelNumbers::hasLevel(number), number >= 0 && number <= 12) << number;
    }
    EXPECT_EQ(LevelNumbers::create(13), nullptr);
    Level* two = build(LevelNumbers::create(2));
    Level* twelve = build(LevelNumbers::create(12));
    ASSERT_EQ(twelve->launcherPositions.size(), 1u);
    EXPECT_EQ(twelve->launcherPositions[0].x, -140.625f);
    EXPECT_EQ(twelve->launcherPositions[0].y, -234.375f);
    EXPECT_NEAR(twelve->lightVector.x, -0.7071f, 1e-4f);
    EXPECT_NEAR(twelve->lightVector.y, -0.7071f, 1e-4f);
    EXPECT_FLOAT_EQ(twelve->sceneRotation.y, std::numbers::pi_v<float>);
    const auto decorations = liveList<Renderable>(*twelve->decorationLayer);
    ASSERT_FALSE(decorations.empty());
    EXPECT_FLOAT_EQ(decorations[0]->rotation.y, std::numbers::pi_v<float>);
    // The same path, every x turned over.
    const Track* plain = tracks(two)[0];
    const Track* turned = tracks(twelve)[0];
    ASSERT_EQ(plain->spline.points.size(), turned->spline.points.size());
    for (size_t i = 0; i < plain->spline.points.size(); ++i) {
        EXPECT_EQ(turned->spline.points[i].x, -plain->spline.points[i].x);
        EXPECT_EQ(turned->spline.points[i].y, plain->spline.points[i].y);
    }
}

} // namespace
