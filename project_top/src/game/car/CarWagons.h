#pragma once
// The cars that carry cargo: one, two and three docks, spaced along the
// body front first. They differ from each other in nothing else.
#include "game/car/Car.h"

class Car1 : public Car {
public:
    Car1() : Car(1) { addDocks({-1.0f}); }
};

class Car2 : public Car {
public:
    Car2() : Car(2) { addDocks({14.0f, -19.0f}); }
};

class Car3 : public Car {
public:
    Car3() : Car(3) { addDocks({31.0f, 0.0f, -31.0f}); }
};
