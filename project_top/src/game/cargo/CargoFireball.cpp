#include "game/cargo/CargoFireball.h"

#include <numbers>

#include "audio/Sound.h"
#include "engine/Qel.h"
#include "game/effects/Firework.h"
#include "math/RandomSource.h"
#include "resource/ResourceManager.h"
#include "system/SystemUtils.h"

CargoFireball::CargoFireball() : CargoSparkling(TYPE_FIREBALL, "fireball")
{
    launchSound = static_cast<Sound*>(g_qel->resourceManager->find("fireballLaunch", true));
}

void CargoFireball::setupSprite()
{
    Cargo::setupSprite();
    collisionSensitivity = 0.85f;
}

Firework* CargoFireball::makeTrailBurst()
{
    UColor colour;
    lerpColor(colour, UColor(255, 255, 0, 255), UColor(255, 160, 0, 255), float(RandomSource::fraction()));
    return new Firework(position.x, position.y, position.z, 2, 40.0f * scale.x, 80.0f * scale.x, 0.0f,
                        float(2.0 * std::numbers::pi), 3.0f, colour);
}
