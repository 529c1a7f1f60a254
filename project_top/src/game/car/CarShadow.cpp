#include "game/car/CarShadow.h"

#include "engine/Qel.h"
#include "game/GameResources.h"
#include "graphics/QelGraphics.h"

CarShadow::CarShadow()
{
    color = UColor(0, 0, 0, 64);
    coupling.setPlacement(gameFrame("car", 4), nullptr, nullptr, nullptr);
}

void CarShadow::renderDepth()
{
    if (bHidden || !detailOn()) {
        return;
    }
    if (dropShadowsOn()) {
        Renderable::render();
    }
    coupling.render();
}
