// The level definitions written out once by hand, apart from the level
// files: per class its camera factor, launcher spots, decoration depths and
// per track its condition, create, tunnel and help marks, hidden spans and
// number of control points; and per level number the class and the
// arguments it is built with. The compiled level table, the level numbers
// and the arguments each scene is painted for must agree with it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/LiveChildren.h"
#include "game/level/LevelA1.h"
#include "game/level/LevelA12.h"
#include "game/level/LevelA13.h"
#include "game/level/LevelA14.h"
#include "game/level/LevelA2.h"
#include "game/level/LevelA5.h"
#include "game/level/LevelA7.h"
#include "game/level/LevelA8.h"
#include "game/level/LevelB1.h"
#include "game/level/LevelB2.h"
#include "game/level/LevelB3.h"
#include "game/level/LevelB4.h"
#include "game/level/LevelData.h"
#include "game/level/LevelNumbers.h"
#include "game/track/TrackHiddenSpan.h"
#include "game/train/StockCore.h"
#include "graphics/Texture.h"

namespace {

using C = TrackCondition;

struct TableTrack {
    TrackCondition condition;
    float create;
    float tunnel;
    float help;
    std::vector<LevelSpan> spans;
    size_t points;
};

struct TableClass {
    const char* id;
    float camera;
    std::vector<LevelSpot> launchers;
    std::vector<float> depths;
    std::vector<TableTrack> tracks;
};

const std::vector<TableClass> classes = {
    {"A1", 1.0f, {{96.875f, -68.75f}}, {-10}, {{C::Always, 315, 1934, 1934, {}, 4}}},
    {"A2", 1.0f, {{43.75f, -31.25f}}, {-10, -15, -15},
     {{C::Always, 260, 4439, 4439, {{2673, 2800}, {3660, 3813}}, 10}}},
    {"A3", 1.0f, {{68.75f, -90.625f}}, {-10, -15, -15},
     {{C::Always, 320, 4153, 4153, {{1314, 1368}, {1762, 1816}}, 8}}},
    {"A4", 1.0f, {{-56.25f, 53.125f}}, {-10, -15, -15, -15},
     {{C::Always, 320, 4338, 4338, {{1565, 1619}, {1834, 1887}, {3985, 4036}}, 8}}},
    {"A5", 1.0f, {{0, 0}}, {-15}, {{C::Always, 260, 3928, 3928, {}, 6}}},
    {"A6", 1.0f, {{-71.875f, -31.25f}, {150, -265.625f}}, {-30, -30},
     {{C::Always, 260, 4757, 4757, {{2970, 3131}, {3728, 3785}, {4400, 4456}}, 8}}},
    {"A7", 1.0f, {{-59.375f, -59.375f}}, {-15, -15, -19},
     {{C::Always, 350, 3455, 3455, {{2417, 2493}, {2977, 3051}}, 7}}},
    {"A8", 1.0f, {{-59.375f, -59.375f}}, {-15}, {{C::Always, 260, 2753, 2753, {}, 7}}},
    {"A9", 1.0f, {{-225, 21.875f}, {218.75f, 21.875f}}, {-15, -15}, {{C::Always, 260, 2920, 2920, {{321, 376}}, 6}}},
    {"A10", 1.0f, {{109.375f, -37.5f}}, {-15, -15},
     {{C::Always, 475, 3180, 3180, {{654, 705}, {2124, 2186}}, 7}}},
    {"A11", 1.0f, {{0, 93.75f}}, {-15, -15}, {{C::Always, 300, 3125, 2900, {{470, 526}}, 6}}},
    {"A12", 1.0f, {{140.625f, -234.375f}}, {-15}, {{C::Always, 440, 3215, 3215, {}, 6}}},
    {"A13", 1.0f, {{0, 40.625f}}, {-15}, {{C::Always, 255, 2225, 2100, {}, 5}}},
    {"A14", 1.0f, {{312.5f, 0}}, {-15, -15, -15}, {{C::Always, 255, 3045, 3045, {{385, 436}, {2633, 2686}}, 6}}},
    {"B1", 1.0f, {{0, 0}}, {-15, -15},
     {{C::TrackCountAbove1, 260, 2341, 2341, {}, 9}, {C::Always, 260, 2341, 2341, {}, 9}}},
    {"B2", 1.0f, {{-109.375f, 0}, {331.25f, 0}}, {-15, -35, -15, -15},
     {{C::Always, 260, 1635, 1635, {{1200, 1275}}, 3}, {C::TrackCountAbove1, 260, 1635, 1635, {{502, 567}}, 3}}},
    {"B3", 1.0f, {{0, 106.25f}}, {-15, -15, -11, -15},
     {{C::FirstTrack, 260, 1514, 1514, {{1055, 1105}}, 4}, {C::SecondTrack, 260, 2260, 2260, {{459, 525}}, 5}}},
    {"B4", 1.0f, {{0, 0}}, {-15, -15, -15, -15},
     {{C::FirstTrack, 260, 1900, 1900, {{320, 380}}, 4}, {C::SecondTrack, 260, 1670, 1670, {{1340, 1405}}, 4}}},
    {"C1", 1.5f, {{0, 0}}, {-35, -25, -15},
     {{C::TrackCountAbove1, 260, 3280, 3280, {}, 5},
      {C::TrackCountAbove2, 260, 2275, 2275, {}, 4},
      {C::Always, 260, 1430, 1430, {}, 3}}},
    {"C2", 1.5f, {{0, 0}}, {-15, -15, -15},
     {{C::Always, 340, 1945, 1945, {}, 5},
      {C::TrackCountAbove1, 600, 1945, 1945, {}, 5},
      {C::TrackCountAbove2, 300, 1945, 1945, {}, 5}}},
    {"L1", 1.5f, {{0, 0}}, {}, {{C::Always, 320, 4310, 4310, {}, 8}}},
};

template <class T>
bool is(const Level* level)
{
    return dynamic_cast<const T*>(level) != nullptr;
}

struct TableNumber {
    int number;
    const char* id;
    bool (*isClass)(const Level*);
    i32 mirrorX;
    LevelArguments arguments;
};

// Arguments of the classes without any: every track is always built.
constexpr LevelArguments plain = {1, true, true};

const std::vector<TableNumber> numbers = {
    {0, "A1", is<LevelA1>, 1, plain},
    {1, "A8", is<LevelA8>, 1, plain},
    {2, "A12", is<LevelA12>, 1, plain},
    {3, "A5", is<LevelA5>, 1, plain},
    {4, "B3", is<LevelB3>, 1, {1, true, false}},
    {5, "A13", is<LevelA13>, 1, plain},
    {6, "B4", is<LevelB4>, 1, {1, true, false}},
    {7, "A2", is<LevelA2>, 1, plain},
    {8, "B2", is<LevelB2>, 1, {1, true, true}},
    {9, "B1", is<LevelB1>, 1, {1, true, true}},
    {10, "A14", is<LevelA14>, 1, plain},
    {11, "A7", is<LevelA7>, 1, plain},
    {12, "A12", is<LevelA12>, -1, plain},
};

const TableClass& classOf(const std::string& id)
{
    for (const TableClass& c : classes) {
        if (id == c.id) {
            return c;
        }
    }
    ADD_FAILURE() << "no class " << id;
    return classes.front();
}

// The tracks the arguments build, in table order.
std::vector<const TableTrack*> built(const TableClass& c, const LevelArguments& a)
{
    std::vector<const TableTrack*> out;
    for (const TableTrack& track : c.tracks) {
        if (LevelData::builds(track.condition, a.trackCount, a.firstTrack, a.secondTrack)) {
            out.push_back(&track);
        }
    }
    return out;
}

} // namespace

