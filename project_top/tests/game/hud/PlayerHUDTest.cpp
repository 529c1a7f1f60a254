// The HUD's score easing in a level and its direct following on the map,
// its lives, hearts and percentage texts against the same texts printed
// where the strip puts them, its bare menu corner on the map, and the HUD
// over a level in play, drawn with and without the statistics column and
// under the pause menu (left as hud-level.tga,
// hud-level-statistics.tga and pause-menu.tga).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "context/ContextManager.h"
#include "game/GameResources.h"
#include "game/hud/PlayerHUD.h"
#include "game/screens/ContextIngameMenu.h"
#include "game/train/StockCore.h"
#include "game/world/WorldManager.h"
#include "global/Profile.h"
#include "graphics/MemoryImageFile.h"
#include "graphics/Camera.h"
#include "graphics/FontQuad.h"
#include "graphics/QelGraphics.h"
#include "graphics/Texture.h"
#include "gui/Percentage.h"
#include "resource/ResourceManager.h"
#include "support/RenderCore.h"

namespace {

constexpr double FRAME = 1.0 / 32.0;

class HUD : public testing::Test, public StockCore {
protected:
    HUD()
    {
        // The start-up's own screens are not part of these tests.
        global->contextManager->deleteChildren();
        global->contextManager->lastActive = nullptr;
    }
    Profile& profile() { return WorldManager::currentProfile(); }

    // The view as drawn by the screen, pixel by pixel (0xAABBGGRR).
    std::vector<u32> drawn(Context* screen)
    {
        graphics->clear(UColor(0, 0, 0, 255));
        screen->draw();
        bool grabbed = false;
        const std::unique_ptr<MemoryImageFile> shot(graphics->grabFrame(&grabbed));
        EXPECT_TRUE(grabbed);
        width = shot->width;
        height = shot->height;
        const u32* first = shot->pImageData.get();
        return std::vector<u32>(first, first + size_t(width) * size_t(height));
    }
    void keep(const std::vector<u32>& pixels, const std::string& name) const
    {
        RenderCore::writeTga(std::string(VABO_GAME_DIR) + "/../" + name, width, height, [&](int x, int y) {
            return UColor::fromWord(pixels[size_t(y) * size_t(width) + size_t(x)] | 0xff000000u);
        });
    }
    static int differing(const std::vector<u32>& a, const std::vector<u32>& b)
    {
        int n = 0;
        for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
            n += (a[i] & 0xffffffu) != (b[i] & 0xffffffu) ? 1 : 0;
        }
        return n;
    }

    int width = 0;
    int height = 0;
};

// The strip under the texts as the HUD lays it out (the bar, both icons
// and the progress bar), with the given texts printed over it.
class ExpectedStrip : public Renderable {
public:
    struct Text {
        float x;
        float y;
        float scale;
        int flags;
        UColor colour;
        UString text;
    };

    ExpectedStrip(float progress, std::vector<Text> shown) : value(progress), texts(std::move(shown)) {}

    void render() override
    {
        const float h2 = float(g_qel->graphics->fovHeight / 2);
        const std::pair<Skin*, V3> sprites[] = {{gameFrame("HUDbar", 0), V3(0.0f, h2, 0.0f)},
                                                {gameFrame("HUDicons", 0), V3(-210.0f, h2 - 12.0f, 0.0f)},
                                                {gameFrame("HUDicons", 1), V3(-160.0f, h2 - 12.0f, 0.0f)}};
        for (const auto& [skin, at] : sprites) {
            Renderable sprite;
            sprite.setPlacement(skin, &at, nullptr, nullptr);
            sprite.render();
        }
        Percentage bar(static_cast<Texture*>(g_qel->resourceManager->find("HUDprogress", true)), 0, 1);
        const V3 at(0.0f, h2 - 10.0f, 0.0f);
        bar.setPlacement(nullptr, &at, nullptr, nullptr);
        bar.setValue(value);
        bar.render();
        for (const Text& t : texts) {
            Renderable placement;
            const V3 where(t.x, t.y, 0.0f);
            const V3 size(t.scale, t.scale, 1.0f);
            placement.setPlacement(nullptr, &where, nullptr, &size);
            placement.color = t.colour;
            g_global->fontMedium->print(&placement, t.flags, t.text);
        }
    }

