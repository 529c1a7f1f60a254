#include "game/win/WinFireworkFuse.h"

#include <cmath>
#include <numbers>

#include "audio/Sound.h"
#include "engine/Qel.h"
#include "game/effects/Firework.h"
#include "game/win/WinFirework.h"
#include "global/Global.h"
#include "graphics/Skin.h"
#include "math/RandomSource.h"
#include "resource/ResourceManager.h"
#include "system/SystemUtils.h"

namespace {

constexpr float FULL_CIRCLE = float(2.0 * std::numbers::pi);

// A yellow to orange drawn at random.
UColor sparkColour()
{
    UColor colour;
    lerpColor(colour, UColor(255, 255, 0, 255), UColor(255, 160, 0, 255), float(RandomSource::fraction()));
    return colour;
}

} // namespace

WinFireworkFuse::WinFireworkFuse(float x, float y, float z, float vx, float vy, float vz, double fuseMin,
                                 double fuseMax)
    : velocity(vx, vy, vz)
    , fuseTime(fuseMin + RandomSource::fraction() * (fuseMax - fuseMin))
{
    const V3 at(x, y, z);
    setPlacement(static_cast<Skin*>(g_qel->resourceManager->find("fireball:0", true)), &at, nullptr, nullptr);
}

void WinFireworkFuse::update(double time, double dt)
{
    QelBase::update(time, dt);
    const V3 before = position;
    velocity += acceleration * float(dt);
    position += velocity * float(dt);
    updateXform();
    age += dt;
    if (age >= fuseTime) {
        burst(float(std::atan2(position.y - before.y, position.x - before.x)));
    }
    if (g_global->settings.detail > 0) {
        leaveTrail(dt);
    }
}

void WinFireworkFuse::burst(float direction)
{
    QelBase* layer = getParent();
    const V3 at = boundsCenter;
    const float k = scale.x;
    layer->addChildBack(new WinFirework(at.x, at.y, at.z, 10, 150.0f, 200.0f, direction, float(std::numbers::pi),
                                        1.0f, UColor(255, 255, 255, 255)));
    layer->addChildBack(new Firework(at.x, at.y, at.z, 10, 40.0f * k, 80.0f * k, 0.0f, FULL_CIRCLE, 3.0f,
                                     sparkColour()));
    static_cast<Sound*>(g_qel->resourceManager->find("fireworkBang", true))->play();
    bDead = 1;
}

void WinFireworkFuse::leaveTrail(double dt)
{
    trailTime += dt;
    if (trailTime < trailPeriod) {
        return;
    }
    trailTime = 0.0;
    const V3 at = boundsCenter;
    const float k = scale.x;
    getParent()->addChildFront(
        new Firework(at.x, at.y, at.z, 2, 40.0f * k, 80.0f * k, 0.0f, FULL_CIRCLE, 3.0f, sparkColour()));
}
