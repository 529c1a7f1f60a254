// The level files and the pictures painted from them: the reader refuses a
// broken file with its line, every level has its scene covering the level
// camera's view and a decoration skin per depth in the data pack, the
// rails lie where the game's path runs, no rails lie where a track runs
// that the level's played arguments do not build, and at every portal the
// rails run into a dark opening in a stone arch, past which the hill lies
// over the cars.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "GeneratedTree.h"
#include "LevelFile.h"
#include "core/Sheet.h"
#include "levels/LevelLayout.h"
#include "support/TempFolder.h"

using namespace assetgen;

namespace {

class LevelScenes : public tree::MountedPack {};

TEST(LevelFileReader, RefusesABrokenFileWithItsLine)
{
    const struct {
        const char* text;
        const char* reason;
    } cases[] = {
        {"launcher 1\n", ":1:"},
        {"landscape meadow\nspan 1 2\n", ":2:"},
        {"track sometimes 1 2 3\n", ":1:"},
        {"track always 260 2000 2000\npoint 1 2 5 3 x\n", ":2:"},
        {"track always 260 2000 2000\nspan 9 3\n", ":2:"},
        {"camera 0.5\n", ":1:"},
        {"scene maybe true\n", ":1:"},
        {"scene 1.5\n", ":1:"},
        {"rocket 1 2\n", ":1:"},
        {"track always 260 2000 2000\npoint 1 2 5 3 4\n", "three points"},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        const std::string path = folder.path + "/X9.txt";
        std::ofstream(path) << c.text;
        LevelData level;
        std::string error;
        EXPECT_FALSE(readLevelFile(path, level, error)) << c.text;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
    LevelData level;
    std::string error;
    EXPECT_FALSE(readLevelFile(folder.path + "/missing.txt", level, error));
    EXPECT_NE(error.find("missing.txt"), std::string::npos);
}

TEST_F(LevelScenes, EveryLevelHasItsSceneAndADecorationSkinPerDepth)
{
    const std::vector<LevelLayout> levels = layLevels(VABO_LEVEL_DIR);
    ASSERT_EQ(levels.size(), 21u);
    for (const LevelLayout& level : levels) {
        SCOPED_TRACE(level.data.id);
        tree::LoadedImage scene;
        ASSERT_TRUE(tree::loads("gfx/scene-" + level.data.id + ".jpg", scene));
        EXPECT_EQ(scene.image->width, SCENE_WIDTH);
        EXPECT_EQ(scene.image->height, SCENE_HEIGHT);
        tree::LoadedImage decoration;
        std::string error;
        const bool has = tree::loadImage("gfx/decoration-" + level.data.id + ".tga", decoration, error);
        EXPECT_EQ(has, !level.data.decorationDepths.empty());
        if (has) {
            EXPECT_EQ(decoration.frames.size(), level.data.decorationDepths.size());
        }
    }
}

// The ballast and the sleepers: darker than sand and snow, not green.
bool railColoured(const tree::LoadedImage& scene, double x, double y)
{
    const u32 pixel = scene.image->pImageData[int(y) * scene.image->width + int(x)];
    const int r = int(pixel & 0xFF);
    const int g = int((pixel >> 8) & 0xFF);
    const int b = int((pixel >> 16) & 0xFF);
    return g < r + 10 && r + g + b < 560;
}

// Both steel rails across the path at a sample: grey, which no sand, grass
// or autumn ground is.
bool railsAcross(const tree::LoadedImage& scene, const RailSample& s)
{
    int found = 0;
    for (double side : {-9.0, 9.0}) {
        bool steel = false;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const int x = int(s.x - std::sin(s.heading) * side) + dx;
                const int y = int(s.y + std::cos(s.heading) * side) + dy;
                const u32 pixel = scene.image->pImageData[y * scene.image->width + x];
                const int r = int(pixel & 0xFF);
                const int g = int((pixel >> 8) & 0xFF);
                const int b = int((pixel >> 16) & 0xFF);
                steel = steel || (r - b < 20 && std::abs(r - g) < 12 && r + g + b < 600);
            }
        }
        found += steel ? 1 : 0;
    }
    return found == 2;
}

