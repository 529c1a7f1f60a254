#include "game/screens/Award.h"

#include <cmath>
#include <numbers>

#include "audio/Sound.h"
#include "engine/Qel.h"
#include "game/GameResources.h"
#include "game/screens/AwardGlint.h"
#include "game/tutorial/SpeechBubble.h"
#include "game/world/WorldManager.h"
#include "global/Global.h"
#include "global/NumberFormat.h"
#include "global/Profile.h"
#include "language/Language.h"
#include "math/RandomSource.h"
#include "text/RenderableText.h"

namespace {

struct AwardLook {
    UColor star;
    i32 points;
    Language::StringsEnum name;
};

// By kind: bronze, silver, gold.
constexpr AwardLook looks[3] = {
    {{206, 101, 4, 255}, 1000, Language::BRONZEAWARD},
    {{255, 255, 255, 255}, 3000, Language::SILVERAWARD},
    {{255, 223, 148, 255}, 5000, Language::GOLDAWARD},
};

// The glint ring around the award.
constexpr float GLINT_RADIUS = 40.0f;
// The award's name stands this far under it.
constexpr float NAME_DROP = 120.0f;

} // namespace

Award::Award(int awardKind, float ax, float ay, float az, double delay)
    : kind(awardKind), x(ax), y(ay), z(az), points(pointsOf(awardKind))
{
    const V3 at(x, y, z);
    if (kind == NONE) {
        auto* none = new RenderableText(x, y, z, g_qel->language->getText(Language::NOAWARD), g_global->fontMedium,
                                        SpeechBubble::INK);
        none->setScaleXY(0.75f);
        none->printFlags = 0x15;
        none->bShadowed = false;
        addChildBack(none);
    } else {
        const AwardLook& look = looks[kind];
        auto* ribbon = new Renderable();
        ribbon->setPlacement(gameFrame("awardRibbon", 0), &at, nullptr, nullptr);
        addChildBack(ribbon);
        auto* star = new Renderable();
        star->setPlacement(gameFrame("awardStar", 0), &at, nullptr, nullptr);
        star->color = look.star;
        addChildBack(star);
        auto* value = new RenderableText(x, y, z, formatNumber(points), g_global->fontMedium, look.star);
        value->printFlags = 0x15;
        addChildBack(value);
        auto* name = new RenderableText(x, y - NAME_DROP, z, g_qel->language->getText(look.name),
                                        g_global->fontMediumOutline, look.star);
        name->setScaleXY(0.75f);
        name->printFlags = 0x15;
        addChildBack(name);
    }
    StateBase::setState(SHOWN, delay, false);
}

Award::~Award()
{
    if (!awarded) {
        WorldManager::currentProfile().addScore(points);
    }
}

int Award::kindOf(float rating)
{
    const double r = rating;
    if (r > 0.9) {
        return GOLD;
    }
    if (r > 0.8) {
        return SILVER;
    }
    if (r > 0.7) {
        return BRONZE;
    }
    return NONE;
}

i32 Award::pointsOf(int awardKind)
{
    return awardKind >= BRONZE && awardKind <= GOLD ? looks[awardKind].points : 0;
}

void Award::update(double time, double dt)
{
    if (state == SHOWN && kind != NONE && glintTime < time) {
        if (glintTime > 0.0) {
            const double a = 2.0 * std::numbers::pi * RandomSource::fraction();
            addChildBack(new AwardGlint(x + GLINT_RADIUS * float(std::cos(a)), y + GLINT_RADIUS * float(std::sin(a)), z));
        }
        glintTime = time + double(4 - kind) * RandomSource::fraction();
    }
    QelBase::update(time, dt);
}

void Award::render()
{
    if (state == SHOWN) {
        QelBase::render();
    }
}

void Award::onStateChange()
{
    if (state == SHOWN && kind != NONE) {
        gameSound("bell")->playAtFrequency(1.0f + 0.25f * float(kind));
        WorldManager::currentProfile().addScore(points);
        awarded = true;
    }
}
