#pragma once
// The engine at the head of every train: no docks. It puffs smoke while its
// point ahead of the sprite's centre is in view, rings its bell and scores
// 100 points every 100 units while its complete train leaves before the
// tunnel, and, removed from inside a merged train, puffs and booms out.
#include "game/car/Car.h"

class CarEngine : public Car {
public:
    CarEngine();
    ~CarEngine() override = default;

    void update(double time, double dt) override;
    void checkFilled() override;

    double smokeTimer = 0.0;
    double smokeInterval = 0.025;
    float smokeOffset = 4.0f;
    // The lambda at which the bell rings next; 0 = not armed yet.
    float nextBellLambda = 0.0f;

private:
    void ringBell();
    void puffSmoke(double dt);
};
