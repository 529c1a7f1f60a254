#include "game/effects/Smoke.h"

#include "graphics/Texture.h"

Smoke::Smoke(float x, float y, float z, int count, float speedMin, float speedMax, float angle, float angleRange,
             float scale, UColor colour)
    : SparcEmitter(3.0f, "smoke", count, speedMax, scale)
{
    for (int i = 0; i < this->count; ++i) {
        Sparc& sparc = sparcs[size_t(i)];
        sparc.scale = V3(scale, scale, sparc.scale.z);
        sparc.color = colour;
        sparc.position = V3(x, y, z);
        sparc.rotation.z = drawTurn();
        startMotion(sparc, speedMin, angle, angleRange, drawOffset(angleRange));
        sparc.setPlacement(pTexture->skins[size_t(frameFor(sparc))], nullptr, nullptr, nullptr);
    }
}

int Smoke::frameFor(const Sparc& sparc) const
{
    const int last = int(pTexture->skins.size()) - 1;
    const int frame = int(float(last) * (speedMax - sparc.life) / speedMax);
    if (frame <= 0) {
        return 0;
    }
    return frame < last ? frame : last;
}

void Smoke::update(double, double dt)
{
    if (!anyAlive()) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        Sparc& sparc = sparcs[size_t(i)];
        if (sparc.life > 0.0f) {
            const V3 moved = sparc.position + V3(sparc.vx, sparc.vy, 0.0f) * float(dt);
            sparc.age = 1.0f - sparc.life / (sparc.life0 + 1.0f);
            const float s = (0.25f + 0.75f * sparc.age) * scale;
            const V3 size(s, s, 1.0f);
            sparc.setPlacement(pTexture->skins[size_t(frameFor(sparc))], &moved, nullptr, &size);
            sparc.life -= decay * float(dt);
        }
    }
}
