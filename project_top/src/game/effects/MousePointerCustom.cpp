#include "game/effects/MousePointerCustom.h"

#include "context/ContextManager.h"
#include "engine/Qel.h"
#include "game/MyGlobal.h"
#include "game/controller/GameController.h"
#include "graphics/Camera.h"
#include "graphics/Texture.h"
#include "input/QelInput.h"
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
        // The scene's point under the mouse now: the stack ticks the pointer
        // before the scene takes this frame's mouse.
        const Context* scene = game->sceneLayer;
        const V3 mouse = g_qel->input != nullptr ? g_qel->input->mousePosition : V3();
        const V3 aimed = scene->camera->screen2world(mouse.x, mouse.y, 0.0f);
        // The screen stack draws the pointer through its own camera, not
        // the scene's.
        const Context* stack = g_global != nullptr ? g_global->contextManager : nullptr;
        const V3 drawn = stack != nullptr ? stack->worldFromContext(scene, aimed) : aimed;
        position = V3(drawn.x, drawn.y, 0.0f);
    }
    updateXform();
}
