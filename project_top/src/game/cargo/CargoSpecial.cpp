#include "game/cargo/CargoSpecial.h"

#include <cmath>
#include <numbers>

#include "game/GameResources.h"
#include "game/MyGlobal.h"
#include "game/controller/GameController.h"
#include "game/dock/Dock.h"
#include "game/effects/Firework.h"
#include "system/SystemUtils.h"

CargoSpecial::CargoSpecial(i32 pieceType, int frame, bool turnsWithCar, UString text)
    : popupText(std::move(text))
{
    isSpecial = true;
    lifeLeft = 10.0;
    type = pieceType;
    setPlacement(gameFrame("bonus", frame), nullptr, nullptr, nullptr);
    setAngleLock(!turnsWithCar);
}

void CargoSpecial::update(double time, double dt)
{
    Cargo::update(time, dt);
    if (dock == nullptr) {
        return;
    }
    const UColor white(255, 255, 255, 255);
    const UColor base = dock->color == white ? UColor(160, 160, 160, 255) : white;
    lerpColor(color, base, dock->color, float(0.5 + 0.5 * std::sin(16.0 * time)));
}

bool CargoSpecial::onCollect()
{
    GameController* game = MyGlobal::liveGame();
    if (game == nullptr) {
        return false;
    }
    const V3 c = boundsCenter;
    game->popupLayer->addChildBack(new Firework(c.x, c.y, c.z, 10, 10.0f, 90.0f, 0.0f,
                                                2.0f * std::numbers::pi_v<float>, 2.0f, UColor(255, 236, 191, 255)));
    game->addScore(c.x, c.y, c.z, points, popupText);
    ++game->bonusesCollected;
    return false;
}
