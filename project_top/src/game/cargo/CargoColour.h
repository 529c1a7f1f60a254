#pragma once
// The eight colour pieces: each is its frame of the image "cargo" (the
// colour is painted in, not tinted) and differs from the others in nothing
// else. Its type number is its colour number.
#include "game/cargo/CargoNormal.h"

class CargoColour : public CargoNormal {
public:
    explicit CargoColour(i32 colour);
};

class CargoRed : public CargoColour {
public:
    CargoRed() : CargoColour(0) {}
};
class CargoOrange : public CargoColour {
public:
    CargoOrange() : CargoColour(1) {}
};
class CargoYellow : public CargoColour {
public:
    CargoYellow() : CargoColour(2) {}
};
class CargoGreen : public CargoColour {
public:
    CargoGreen() : CargoColour(3) {}
};
class CargoCyan : public CargoColour {
public:
    CargoCyan() : CargoColour(4) {}
};
class CargoBlue : public CargoColour {
public:
    CargoBlue() : CargoColour(5) {}
};
class CargoPurple : public CargoColour {
public:
    CargoPurple() : CargoColour(6) {}
};
class CargoWhite : public CargoColour {
public:
    CargoWhite() : CargoColour(7) {}
};