bool onPicture(const RailSample& s)
{
    return s.x >= 20 && s.y >= 20 && s.x <= SCENE_WIDTH - 20 && s.y <= SCENE_HEIGHT - 20;
}

TEST_F(LevelScenes, RailsLieUnderTheVisiblePath)
{
    for (const LevelLayout& level : layLevels(VABO_LEVEL_DIR)) {
        SCOPED_TRACE(level.data.id);
        tree::LoadedImage scene;
        ASSERT_TRUE(tree::loads("gfx/scene-" + level.data.id + ".jpg", scene));
        int seen = 0;
        int onRail = 0;
        for (const LaidTrack& track : level.tracks) {
            for (const RailSample& s : track.samples) {
                if (s.hidden || s.lambda < track.createLambda || !onPicture(s)) {
                    continue;
                }
                ++seen;
                if (railColoured(scene, s.x, s.y)) {
                    ++onRail;
                }
            }
        }
        ASSERT_GT(seen, 100);
        EXPECT_GT(onRail, seen * 9 / 10) << onRail << " of " << seen;
    }
}

TEST_F(LevelScenes, TracksTheLevelDoesNotBuildAreNotPainted)
{
    int unbuilt = 0;
    for (const LevelLayout& level : layLevels(VABO_LEVEL_DIR)) {
        const LevelArguments& scene = level.data.scene;
        for (const LevelTrack& track : level.data.tracks) {
            if (LevelData::builds(track.condition, scene.trackCount, scene.firstTrack, scene.secondTrack)) {
                continue;
            }
            SCOPED_TRACE(level.data.id + " track with tunnel " + std::to_string(track.tunnelLambda));
            ++unbuilt;
            tree::LoadedImage picture;
            ASSERT_TRUE(tree::loads("gfx/scene-" + level.data.id + ".jpg", picture));
            // Its visible path where no painted rail or platform lies near.
            int seen = 0;
            int onRail = 0;
            for (const RailSample& s : layTrack(track, level.data.cameraFactor).samples) {
                bool clear = !s.hidden && s.lambda >= track.createLambda && onPicture(s);
                for (const LaidTrack& painted : level.tracks) {
                    for (const RailSample& p : painted.samples) {
                        clear = clear && std::hypot(p.x - s.x, p.y - s.y) > 50.0;
                    }
                }
                for (const auto& [x, y] : level.launchers) {
                    clear = clear && std::hypot(x - s.x, y - s.y) > 60.0;
                }
                if (clear) {
                    ++seen;
                    onRail += railsAcross(picture, s) ? 1 : 0;
                }
            }
            ASSERT_GT(seen, 50);
            EXPECT_LT(onRail, seen / 20) << onRail << " of " << seen;
            // The same look finds the rails of the tracks it builds.
            int painted = 0;
            int found = 0;
            for (const RailSample& s : level.tracks.front().samples) {
                if (!s.hidden && s.lambda >= level.tracks.front().createLambda && onPicture(s)) {
                    ++painted;
                    found += railsAcross(picture, s) ? 1 : 0;
                }
            }
            EXPECT_GT(found, painted * 3 / 4) << found << " of " << painted;
        }
    }
    // Levels 4, 6, 8 and 9 each leave one of their class's two tracks out.
    EXPECT_EQ(unbuilt, 4);
}

