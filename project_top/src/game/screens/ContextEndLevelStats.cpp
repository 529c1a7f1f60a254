#include "game/screens/ContextEndLevelStats.h"

#include <cmath>

#include "engine/Qel.h"
#include "game/GameResources.h"
#include "game/MyGlobal.h"
#include "game/controller/GameController.h"
#include "game/effects/TextBonus.h"
#include "game/mascot/Bear.h"
#include "game/screens/Award.h"
#include "game/screens/ScreenBelow.h"
#include "game/tutorial/SpeechBubble.h"
#include "game/world/WorldManager.h"
#include "global/Profile.h"
#include "graphics/QelGraphics.h"
#include "language/Language.h"
#include "system/StringUtils.h"
#include "text/RenderableText.h"

namespace {

constexpr UColor WHITE(255, 255, 255, 255);

// One column of the page: its label, where it stands and when its award
// shows.
struct Column {
    Language::StringsEnum label;
    float x;
    double awardDelay;
};
constexpr Column columns[3] = {
    {Language::STATSPEED, -200.0f, 1.25},
    {Language::STATACCURACY, 0.0f, 1.75},
    {Language::STATEFFICIENCY, 200.0f, 2.25},
};

constexpr double COUNT_START = 0.5;
constexpr double BONUS_TIME = 2.5;

// Limited to [0, 1]; what is not a number rates nothing.
float clampRating(double r)
{
    if (!(r > 0.0)) {
        return 0.0f;
    }
    return r < 1.0 ? float(r) : 1.0f;
}

// The overall bonus earned by three ratings, with its applause.
struct Bonus {
    i32 points;
    const char* applause;
};
Bonus bonusFor(const float ratings[3])
{
    bool perfect = true;
    bool excellent = true;
    for (int i = 0; i < 3; ++i) {
        perfect = perfect && ratings[i] == 1.0f;
        excellent = excellent && double(ratings[i]) > 0.9;
    }
    if (perfect) {
        return {50000, "applause3"};
    }
    if (excellent) {
        return {10000, "applause2"};
    }
    return {0, nullptr};
}

} // namespace

float ContextEndLevelStats::rateSpeed(double startTime, double endTime, i32 totalDocks)
{
    if (totalDocks <= 0) {
        return 0.0f;
    }
    const float perDock = float((endTime - startTime) / double(totalDocks));
    if (perDock <= 0.0f) {
        return perDock == 0.0f ? 1.0f : 0.0f;
    }
    return clampRating(1.1 / double(perDock));
}

float ContextEndLevelStats::rateAccuracy(i32 correct, i32 incorrect)
{
    const double placed = double(correct) + double(incorrect);
    return placed > 0.0 ? clampRating(double(correct) / placed) : 0.0f;
}

float ContextEndLevelStats::rateEfficiency(i32 bonusesSpawned, i32 bonusesCollected, i32 correct, i32 incorrect,
                                           i32 shotsFired)
{
    const double a = bonusesSpawned == 0 ? 0.5 : 0.5 * double(bonusesCollected) / double(bonusesSpawned);
    const double b = shotsFired > 0 ? 0.5 * (double(correct) + double(incorrect)) / double(shotsFired) : 0.0;
    return clampRating(a + b);
}

ContextEndLevelStats::ContextEndLevelStats()
{
    bSkippable = 1;
    bDeleteWhenFinished = 1;

    const GameController* game = MyGlobal::liveGame();
    ratings[SPEED] = rateSpeed(game->startTime, game->endTime, game->totalDocks);
    ratings[ACCURACY] = rateAccuracy(game->correctPlacements, game->incorrectPlacements);
    ratings[EFFICIENCY] = rateEfficiency(game->bonusesSpawned, game->bonusesCollected, game->correctPlacements,
                                         game->incorrectPlacements, game->shotsFired);

    const Language* language = g_qel->language;
    addChildBack(new Bear());
    auto* bubble = new SpeechBubble(640.0f, 350.0f);
    const V3 centre(0.0f, 70.0f, 0.0f);
    bubble->setPlacement(nullptr, &centre, nullptr, nullptr);
    addChildBack(bubble);
    addBubbleText(this, 0.0f, 190.0f, language->getText(Language::LEVELCOMPLETE), g_global->fontLarge, WHITE)
        ->printFlags = 0x15;
    for (int i = 0; i < 3; ++i) {
        const Column& column = columns[i];
        addBubbleText(this, column.x, 150.0f, language->getText(column.label), g_global->fontMedium, SpeechBubble::INK);
        valueTexts[i] = addBubbleText(this, column.x, 130.0f, UString(), g_global->fontLarge, WHITE);
        addChildBack(new Award(Award::kindOf(ratings[i]), column.x, 0.0f, 0.0f, column.awardDelay));
    }
    const int h = g_qel->graphics->fovHeight;
    addBubbleText(this, 0.0f, float(10 - h / 2), language->getText(Language::CLICKTOCONTINUE),
                  g_global->fontMediumOutline, WHITE)
        ->printFlags = 0x25;
}

void ContextEndLevelStats::tickContents(double time, double dt)
{
    if (GameController* game = MyGlobal::liveGame()) {
        game->hudLayer->tick(time, dt);
    }
    if (crossed(time, dt, COUNT_START)) {
        playSound("bellSmall");
    }
    float p = float((time - COUNT_START) * 2.0);
    p = p < 0.0f ? 0.0f : (p > 1.0f ? 1.0f : p);
    for (int i = 0; i < 3; ++i) {
        const float shown = (p * ratings[i] + 0.0f) * 100.0f;
        valueTexts[i]->text = formatString("%d%%", int(shown));
    }
    if (crossed(time, dt, BONUS_TIME)) {
        const Bonus bonus = bonusFor(ratings);
        if (bonus.points > 0) {
            playSound(bonus.applause);
            WorldManager::currentProfile().addScore(bonus.points);
            const int h = g_qel->graphics->fovHeight;
            addChildBack(new TextBonus(0.0f, float(-(h / 2) + 100), 0.0f, formatString("+%d", bonus.points)));
        }
    }
    Context::tickContents(time, dt);
}

void ContextEndLevelStats::renderContents()
{
    drawScreenBelow(this);
    Context::renderContents();
}
