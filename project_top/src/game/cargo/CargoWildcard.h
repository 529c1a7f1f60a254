#pragma once
// The piece that fills a dock of any colour; its trail sparkles in random
// colours.
#include "game/cargo/CargoSparkling.h"

class CargoWildcard : public CargoSparkling {
public:
    CargoWildcard();
    ~CargoWildcard() override = default;

protected:
    Firework* makeTrailBurst() override;
};
