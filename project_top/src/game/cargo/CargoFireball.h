#pragma once
// The piece that forces a correct fill into every open dock it touches. It
// is fired with a sound of its own, collides a little more tightly than the
// other pieces, and its trail glows yellow to orange.
#include "game/cargo/CargoSparkling.h"

class CargoFireball : public CargoSparkling {
public:
    CargoFireball();
    ~CargoFireball() override = default;

    void setupSprite() override;

protected:
    Firework* makeTrailBurst() override;
};
