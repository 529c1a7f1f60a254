#include "game/effects/MousePointerCustom.h"

#include "engine/Qel.h"
#include "game/MyGlobal.h"
#include "game/controller/GameController.h"
#include "graphics/Texture.h"
#include "resource/ResourceManager.h"

MousePointerCustom::MousePointerCustom()
    : pTexture(static_cast<Texture*>(g_qel->resourceManager->find("mousePointer", true)))
{
    bSkipVisibility = 1;
    setPlacement(pTexture->skins.at(1), nullptr, nullptr, nullptr);
}

void MousePointerCustom::update(double, double)
{
    const GameController* game = MyGlobal::liveGame();
    if (game != nullptr) {
        position = V3(game->sceneLayer->mouseWorld.x, game->sceneLayer->mouseWorld.y, 0.0f);
    }
    updateXform();
}
