#include "game/cargo/CargoNormal.h"

#include "engine/Qel.h"
#include "graphics/QelGraphics.h"
#include "math/RandomSource.h"

namespace {
bool dropShadows()
{
    return g_qel->graphics != nullptr && g_qel->graphics->bTextShadows;
}
} // namespace

CargoNormal::CargoNormal()
{
    shadow.color = UColor(0, 0, 0, 64);
    const double u = RandomSource::fraction();
    const float sign = RandomSource::next() % 2 == 1 ? 1.0f : -1.0f;
    spinSpeed = float(4.0 + 12.0 * u) * sign;
    shadow.updateXform();
    updateXform();
}

void CargoNormal::render()
{
    if (dropShadows()) {
        shadow.render();
    }
    Renderable::render();
}

void CargoNormal::updateXform()
{
    Renderable::updateXform();
    if (!dropShadows()) {
        return;
    }
    if (shadow.pSkin == nullptr && pSkin != nullptr) {
        shadow.setPlacement(pSkin, nullptr, nullptr, nullptr);
    }
    shadow.setPostXform(xform);
}
