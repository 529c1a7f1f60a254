#pragma once
// The fan a rocket bursts into: cargo sprites (each a random frame of the
// cargo image) thrown across the fan, tumbling at their own spin and
// falling under gravity. The sprites toward the fan's edges are smaller;
// none ever loses life. The burst is over once every sprite has fallen
// below the bottom of the view.
#include "game/effects/SparcEmitter.h"

class WinFirework : public SparcEmitter {
public:
    WinFirework(float x, float y, float z, int count, float speedMin, float speedMax, float angle, float angleRange,
                float scale, UColor colour);
    ~WinFirework() override = default;

    void update(double time, double dt) override;

    // Downward pull, units per second squared.
    static constexpr float GRAVITY = 128.0f;
};
