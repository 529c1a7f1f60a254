#include "game/cargo/CargoWildcard.h"

#include <numbers>

#include "game/effects/Firework.h"
#include "global/Random.h"

CargoWildcard::CargoWildcard() : CargoSparkling(TYPE_WILDCARD, "wildcard")
{
}

Firework* CargoWildcard::makeTrailBurst()
{
    const UColor colour = randomColour();
    return new Firework(position.x, position.y, position.z, 2, 40.0f, 50.0f, 0.0f, float(2.0 * std::numbers::pi),
                        2.0f, colour);
}