TEST(LevelTable, TheCompiledTableHoldsEveryClassAsWrittenOut)
{
    ASSERT_EQ(levelTable().size(), classes.size());
    for (const TableClass& c : classes) {
        SCOPED_TRACE(c.id);
        const LevelData* data = findLevelData(c.id);
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(data->cameraFactor, c.camera);
        ASSERT_EQ(data->launchers.size(), c.launchers.size());
        for (size_t i = 0; i < c.launchers.size(); ++i) {
            EXPECT_EQ(data->launchers[i].x, c.launchers[i].x);
            EXPECT_EQ(data->launchers[i].y, c.launchers[i].y);
        }
        EXPECT_EQ(data->decorationDepths, c.depths);
        ASSERT_EQ(data->tracks.size(), c.tracks.size());
        for (size_t t = 0; t < c.tracks.size(); ++t) {
            SCOPED_TRACE("track " + std::to_string(t));
            const LevelTrack& track = data->tracks[t];
            const TableTrack& want = c.tracks[t];
            EXPECT_EQ(track.condition, want.condition);
            EXPECT_EQ(track.createLambda, want.create);
            EXPECT_EQ(track.tunnelLambda, want.tunnel);
            EXPECT_EQ(track.helpLambda, want.help);
            ASSERT_EQ(track.spans.size(), want.spans.size());
            for (size_t s = 0; s < want.spans.size(); ++s) {
                EXPECT_EQ(track.spans[s].start, want.spans[s].start);
                EXPECT_EQ(track.spans[s].end, want.spans[s].end);
            }
            EXPECT_EQ(track.points.size(), want.points);
        }
    }
}

