#include "game/win/WinFirework.h"

#include <cmath>
#include <numbers>

#include "engine/Qel.h"
#include "graphics/QelGraphics.h"
#include "graphics/Texture.h"
#include "math/RandomSource.h"

WinFirework::WinFirework(float x, float y, float z, int count, float speedMin, float speedMax, float angle,
                         float angleRange, float scale, UColor colour)
    : SparcEmitter(128.0f, "cargo", count, speedMax, scale)
{
    const bool fan = angleRange > 0.0f && angleRange < float(2.0 * std::numbers::pi);
    for (int i = 0; i < this->count; ++i) {
        Sparc& sparc = sparcs[size_t(i)];
        const double offset = drawOffset(angleRange);
        sparc.position = V3(x, y, z);
        // The fan shapes the size here, not the life.
        startMotion(sparc, speedMin, angle, 0.0f, offset);
        if (fan) {
            sparc.setScaleXY(float(1.25 - 0.5 * std::fabs(offset / (angleRange / 2.0))));
        }
        const auto turn = float(2.0 + 6.0 * RandomSource::fraction());
        sparc.spin = RandomSource::next() % 2 == 0 ? turn : -turn;
        sparc.color = colour;
        sparc.setPlacement(pTexture->skins[size_t(RandomSource::below(int(pTexture->skins.size())))], nullptr,
                           nullptr, nullptr);
    }
}

void WinFirework::update(double, double dt)
{
    const auto bottom = float(-(g_qel->graphics->fovHeight / 2) - 32);
    bool anyInView = false;
    for (int i = 0; i < count; ++i) {
        Sparc& sparc = sparcs[size_t(i)];
        if (sparc.life <= 0.0f) {
            continue;
        }
        const V3 moved = sparc.position + V3(sparc.vx, sparc.vy, 0.0f) * float(dt);
        const V3 turned(sparc.rotation.x, sparc.rotation.y, sparc.rotation.z + sparc.spin * float(dt));
        sparc.vy -= GRAVITY * float(dt);
        sparc.setPlacement(nullptr, &moved, &turned, nullptr);
        anyInView = anyInView || moved.y > bottom;
    }
    if (!anyInView) {
        bDead = 1;
    }
}
