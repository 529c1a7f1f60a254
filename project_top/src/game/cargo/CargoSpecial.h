#pragma once
// A bonus: a special piece the game puts into an empty open dock. It never
// dies as unwanted, lives 10 s in its dock and pulses between a light tint
// and its dock's colour there. Collected (brought home by the claw, or
// replaced by a piece that fills its dock correctly) it bursts into sparks,
// shows its name with no points, counts for the level and, in each kind,
// takes its effect and is used up. A wrong piece shot into its dock
// destroys it without effect.
#include "game/cargo/Cargo.h"
#include "system/UString.h"

class CargoSpecial : public Cargo {
public:
    ~CargoSpecial() override = default;

    void update(double time, double dt) override;
    // The sparks, the name popup and the count; false.
    bool onCollect() override;

    UString popupText;
    i32 points = 0;

protected:
    // Frame `frame` of the image "bonus" as the sprite, upright unless
    // `turnsWithCar`.
    CargoSpecial(i32 pieceType, int frame, bool turnsWithCar, UString text);
};