class LevelTableInPlay : public testing::Test, public StockCore {};

TEST_F(LevelTableInPlay, EachLevelNumberBuildsItsClassWithItsArgumentsAndItsScenePaintsThem)
{
    for (const TableNumber& n : numbers) {
        SCOPED_TRACE("level " + std::to_string(n.number));
        Level* made = LevelNumbers::create(n.number);
        ASSERT_NE(made, nullptr);
        made->buildScene();
        game->levelHolder->addChildBack(made);
        EXPECT_TRUE(n.isClass(made));
        EXPECT_EQ(made->mirrorX, n.mirrorX);
        EXPECT_EQ(made->mirrorY, 1);
        ASSERT_NE(made->sceneTexture, nullptr);
        EXPECT_EQ(std::string(made->sceneTexture->name.c_str()), std::string("gfx/scene-") + n.id + ".jpg");
        const TableClass& c = classOf(n.id);
        EXPECT_EQ(made->cameraFactor, c.camera);
        const std::vector<const TableTrack*> want = built(c, n.arguments);
        std::vector<Track*> tracks;
        forEachLive<Track>(*made->trackLayer, [&tracks](Track* track) { tracks.push_back(track); });
        ASSERT_EQ(tracks.size(), want.size());
        for (size_t t = 0; t < want.size(); ++t) {
            EXPECT_EQ(tracks[t]->createLambda, want[t]->create);
            EXPECT_EQ(tracks[t]->tunnelLambda, want[t]->tunnel);
            EXPECT_EQ(tracks[t]->helpLambda, want[t]->help);
            std::vector<TrackHiddenSpan*> spans;
            forEachLive<TrackHiddenSpan>(tracks[t]->hiddenSpans, [&spans](TrackHiddenSpan* s) { spans.push_back(s); });
            ASSERT_EQ(spans.size(), want[t]->spans.size());
            for (size_t s = 0; s < spans.size(); ++s) {
                EXPECT_EQ(spans[s]->startLambda, want[t]->spans[s].start + 5.0f);
                EXPECT_EQ(spans[s]->endLambda, want[t]->spans[s].end - 5.0f);
            }
        }
        // The scene shows the same tracks.
        const LevelArguments& scene = findLevelData(n.id)->scene;
        EXPECT_EQ(built(c, scene), want);
        made->bDead = 1;
    }
    // A class no level plays shows every track.
    for (const char* id : {"A3", "A4", "A6", "A9", "A10", "A11", "C1", "C2", "L1"}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(built(classOf(id), findLevelData(id)->scene).size(), classOf(id).tracks.size());
    }
}
