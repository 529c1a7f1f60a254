#pragma once
// The world map's play button, found among its HUD layer's objects.
#include "game/world/MenuButtonPlay.h"
#include "game/world/WorldManager.h"

inline MenuButtonPlay* playButtonOf(const WorldManager& map)
{
    for (BasicLink* link = map.hudLayer->firstChild; link != nullptr; link = link->next) {
        if (auto* button = dynamic_cast<MenuButtonPlay*>(static_cast<QelBase*>(link))) {
            return button;
        }
    }
    return nullptr;
}
