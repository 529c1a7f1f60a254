#include "game/effects/Heart.h"

#include <algorithm>
#include <cmath>

#include "engine/Qel.h"
#include "graphics/Skin.h"
#include "graphics/Texture.h"
#include "resource/ResourceManager.h"

Heart::Heart(float x, float y, float z)
    : basePosition(x, y, z)
    , frames(static_cast<Texture*>(g_qel->resourceManager->find("heart", true)))
{
    flare.setPlacement(static_cast<Skin*>(g_qel->resourceManager->find("flare:0", true)), &basePosition, nullptr,
                       nullptr);
    const V3 size(1.5f, 1.5f, 1.0f);
    setPlacement(frames->skins.front(), &basePosition, nullptr, &size);
}

void Heart::update(double, double dt)
{
    life += 0.5 * dt;
    if (life > 1.0) {
        bDead = 1;
        return;
    }
    framePhase += float(dt);
    framePhase -= std::floor(framePhase);
    const int shown = std::max(0, int(framePhase * float(int(frames->skins.size()) - 1)));
    if (shown != frame) {
        frame = shown;
        pSkin = frames->skins[size_t(frame)];
    }
    basePosition.y += float(100.0 * dt);
    const auto swing = float(24.0 - 24.0 * life);
    position = V3(basePosition.x + swing * float(std::cos(16.0 * life)), basePosition.y, basePosition.z);
    const auto size = float(1.5 - 1.5 * life * life);
    scale = V3(size, size, 1.0f);
    updateXform();

    flare.position = position;
    flare.scale = scale * 3.0f;
    flare.rotation.z += float(2.0 * dt);
    flare.updateXform();
}

void Heart::render()
{
    flare.render();
    Renderable::render();
}
