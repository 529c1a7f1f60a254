// The start-up resource table loaded from the game's own data pack under
// the virtual X server: every key finds its object, frames are numbered in
// skin-list order, origins move where the table says, sounds get their
// play rules, and the holder owns everything it was handed.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "audio/QelAudio.h"
#include "audio/Sound.h"
#include "audio/SoundStream.h"
#include "effects/BendQuad.h"
#include "engine/TimeKeeper.h"
#include "loader/StartupResources.h"
#include "resource/ResourceManager.h"
#include "support/RenderCore.h"

using namespace startup;

namespace {

class StartupResources : public ::testing::Test {
protected:
    StartupResources()
    {
        core.qel->timeKeeper = new TimeKeeper();
        core.qel->resourceManager = new ResourceManager();
        core.qel->audio = new QelAudio();
        core.files->bUseWad = true;
        core.files->useWad(UString(VABO_DATA_PACK));
    }
    ~StartupResources() override
    {
        delete holder;
        delete core.qel->audio;
        core.qel->audio = nullptr;
        delete core.qel->resourceManager;
        core.qel->resourceManager = nullptr;
        delete core.qel->timeKeeper;
        core.qel->timeKeeper = nullptr;
    }

    QelBase* find(const std::string& key) { return core.qel->resourceManager->find(UString(key), false); }

    // Every frame key of a registered image, in order, and none past them.
    void expectFrames(const ImageRow& row)
    {
        auto* texture = dynamic_cast<Texture*>(find(row.key));
        ASSERT_NE(texture, nullptr) << row.key;
        ASSERT_FALSE(texture->skins.empty()) << row.key;
        for (size_t i = 0; i < texture->skins.size(); ++i) {
            EXPECT_EQ(find(std::string(row.key) + ":" + std::to_string(i)), texture->skins[i]) << row.key;
        }
        EXPECT_EQ(find(std::string(row.key) + ":" + std::to_string(texture->skins.size())), nullptr) << row.key;
    }

    RenderCore core;
    QelBase* holder = new QelBase();
};

} // namespace

TEST_F(StartupResources, EveryImageOfTheTableLoadsWithItsFramesUnderItsOwnKey)
{
    std::vector<const ImageRow*> rows = {&preloaderImages[0], &preloaderImages[1], &earlyImages[0],
                                         &earlyImages[1], &holidayLogo};
    for (const ImageRow& row : images) {
        rows.push_back(&row);
    }
    for (const ImageRow* row : rows) {
        loadImage(holder, *row);
    }
    for (const ImageRow* row : rows) {
        expectFrames(*row);
    }
    // Only the textures become children of the holder; their skins stay theirs.
    EXPECT_EQ(holder->countChildren(), rows.size());
    EXPECT_EQ(rows.size(), 44u);

    // No key is used twice in the whole table.
    std::set<std::string> keys;
    auto add = [&](const char* key) { EXPECT_TRUE(keys.insert(key).second) << key; };
    for (const ImageRow* row : rows) add(row->key);
    for (const TextureRow& row : fontTextures) add(row.key);
    for (const MusicRow& row : music) add(row.key);
    for (const SoundRow& row : sounds) add(row.key);
    add(rocketLaunch.key);
    EXPECT_EQ(keys.size(), 44u + 8u + 6u + 34u + 1u);
}

TEST_F(StartupResources, OriginsMoveOnlyOnTheFramesTheTableNames)
{
    Texture* intro = loadImage(holder, images[12]);
    ASSERT_STREQ(images[12].key, "intro");
    const Skin* frame = intro->skins[0];
    EXPECT_FLOAT_EQ(frame->origin.x, 0.0f);
    EXPECT_FLOAT_EQ(frame->origin.y, -frame->height / 2.0f) << "bottom centre";

    Texture* beam = loadImage(holder, images[23]);
    ASSERT_STREQ(images[23].key, "beam");
    EXPECT_FLOAT_EQ(beam->skins[0]->origin.x, -beam->skins[0]->width / 2.0f) << "left centre";

    Texture* arrow = loadImage(holder, images[5]);
    ASSERT_STREQ(images[5].key, "speechArrow");
    ASSERT_GE(arrow->skins.size(), 2u);
    EXPECT_FLOAT_EQ(arrow->skins[1]->origin.y, -arrow->skins[1]->height / 2.0f) << "frame 1 bottom centre";

    // Frame 0 of "heart" is the first frame of the star image, as its own
    // skin list places it.
    Texture* heart = loadImage(holder, images[38]);
    Texture star("gfx/star.tga", LOAD_DEFAULT);
    EXPECT_EQ(heart->skins[0]->width, star.skins[0]->width);
    EXPECT_EQ(heart->skins[0]->origin.x, star.skins[0]->origin.x);
    EXPECT_EQ(heart->skins[0]->origin.y, star.skins[0]->origin.y);
}

