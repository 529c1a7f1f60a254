// The level files and the pictures painted from them: the reader refuses a
// broken file with its line, every level has its scene covering the level
// camera's view and a decoration skin per depth in the data pack, and the
// rails lie where the game's path runs.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "GeneratedTree.h"
#include "LevelFile.h"
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
                if (s.hidden || s.lambda < track.createLambda || s.x < 20 || s.y < 20 || s.x > SCENE_WIDTH - 20 ||
                    s.y > SCENE_HEIGHT - 20) {
                    continue;
                }
                const u32 pixel = scene.image->pImageData[int(s.y) * scene.image->width + int(s.x)];
                const int r = int(pixel & 0xFF);
                const int g = int((pixel >> 8) & 0xFF);
                const int b = int((pixel >> 16) & 0xFF);
                ++seen;
                // The ballast and the sleepers: darker than sand and snow, not green.
                if (g < r + 10 && r + g + b < 560) {
                    ++onRail;
                }
            }
        }
        ASSERT_GT(seen, 100);
        EXPECT_GT(onRail, seen * 9 / 10) << onRail << " of " << seen;
    }
}

} // namespace
