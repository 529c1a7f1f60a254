#include "game/hud/PlayerHUD.h"

#include "engine/Qel.h"
#include "game/GameResources.h"
#include "game/LiveChildren.h"
#include "game/MyGlobal.h"
#include "game/controller/GameController.h"
#include "game/level/Level.h"
#include "game/track/Track.h"
#include "game/world/WorldManager.h"
#include "global/NumberFormat.h"
#include "global/Profile.h"
#include "graphics/FontQuad.h"
#include "graphics/QelGraphics.h"
#include "graphics/Texture.h"
#include "gui/Percentage.h"
#include "language/Language.h"
#include "resource/ResourceManager.h"
#include "system/StringUtils.h"

namespace {

constexpr UColor WHITE(255, 255, 255, 255);
constexpr UColor BLACK(0, 0, 0, 255);
constexpr UColor PERCENT_INK(64, 64, 64, 255);
// Engine debug level bit that shows the game's statistics.
constexpr int DEBUG_GAME_STATISTICS = 0x100;
// A change of score takes half a second to show.
constexpr float BLEND_RATE = 2.0f;

void print(FontQuad* font, float x, float y, float scale, int flags, UColor colour, const UString& text)
{
    Renderable placement;
    const V3 at(x, y, 0.0f);
    const V3 size(scale, scale, 1.0f);
    placement.setPlacement(nullptr, &at, nullptr, &size);
    placement.color = colour;
    font->print(&placement, flags, text);
}

void drawSprite(Skin* skin, float x, float y)
{
    Renderable sprite;
    const V3 at(x, y, 0.0f);
    sprite.setPlacement(skin, &at, nullptr, nullptr);
    sprite.render();
}

} // namespace

PlayerHUD::PlayerHUD(bool level) : inLevel(level)
{
    const V3 at(0.0f, float(g_qel->graphics->fovHeight / 2), 0.0f);
    setPlacement(gameFrame("HUDbar", 0), &at, nullptr, nullptr);
}

void PlayerHUD::update(double time, double dt)
{
    Renderable::update(time, dt);
    const i32 score = WorldManager::currentProfile().score;
    if (!inLevel) {
        title = WorldManager::getLevelTitle(WorldManager::getCurrentLevel());
        displayedScore = score;
        return;
    }
    if (title.empty()) {
        title = WorldManager::getLevelTitle(WorldManager::getCurrentLevel());
    }
    scoreBlend += BLEND_RATE * float(dt);
    if (scoreBlend > 1.0f) {
        scoreBlend = 1.0f;
    }
    if (targetScore != score) {
        fromScore = displayedScore;
        targetScore = score;
        scoreBlend = 0.0f;
    }
    const float rest = 1.0f - scoreBlend;
    const float eased = float(fromScore) + (1.0f - rest * rest) * float(targetScore - fromScore);
    displayedScore = i32(double(eased) + 0.1);
}

void PlayerHUD::render()
{
    const float w2 = float(g_qel->graphics->fovWidth / 2);
    const float h2 = float(g_qel->graphics->fovHeight / 2);
    const Profile& profile = WorldManager::currentProfile();
    const GameController* game = inLevel ? MyGlobal::liveGame() : nullptr;

    Renderable::render();
    print(g_global->fontLarge, -w2 + 4.0f, h2 - 2.0f, 0.5f, 0x82, WHITE, formatNumber(displayedScore));
    if (inLevel) {
        print(g_global->fontLarge, w2 - 72.0f, h2 - 2.0f, 0.5f, 0x04, WHITE,
              g_qel->language->getText(Language::MENU));
    }
    drawSprite(gameFrame("HUDicons", 0), -210.0f, h2 - 12.0f);
    print(g_global->fontMedium, -200.0f, h2, 1.0f, 0x02, WHITE, formatString("%d", profile.lives));
    drawSprite(gameFrame("HUDicons", 1), -160.0f, h2 - 12.0f);
    print(g_global->fontMedium, -150.0f, h2, 1.0f, 0x02, WHITE, formatString("%d", profile.hearts));
    print(g_global->fontMedium, 220.0f, h2, 1.0f, 0x08, WHITE, title);
    if (game != nullptr) {
        Percentage bar(static_cast<Texture*>(g_qel->resourceManager->find("HUDprogress", true)), 0, 1);
        const V3 at(0.0f, h2 - 10.0f, 0.0f);
        bar.setPlacement(nullptr, &at, nullptr, nullptr);
        bar.setValue(game->progress);
        bar.render();
        print(g_global->fontMedium, 0.0f, h2 - 11.0f, 0.6f, 0x14, PERCENT_INK,
              formatString("%.0lf%%", double(game->progress) * 100.0));
        if ((g_qel->debugLevel & DEBUG_GAME_STATISTICS) != 0) {
            renderStatistics();
        }
    }
}

void PlayerHUD::renderStatistics()
{
    const GameController* game = MyGlobal::liveGame();
    FontQuad* font = g_global->fontSmall;
    struct Line {
        float y;
        UString text;
    };
    const Line lines[] = {
        {-10.0f, formatString("stats_shotsFired %d", game->shotsFired)},
        {-20.0f, formatString("stats_correctPlacements %d", game->correctPlacements)},
        {-30.0f, formatString("stats_incorrectPlacements %d", game->incorrectPlacements)},
        {-40.0f, formatString("stats_placementStreak %d", game->placementStreak)},
        {-60.0f, formatString("stats_bonusesSpawned %d", game->bonusesSpawned)},
        {-70.0f, formatString("stats_bonusesCollected %d", game->bonusesCollected)},
        {-80.0f, formatString("stats_gameTime %.1lf", game->endTime - game->startTime)},
        {-90.0f, formatString("now %.1lf", game->time)},
    };
    for (const Line& line : lines) {
        font->printAt(-100.0f, line.y, 0.0f, BLACK, 0x08, line.text);
    }
    if (game->level == nullptr) {
        return;
    }
    int k = 0;
    forEachLive<Track>(*game->level->trackLayer, [&](const Track* track) {
        font->printAt(150.0f, -10.0f * float(k), 0.0f, WHITE, 0x02,
                      formatString("danger=%.3lf", double(track->getDangerProgress())));
        ++k;
    });
    font->printAt(150.0f, -10.0f * float(k), 0.0f, WHITE, 0x02,
                  formatString("MAX=%.3lf", double(game->level->getMaxDanger())));
}