TEST_F(StartupResources, FontSourcesKeepTheirPixelsAndRegisterWhole)
{
    for (const TextureRow& row : fontTextures) {
        Texture* texture = loadFontTexture(holder, row);
        EXPECT_EQ(find(row.key), texture);
        EXPECT_EQ(find(std::string(row.key) + ":0"), nullptr) << row.key;
    }
    EXPECT_NE(dynamic_cast<Texture*>(find("fontTinyTex"))->flags & LOAD_KEEP_PIXELS, 0);
    EXPECT_EQ(dynamic_cast<Texture*>(find("fontLargeTex4"))->flags & LOAD_KEEP_PIXELS, 0);
}

TEST_F(StartupResources, TheBentHandJoinsTheHandsSkinsWithoutAFrameKey)
{
    const ImageRow& row = images[34];
    ASSERT_STREQ(row.key, "bearHand");
    Texture* hand = loadImage(holder, row);
    const size_t frames = hand->skins.size();
    addBentHand(hand);
    ASSERT_EQ(hand->skins.size(), frames + 1);
    auto* bend = dynamic_cast<BendQuad*>(find("bearHand:bend"));
    ASSERT_NE(bend, nullptr);
    EXPECT_EQ(hand->skins.back(), bend);
    EXPECT_EQ(find("bearHand:" + std::to_string(frames)), nullptr);
    EXPECT_EQ(bend->columns, 16);
    EXPECT_TRUE(bend->bVertical);
    EXPECT_EQ(bend->texture, static_cast<Quad*>(hand->skins[0])->texture);
    EXPECT_FLOAT_EQ(bend->origin.x, -bend->width / 2.0f) << "left centre";
}

TEST_F(StartupResources, SoundsGetTheirPlayRulesAndMusicStreamsAreSeparateObjects)
{
    for (const SoundRow& row : sounds) {
        loadSound(holder, row);
    }
    for (const MusicRow& row : music) {
        loadMusic(holder, row);
    }
    auto* pop = dynamic_cast<Sound*>(find("pop"));
    ASSERT_NE(pop, nullptr);
    EXPECT_DOUBLE_EQ(pop->minInterval, 0.025);
    EXPECT_FLOAT_EQ(pop->pitchMin, 0.0f);
    EXPECT_FLOAT_EQ(pop->pitchMax, 0.5f);
    auto* click = dynamic_cast<Sound*>(find("mouseClick"));
    ASSERT_NE(click, nullptr);
    EXPECT_DOUBLE_EQ(click->minInterval, 0.0);

    auto* game3 = dynamic_cast<SoundStream*>(find("musicGame3"));
    auto* game4 = dynamic_cast<SoundStream*>(find("musicGame4"));
    ASSERT_NE(game3, nullptr);
    ASSERT_NE(game4, nullptr);
    EXPECT_NE(game3, game4);
    EXPECT_EQ(holder->countChildren(), 34 + 6);
}

TEST_F(StartupResources, CodepageFontsLoadFromOneWhileTheNumberedFilesLastAndAbsentIsNoError)
{
    EXPECT_EQ(loadCodepageTextures(holder, "gfx/font/%s/font-small-%d.tga", UString("cp1250"),
                                   "fontSmallCodepageTex%d", LOAD_FONT_SOURCE),
              0);
    EXPECT_EQ(holder->countChildren(), 0);

    core.files->bUseWad = false;
    std::filesystem::create_directories("gfx/font/cp1250");
    auto white = [](int, int) { return UColor(255, 255, 255, 255); };
    RenderCore::writeTga("gfx/font/cp1250/font-small-1.tga", 8, 8, white);
    RenderCore::writeTga("gfx/font/cp1250/font-small-2.tga", 8, 8, white);
    RenderCore::writeTga("gfx/font/cp1250/font-small-4.tga", 8, 8, white);
    EXPECT_EQ(loadCodepageTextures(holder, "gfx/font/%s/font-small-%d.tga", UString("cp1250"),
                                   "fontSmallCodepageTex%d", LOAD_FONT_SOURCE),
              2);
    EXPECT_NE(find("fontSmallCodepageTex1"), nullptr);
    EXPECT_NE(find("fontSmallCodepageTex2"), nullptr);
    EXPECT_EQ(find("fontSmallCodepageTex3"), nullptr);
    EXPECT_EQ(find("fontSmallCodepageTex4"), nullptr) << "numbering stops at the first gap";
}

TEST(StartupRegistration, AKeyRegisteredTwiceIsFatal)
{
    FileCore core;
    core.qel->resourceManager = new ResourceManager();
    QelBase holder;
    registerResource(&holder, UString("bear"), new QelBase());
    EXPECT_FATAL_WITH(core, registerResource(&holder, UString("bear"), new QelBase()), "map.find(key)==map.end()");
    delete core.qel->resourceManager;
    core.qel->resourceManager = nullptr;
}
