#pragma once
// The eight bonuses. Each shows its name when collected and then:
// - BonusStop: the trains stand for 5 s;
// - BonusRewind: the trains roll back for 5 s (it turns with its car);
// - BonusWildcard, BonusFireball: the launcher's waiting pieces go and four
//   wildcards or fireballs are loaded next (fireballs before wildcards);
// - BonusColorBomb: every open dock of its dock's colour is filled, its own
//   included, so bonuses in those docks take effect too;
// - BonusBullseye: 20 s more of fast shot;
// - BonusHeart: a heart for the player, a life on a full set;
// - BonusSlow: the trains go slowly for 8 s.
// Timed effects run on the game's clock; a second one of a kind starts the
// time again from now instead of adding to it.
#include "game/cargo/CargoSpecial.h"

class BonusStop : public CargoSpecial {
public:
    BonusStop();
    bool onCollect() override;
};

class BonusRewind : public CargoSpecial {
public:
    BonusRewind();
    bool onCollect() override;
};

class BonusWildcard : public CargoSpecial {
public:
    BonusWildcard();
    bool onCollect() override;
};

class BonusColorBomb : public CargoSpecial {
public:
    BonusColorBomb();
    bool onCollect() override;
    // Takes the dock's colour as its own, and shows it.
    void attachToDock(Dock* d) override;

    i32 bombColour = 0;
};

class BonusFireball : public CargoSpecial {
public:
    BonusFireball();
    bool onCollect() override;
};

class BonusBullseye : public CargoSpecial {
public:
    BonusBullseye();
    bool onCollect() override;
};

// A heart that beats through the frames of "heart" over a red flare that
// throbs and spins behind it.
class BonusHeart : public CargoSpecial {
public:
    BonusHeart();
    void update(double time, double dt) override;
    void render() override;
    bool onCollect() override;

    float heartPhase = 0.0f;
    Renderable flare;
};

class BonusSlow : public CargoSpecial {
public:
    BonusSlow();
    bool onCollect() override;
};