// The decorations as the game draws them, each skin's origin at the centre
// of the scene and the nearer skins over the farther: the colour on top at
// a point of the scene picture; transparent where no skin reaches.
u32 decorationAt(const tree::LoadedImage& decoration, const std::vector<float>& depths, double x, double y)
{
    std::vector<size_t> order(decoration.frames.size());
    for (size_t k = 0; k < order.size(); ++k) {
        order[k] = k;
    }
    std::stable_sort(order.begin(), order.end(), [&depths](size_t a, size_t b) { return depths[a] > depths[b]; });
    u32 top = 0;
    for (size_t k : order) {
        const PlacedFrame& f = decoration.frames[k];
        const int fx = int(std::floor(x - SCENE_WIDTH / 2.0 + f.width / 2.0 - f.originAdjustX));
        const int fy = int(std::floor(y - SCENE_HEIGHT / 2.0 + f.height / 2.0 - f.originAdjustY));
        if (fx >= 0 && fy >= 0 && fx < f.width && fy < f.height) {
            const u32 pixel = decoration.image->pImageData[(f.top + fy) * decoration.image->width + f.left + fx];
            top = (pixel >> 24) > 128 ? pixel : top;
        }
    }
    return top;
}

TEST_F(LevelScenes, AtEveryPortalTheRailsRunIntoAStoneArchAndUnderTheHill)
{
    int portals = 0;
    for (const LevelLayout& level : layLevels(VABO_LEVEL_DIR)) {
        if (level.data.decorationDepths.empty()) {
            continue;
        }
        tree::LoadedImage decoration;
        ASSERT_TRUE(tree::loads("gfx/decoration-" + level.data.id + ".tga", decoration));
        const std::vector<float>& depths = level.data.decorationDepths;
        for (const LaidTrack& track : level.tracks) {
            // Each portal with the way into its hill along the path.
            std::vector<std::pair<double, double>> ways = {{track.tunnelLambda, 1.0}};
            for (const LevelSpan& span : track.spans) {
                ways.push_back({span.start + 5.0, 1.0});
                ways.push_back({span.end - 5.0, -1.0});
            }
            for (const auto& [mark, way] : ways) {
                SCOPED_TRACE(level.data.id + " portal at " + std::to_string(mark));
                // The sample of the path `into` pixels from the portal, into
                // the hill when positive.
                auto at = [&track, mark, way](double into) {
                    // The hill's own end sample: the first inside it.
                    size_t i = 0;
                    while (i + 1 < track.samples.size() &&
                           (way > 0.0 ? track.samples[i].lambda < mark : track.samples[i + 1].lambda <= mark)) {
                        ++i;
                    }
                    const RailSample& portal = track.samples[i];
                    const int step = (into >= 0.0) == (way > 0.0) ? 1 : -1;
                    while (i + step < track.samples.size() &&
                           std::hypot(track.samples[i].x - portal.x, track.samples[i].y - portal.y) < std::fabs(into)) {
                        i += size_t(step);
                    }
                    return track.samples[i];
                };
                const RailSample portal = at(0.0);
                if (!onPicture(portal)) {
                    continue;
                }
                ++portals;
                // The cars are seen up to the arch, which then covers them.
                const RailSample before = at(-16.0);
                EXPECT_LT(decorationAt(decoration, depths, before.x, before.y) >> 24, 40u);
                const u32 opening = decorationAt(decoration, depths, at(4.0).x, at(4.0).y);
                EXPECT_GT(opening >> 24, 240u);
                EXPECT_LT((opening & 0xFF) + ((opening >> 8) & 0xFF) + ((opening >> 16) & 0xFF), 250u);
                // The arch's stones further in: light grey and opaque.
                bool stone = false;
                for (double into = 8.0; into <= 26.0 && !stone; into += 1.0) {
                    const u32 c = decorationAt(decoration, depths, at(into).x, at(into).y);
                    const int r = int(c & 0xFF);
                    const int b = int((c >> 16) & 0xFF);
                    stone = (c >> 24) > 240u && std::abs(r - b) < 30 && r > 150;
                }
                EXPECT_TRUE(stone);
            }
        }
    }
    EXPECT_GT(portals, 30);
}

} // namespace
