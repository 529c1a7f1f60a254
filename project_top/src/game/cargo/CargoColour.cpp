#include "game/cargo/CargoColour.h"

#include "game/GameResources.h"

CargoColour::CargoColour(i32 colour)
{
    type = colour;
    setPlacement(gameFrame("cargo", colour), nullptr, nullptr, nullptr);
}
