#include "game/effects/Firework.h"

#include "global/Random.h"
#include "graphics/Texture.h"

Firework::Firework(float x, float y, float z, int count, float speedMin, float speedMax, float angle,
                   float angleRange, float scale, UColor colour)
    : SparcEmitter(128.0f, "flare", count, speedMax, scale)
{
    const bool randomColours = colour.toWord() == 0;
    for (int i = 0; i < this->count; ++i) {
        Sparc& sparc = sparcs[size_t(i)];
        const double offset = drawOffset(angleRange);
        sparc.position = V3(x, y, z);
        sparc.rotation.z = drawTurn();
        startMotion(sparc, speedMin, angle, angleRange, offset);
        sparc.color = randomColours ? randomColour() : colour;
        place(sparc);
    }
}

void Firework::place(Sparc& sparc)
{
    const float s = (sparc.life / speedMax) * (scale - 0.1f) + 0.1f;
    const V3 size(s, s, 2.0f);
    sparc.setPlacement(pTexture->skins.front(), nullptr, nullptr, &size);
}

void Firework::update(double, double dt)
{
    if (!anyAlive()) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        Sparc& sparc = sparcs[size_t(i)];
        if (sparc.life > 0.0f) {
            sparc.position += V3(sparc.vx, sparc.vy, 0.0f) * float(dt);
            place(sparc);
            sparc.life -= decay * float(dt);
        }
    }
}
