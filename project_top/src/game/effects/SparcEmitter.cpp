#include "game/effects/SparcEmitter.h"

#include <cmath>
#include <numbers>

#include "engine/Qel.h"
#include "graphics/Texture.h"
#include "math/RandomSource.h"
#include "resource/ResourceManager.h"

namespace {
// The full circle as callers pass it, in single precision.
constexpr float FULL_CIRCLE = float(2.0 * std::numbers::pi);
} // namespace

SparcEmitter::SparcEmitter(float decayPerSecond, const char* textureName, int particleCount, float maxSpeed,
                           float sizeScale)
    : decay(decayPerSecond)
    , sparcs(new Sparc[size_t(particleCount > 0 ? particleCount : 0)])
    , count(particleCount > 0 ? particleCount : 0)
    , speedMax(maxSpeed)
    , scale(sizeScale)
    , pTexture(static_cast<Texture*>(g_qel->resourceManager->find(textureName, true)))
{
}

double SparcEmitter::drawOffset(float angleRange)
{
    return RandomSource::fraction() * angleRange - angleRange / 2.0;
}

float SparcEmitter::drawTurn()
{
    return float(RandomSource::fraction() * 2.0 * std::numbers::pi);
}

void SparcEmitter::startMotion(Sparc& sparc, float speedMin, float angle, float angleRange, double offset)
{
    const double direction = angle + offset;
    sparc.life = float(speedMin + RandomSource::fraction() * (speedMax - speedMin));
    sparc.vx = float(sparc.life * std::cos(direction));
    sparc.vy = float(sparc.life * std::sin(direction));
    if (angleRange > 0.0f && angleRange < FULL_CIRCLE) {
        sparc.life = float(sparc.life * (1.0 - 0.9 * std::fabs(offset / (angleRange / 2.0))));
    }
    sparc.life0 = sparc.life;
}

bool SparcEmitter::anyAlive()
{
    for (int i = 0; i < count; ++i) {
        if (sparcs[size_t(i)].life > 0.0f) {
            return true;
        }
    }
    bDead = 1;
    return false;
}

void SparcEmitter::render()
{
    for (int i = 0; i < count; ++i) {
        if (sparcs[size_t(i)].life > 0.0f) {
            sparcs[size_t(i)].render();
        }
    }
}
