#include "game/cargo/CargoNormal.h"

#include "game/GameResources.h"
#include "game/level/Level.h"
#include "math/RandomSource.h"

CargoNormal::CargoNormal()
{
    shadow.color = UColor(0, 0, 0, 64);
    shadow.position = Level::liveLightVector() * 4.0f;
    const double u = RandomSource::fraction();
    const float sign = RandomSource::next() % 2 == 1 ? 1.0f : -1.0f;
    spinSpeed = float(4.0 + 12.0 * u) * sign;
    shadow.updateXform();
    updateXform();
}

void CargoNormal::render()
{
    if (dropShadowsOn()) {
        shadow.render();
    }
    Renderable::render();
}

void CargoNormal::updateXform()
{
    Renderable::updateXform();
    if (!dropShadowsOn()) {
        return;
    }
    if (shadow.pSkin == nullptr && pSkin != nullptr) {
        shadow.setPlacement(pSkin, nullptr, nullptr, nullptr);
    }
    shadow.setPostXform(xform);
}
