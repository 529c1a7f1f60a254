#include "game/cargo/CargoSparkling.h"

#include "game/GameResources.h"
#include "game/MyGlobal.h"
#include "game/controller/GameController.h"
#include "game/effects/Firework.h"

CargoSparkling::CargoSparkling(i32 pieceType, const char* image)
{
    type = pieceType;
    setPlacement(gameFrame(image, 0), nullptr, nullptr, nullptr);
    spinSpeed = -8.0f;
    spinAlways = true;
}

void CargoSparkling::update(double time, double dt)
{
    Cargo::update(time, dt);
    GameController* game = MyGlobal::liveGame();
    if (game == nullptr || !detailOn()) {
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
