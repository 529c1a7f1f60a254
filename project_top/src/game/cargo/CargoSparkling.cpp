#include "game/cargo/CargoSparkling.h"

#include "engine/Qel.h"
#include "game/MyGlobal.h"
#include "game/controller/GameController.h"
#include "game/effects/Firework.h"
#include "graphics/Texture.h"
#include "resource/ResourceManager.h"

CargoSparkling::CargoSparkling(i32 pieceType, const char* image)
{
    type = pieceType;
    auto* frames = static_cast<Texture*>(g_qel->resourceManager->find(image, true));
    setPlacement(frames->skins.at(0), nullptr, nullptr, nullptr);
    spinSpeed = -8.0f;
    spinAlways = true;
}

void CargoSparkling::update(double time, double dt)
{
    Cargo::update(time, dt);
    GameController* game = MyGlobal::liveGame();
    if (game == nullptr || g_global->settings.detail < 1) {
        return;
    }
    trailTimer += dt;
    if (trailTimer >= trailInterval) {
        trailTimer = 0.0;
        if (!isInHiddenDock()) {
            game->popupLayer->addChildFront(makeTrailBurst());
        }
    }
}