    float value;
    std::vector<Text> texts;
};

} // namespace

TEST_F(HUD, InALevelTheScoreEasesOverHalfASecondFromTheNumberShown)
{
    PlayerHUD hud(true);
    profile().score = 1000;
    hud.update(0.0, 0.5);
    hud.update(0.0, 0.5);
    ASSERT_EQ(hud.displayedScore, 1000);
    EXPECT_EQ(hud.title, "Level 1-1");

    struct Step {
        int frames;
        i32 newScore;
        i32 shown;
    };
    // Frames of 1/32 s after the previous row, a score set before them.
    const Step steps[] = {
        {1, 2000, 1000},  // the frame of the change
        {8, 2000, 1750},  // 0.25 s
        {8, 2000, 2000},  // 0.5 s
        {8, 2000, 2000},
        {1, 1000, 2000},  // down again, from 2000
        {8, 1000, 1250},
        {1, 3000, 1250},  // a change during the easing starts from what is shown
        {8, 3000, 1250 + 1312},
        {8, 3000, 3000},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.shown);
        profile().score = s.newScore;
        for (int i = 0; i < s.frames; ++i) {
            hud.update(0.0, FRAME);
        }
        EXPECT_EQ(hud.displayedScore, s.shown);
    }
    profile().level = 30;
    hud.update(0.0, FRAME);
    EXPECT_EQ(hud.title, "Level 1-1") << "taken once in a level";
}

TEST_F(HUD, OnTheMapTheScoreAndTitleFollowAtOnce)
{
    PlayerHUD hud(false);
    const struct {
        i32 level;
        i32 score;
        const char* title;
    } rows[] = {{0, 0, "Level 1-1"}, {4, 2500, "Level 2-1"}, {3, 10, "Level 1-4"}, {82, 999999, "Level 15-1"}};
    for (const auto& row : rows) {
        profile().level = row.level;
        profile().score = row.score;
        hud.update(0.0, FRAME);
        EXPECT_EQ(hud.displayedScore, row.score);
        EXPECT_EQ(hud.title, row.title);
    }
}

TEST_F(HUD, ALevelInPlayWithItsHudStatisticsOnlyWithTheDebugFlagAndThePauseMenu)
{
    game->sceneLayer->clearColor = UColor(118, 186, 104, 255);
    auto* hud = dynamic_cast<PlayerHUD*>(static_cast<QelBase*>(game->hudLayer->firstChild));
    ASSERT_NE(hud, nullptr) << "the game's own HUD";
    EXPECT_TRUE(hud->inLevel);
    Train* train = trainOf(sBendTrack(), 700.0f, {0, 2, 4, 2, 0});
    trainOf(straightTrack(), 900.0f, {4, 4, 0});
    profile().score = 123456;
    profile().lives = 2;
    profile().hearts = 37;
    game->progress = 0.4f;
    game->shotsFired = 12;
    global->contextManager->add(game);
    steps(60);

    keep(drawn(game), "hud-level.tga");
    EXPECT_EQ(hud->displayedScore, 123456);
    qel->debugLevel |= 0x100;
    keep(drawn(game), "hud-level-statistics.tga");

    // The HUD alone: the flag adds the column in a level, nothing on the map.
    const std::vector<u32> withFlag = drawn(game->hudLayer);
    qel->debugLevel &= ~0x100;
    EXPECT_GT(differing(drawn(game->hudLayer), withFlag), 200) << "the column and the danger lines";
    auto* mapHud = new PlayerHUD(false);
    game->hudLayer->deleteChildren();
    game->hudLayer->addChildBack(mapHud);
    mapHud->update(0.0, FRAME);
    const std::vector<u32> map = drawn(game->hudLayer);
    // The corner where a level prints MENU holds nothing that looks like a
    // button on the map: no red pill, bare wood.
    int red = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = width - 128; x < width; ++x) {
            const u32 p = map[size_t(y) * size_t(width) + size_t(x)];
            red += ((p & 0xff) > 180 && ((p >> 8) & 0xff) < 110 && ((p >> 16) & 0xff) < 110) ? 1 : 0;
        }
    }
    EXPECT_EQ(red, 0);
    qel->debugLevel |= 0x100;
    EXPECT_EQ(differing(drawn(game->hudLayer), map), 0);
    qel->debugLevel &= ~0x100;

    game->hudLayer->deleteChildren();
    game->hudLayer->addChildBack(new PlayerHUD(true));
    const float running = train->getFrontLambda();
    steps(20);
    EXPECT_NE(train->getFrontLambda(), running) << "the trains run while the game ticks";
    auto* menu = new ContextIngameMenu();
    global->contextManager->add(menu);
    // Under the menu the trains stand where they were.
    const float front = train->getFrontLambda();
    for (int i = 0; i < 30; ++i) {
        qel->frameTimer.previousStart = qel->frameTimer.currentStart;
        qel->frameTimer.currentStart += FRAME;
        global->contextManager->tick(0.0, 0.0);
    }
    EXPECT_EQ(global->contextManager->getActive(), menu);
    EXPECT_EQ(train->getFrontLambda(), front);
    keep(drawn(menu), "pause-menu.tga");
}

