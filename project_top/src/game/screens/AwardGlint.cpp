#include "game/screens/AwardGlint.h"

#include <cmath>
#include <numbers>

#include "game/GameResources.h"

AwardGlint::AwardGlint(float x, float y, float z)
{
    const V3 at(x, y, z);
    setPlacement(gameFrame("flare", 0), &at, nullptr, nullptr);
}

void AwardGlint::update(double time, double dt)
{
    Renderable::update(time, dt);
    const double age = timeInState;
    if (age >= 1.0) {
        bDead = 1;
        return;
    }
    rotation.z = float(4.0 * age);
    setScaleXY(float(3.0 * std::sin(std::numbers::pi * age)));
}
