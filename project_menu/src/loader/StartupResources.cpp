#include "loader/StartupResources.h"

#include "audio/Sound.h"
#include "audio/SoundStream.h"
#include "effects/BendQuad.h"
#include "engine/Qel.h"
#include "file/FileManager.h"
#include "graphics/Skin.h"
#include "graphics/Texture.h"
#include "resource/ResourceManager.h"
#include "system/StringUtils.h"

namespace startup {

namespace {

constexpr int ANCHOR_TOP_LEFT = 7;
constexpr int ANCHOR_TOP_CENTRE = 8;
constexpr int ANCHOR_LEFT_CENTRE = 4;
constexpr int ANCHOR_BOTTOM_CENTRE = 2;

} // namespace

const ImageRow preloaderImages[2] = {
    {"gui-game-progressBar", "gfx/gui/game/progressbar.tga", LOAD_HALVE_TO_FIT, NO_ORIGIN_CHANGE, 0},
    {"mousePointer", "gfx/gui/game/mousepointer.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
};

const ImageRow earlyImages[2] = {
    {"makerlogo", "gfx/system/makerlogo.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"languageFlags", "gfx/system/languageflags.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
};

const ImageRow images[39] = {
    {"autoConfigure", "gfx/system/autoconfigure.tga", LOAD_DEFAULT, 0, ANCHOR_TOP_LEFT},
    {"menu", "gfx/gui/game/menu.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"menuInt", "gfx/gui/game/menuint.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"menuBool", "gfx/gui/game/menubool.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"speechBubble", "gfx/gui/game/speechbubble.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"speechArrow", "gfx/gui/game/speechArrow.tga", LOAD_DEFAULT, 1, ANCHOR_BOTTOM_CENTRE},
    {"gui-game-editbox", "gfx/gui/game/editbox.tga", LOAD_HALVE_TO_FIT, NO_ORIGIN_CHANGE, 0},
    {"gui-game-button", "gfx/gui/game/button.tga", LOAD_HALVE_TO_FIT, NO_ORIGIN_CHANGE, 0},
    {"gui-game-button-speech", "gfx/gui/game/button-speech.tga", LOAD_HALVE_TO_FIT, NO_ORIGIN_CHANGE, 0},
    {"gui-game-square", "gfx/gui/game/square.tga", LOAD_HALVE_TO_FIT, NO_ORIGIN_CHANGE, 0},
    {"gui-game-hud", "gfx/gui/game/hud.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"logo", "gfx/logo.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"intro", "gfx/intro.jpg", LOAD_DEFAULT, 0, ANCHOR_BOTTOM_CENTRE},
    {"HUDbar", "gfx/gui/game/HUDbar.tga", LOAD_DEFAULT, 0, ANCHOR_TOP_CENTRE},
    {"HUDicons", "gfx/gui/game/HUDicons.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"HUDprogress", "gfx/gui/game/HUDprogress.tga", LOAD_HALVE_TO_FIT, NO_ORIGIN_CHANGE, 0},
    {"ladder", "gfx/gui/game/dashedline.tga", LOAD_HALVE_TO_FIT, NO_ORIGIN_CHANGE, 0},
    {"car", "gfx/car.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"placementIcons", "gfx/placementicons.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"dock", "gfx/dock.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"cargo", "gfx/cargo.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"fireball", "gfx/fireball.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"wildcard", "gfx/wildcard.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"beam", "gfx/beam.tga", LOAD_HALVE_TO_FIT, 0, ANCHOR_LEFT_CENTRE},
    {"launcher", "gfx/launcher.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"chain", "gfx/chain.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"bowstring", "gfx/bowstring.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"bonus", "gfx/bonus.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"flare", "gfx/flare.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"smoke", "gfx/smoke.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"circle", "gfx/circle.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"worldMap", "gfx/worldmap.jpg", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"worldMapMarkers", "gfx/worldmapmarkers2.tga", LOAD_DEFAULT, 0, ANCHOR_BOTTOM_CENTRE},
    {"bear", "gfx/bear.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"bearHand", "gfx/bearHand.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"awardStar", "gfx/award-star.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"awardRibbon", "gfx/award-ribbon.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"howToPlay", "gfx/howtoplay.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
    {"heart", "gfx/star.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0},
};

const ImageRow holidayLogo = {"logoHoliday", "gfx/logo-holiday.tga", LOAD_DEFAULT, NO_ORIGIN_CHANGE, 0};

const TextureRow fontTextures[8] = {
    {"fontTinyTex", "gfx/font/font-tiny.tga", LOAD_FONT_SOURCE},
    {"fontSmallTex", "gfx/font/font-small.tga", LOAD_FONT_SOURCE},
    {"fontMediumTex", "gfx/font/font-medium.tga", LOAD_FONT_SOURCE},
    {"fontMediumOutlineTex", "gfx/font/font-mediumoutline.tga", LOAD_FONT_SOURCE},
    {"fontLargeTex1", "gfx/font/font-largeoutline-1.tga", LOAD_HALVE_TO_FIT},
    {"fontLargeTex2", "gfx/font/font-largeoutline-2.tga", LOAD_HALVE_TO_FIT},
    {"fontLargeTex3", "gfx/font/font-largeoutline-3.tga", LOAD_HALVE_TO_FIT},
    {"fontLargeTex4", "gfx/font/font-largeoutline-4.tga", LOAD_HALVE_TO_FIT},
};

const MusicRow music[6] = {
    {"musicMenu", "sfx/music/theme.ogg"},   {"musicGame1", "sfx/music/game1.ogg"},
    {"musicGame2", "sfx/music/game2.ogg"},  {"musicGame3", "sfx/music/game3.ogg"},
    {"musicGame4", "sfx/music/game3.ogg"},  {"musicHurry", "sfx/music/hurry.ogg"},
};

const SoundRow sounds[34] = {
    {"mouseClick", "sfx/clickXP.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"pop", "sfx/pop.ogg", false, 3, 0.025, 0.0f, 0.5f},
    {"typewriter", "sfx/typewriter.ogg", false, 3, 0.025, 0.0f, 0.5f},
    {"bowSound", "sfx/bow.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"segmentImpact", "sfx/coupling.ogg", false, 2, 0.0, 0.0f, 0.1f},
    {"trainBell", "sfx/trainBell-short.ogg", false, 4, 0.0, 0.0f, 0.0f},
    {"toot", "sfx/tootLong.ogg", false, 2, 0.25, 0.0f, 0.0f},
    {"toot2", "sfx/tootShortx2.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"engineChug", "sfx/chugcontinuous2.ogg", true, 3, 0.25, 0.0f, 0.0f},
    {"stardust", "sfx/stardust.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"boom", "sfx/boom.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"chainClick", "sfx/chainclick.ogg", false, 4, 0.0, 0.0f, 0.0f},
    {"fireballSound", "sfx/guitar1.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"tick", "sfx/clock-tick.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"vibe", "sfx/vibe.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"fireworkBangShort", "sfx/fireworkbang-short.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"fireworkBang", "sfx/fireworkbang.ogg", false, 2, 0.0, 0.0f, 0.5f},
    {"steam", "sfx/airbrake.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"railSqueak", "sfx/railsqueak.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"whistle", "sfx/depart.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"guitar", "sfx/guitar2.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"bell", "sfx/bell.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"bellSmall", "sfx/bellsmall.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"trainSlow", "sfx/clocktick.slow.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"streak", "sfx/jingleX3part.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"extraLife", "sfx/jingle03.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"loseRound", "sfx/jinglelose.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"winRound", "sfx/jinglewin.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"wrong", "sfx/jingle06.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"fireballLaunch", "sfx/fireball.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"handClap", "sfx/hclap60.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"applause1", "sfx/applause-1.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"applause2", "sfx/applause-2.ogg", false, 2, 0.0, 0.0f, 0.0f},
    {"applause3", "sfx/applause-3.ogg", false, 2, 0.0, 0.0f, 0.0f},
};

const SoundRow rocketLaunch = {"fireworkLaunch", "sfx/fireworklaunch.ogg", false, 4, 0.0, 0.0f, 0.2f};

const char* const levelImages[24] = {
    "gfx/scene-A1.jpg",  "gfx/decoration-A1.tga",  "gfx/scene-A8.jpg",  "gfx/decoration-A8.tga",
    "gfx/scene-A12.jpg", "gfx/decoration-A12.tga", "gfx/scene-A5.jpg",  "gfx/decoration-A5.tga",
    "gfx/scene-B3.jpg",  "gfx/decoration-B3.tga",  "gfx/scene-A13.jpg", "gfx/decoration-A13.tga",
    "gfx/scene-B4.jpg",  "gfx/decoration-B4.tga",  "gfx/scene-A2.jpg",  "gfx/decoration-A2.tga",
    "gfx/scene-B2.jpg",  "gfx/decoration-B2.tga",  "gfx/scene-B1.jpg",  "gfx/decoration-B1.tga",
    "gfx/scene-A14.jpg", "gfx/decoration-A14.tga", "gfx/scene-A7.jpg",  "gfx/decoration-A7.tga",
};

void registerResource(QelBase* holder, const UString& name, QelBase* object)
{
    holder->addChildBack(object);
    g_qel->resourceManager->addResource(name, object);
}

void registerFrames(QelBase* holder, const UString& name, Texture* texture)
{
    registerResource(holder, name, texture);
    for (size_t i = 0; i < texture->skins.size(); ++i) {
        g_qel->resourceManager->addResource(formatString("%s:%d", name.c_str(), static_cast<int>(i)),
                                            texture->skins[i]);
    }
}

Texture* loadImage(QelBase* holder, const ImageRow& row)
{
    auto* texture = new Texture(UString(row.file), row.flags);
    registerFrames(holder, UString(row.key), texture);
    if (row.originFrame != NO_ORIGIN_CHANGE && static_cast<size_t>(row.originFrame) < texture->skins.size()) {
        texture->skins[static_cast<size_t>(row.originFrame)]->setOrigin(row.originAnchor);
    }
    return texture;
}

Texture* loadFontTexture(QelBase* holder, const TextureRow& row)
{
    auto* texture = new Texture(UString(row.file), row.flags);
    registerResource(holder, UString(row.key), texture);
    return texture;
}

void loadMusic(QelBase* holder, const MusicRow& row)
{
    registerResource(holder, UString(row.key), new SoundStream(UString(row.file), true));
}

void loadSound(QelBase* holder, const SoundRow& row)
{
    auto* sound = new Sound(UString(row.file), row.loop, row.maxPlaybacks);
    registerResource(holder, UString(row.key), sound);
    sound->minInterval = row.minInterval;
    sound->pitchMin = row.pitchMin;
    sound->pitchMax = row.pitchMax;
}

void addBentHand(Texture* bearHand)
{
    constexpr int BEND_SEGMENTS = 16;
    auto* bend = new BendQuad();
    bend->bVertical = true;
    bend->rebuild();
    bend->copyFrom(static_cast<Quad*>(g_qel->resourceManager->find("bearHand:0", true)));
    bend->columns = BEND_SEGMENTS;
    bend->allocate();
    bend->setOrigin(ANCHOR_LEFT_CENTRE);
    bearHand->skins.push_back(bend);
    g_qel->resourceManager->addResource("bearHand:bend", bend);
}

int loadCodepageTextures(QelBase* holder, const char* filePattern, const UString& codepage,
                         const char* keyPattern, int flags)
{
    int count = 0;
    for (int i = 1;; ++i) {
        const UString file = formatString(filePattern, codepage.c_str(), i);
        if (!g_qel->fileManager->exists(file)) {
            return count;
        }
        registerResource(holder, formatString(keyPattern, i), new Texture(file, flags));
        ++count;
    }
}

} // namespace startup