TEST_F(HUD, LivesHeartsAndThePercentageShowTheirNumbersWhereTheyStand)
{
    auto* hud = dynamic_cast<PlayerHUD*>(static_cast<QelBase*>(game->hudLayer->firstChild));
    ASSERT_NE(hud, nullptr);
    const float h2 = float(graphics->fovHeight / 2);
    constexpr UColor WHITE(255, 255, 255, 255);
    constexpr UColor INK(64, 64, 64, 255);
    struct Case {
        i32 lives;
        i32 hearts;
        float progress;
        const char* livesText;
        const char* heartsText;
        const char* percentText;
    };
    // Areas of the view (left, bottom, right, top) that hold only the
    // lives, the hearts and the percentage over the strip.
    const float areas[3][4] = {{-200.0f, h2 - 32.0f, -166.0f, h2},
                               {-150.0f, h2 - 32.0f, -96.0f, h2},
                               {-45.0f, h2 - 24.0f, 45.0f, h2 - 1.0f}};
    const char* const names[3] = {"lives", "hearts", "percentage"};
    for (const Case& c : {Case{2, 37, 0.4f, "2", "37", "40%"}, Case{12, 99, 0.996f, "12", "99", "100%"},
                          Case{0, 0, 0.0f, "0", "0", "0%"}, Case{-1, 5, 1.0f, "-1", "5", "100%"}}) {
        SCOPED_TRACE(c.percentText);
        profile().lives = c.lives;
        profile().hearts = c.hearts;
        game->progress = c.progress;
        hud->update(0.0, FRAME);
        const std::vector<u32> shown = drawn(game->hudLayer);

        game->hudLayer->removeChild(hud);
        ExpectedStrip expected(c.progress, {{-200.0f, h2, 1.0f, 0x02, WHITE, c.livesText},
                                            {-150.0f, h2, 1.0f, 0x02, WHITE, c.heartsText},
                                            {0.0f, h2 - 11.0f, 0.6f, 0x14, INK, c.percentText}});
        game->hudLayer->addChildBack(&expected);
        const std::vector<u32> wanted = drawn(game->hudLayer);
        expected.texts.clear();
        const std::vector<u32> bare = drawn(game->hudLayer);
        game->hudLayer->removeChild(&expected);
        game->hudLayer->addChildFront(hud);

        const Camera* camera = game->hudLayer->camera;
        const float sx = float(width) / float(graphics->fovWidth);
        const float sy = float(height) / float(graphics->fovHeight);
        for (int k = 0; k < 3; ++k) {
            const V3 low = camera->world2screen(areas[k][0], areas[k][1], 0.0f);
            const V3 high = camera->world2screen(areas[k][2], areas[k][3], 0.0f);
            int wrong = 0;
            int text = 0;
            for (int y = int(low.y * sy); y < int(high.y * sy) && y < height; ++y) {
                for (int x = int(low.x * sx); x < int(high.x * sx); ++x) {
                    // The frame's first row is the top one.
                    const size_t i = size_t(height - 1 - y) * size_t(width) + size_t(x);
                    wrong += (shown[i] & 0xffffffu) != (wanted[i] & 0xffffffu) ? 1 : 0;
                    text += (wanted[i] & 0xffffffu) != (bare[i] & 0xffffffu) ? 1 : 0;
                }
            }
            EXPECT_GT(text, 20) << names[k] << ": the area holds its text";
            EXPECT_EQ(wrong, 0) << names[k];
        }
    }
}
