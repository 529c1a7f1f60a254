#include "game/cargo/CargoColour.h"

#include "engine/Qel.h"
#include "graphics/Texture.h"
#include "resource/ResourceManager.h"

CargoColour::CargoColour(i32 colour)
{
    type = colour;
    auto* frames = static_cast<Texture*>(g_qel->resourceManager->find("cargo", true));
    setPlacement(frames->skins.at(size_t(colour)), nullptr, nullptr, nullptr);
}
