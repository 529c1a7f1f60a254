#include "game/controller/GameController.h"

#include "game/MyGlobal.h"
#include "game/depth/DepthManager.h"
#include "game/effects/TextBonus.h"
#include "system/StringUtils.h"

QEL_IMPLEMENT_RUNTIME_CLASS(GameController, Context::runtimeClass(), QEL_NO_CREATOR);

GameController::GameController()
    : sceneLayer(new Context())
    , hudLayer(new Context())
    , levelHolder(new QelBase())
    , depthManager(new DepthManager())
    , pieceLayer(new QelBase())
    , popupLayer(new QelBase())
{
    pointerObject = &mousePointer;
    addChildBack(sceneLayer);
    sceneLayer->addChildBack(levelHolder);
    sceneLayer->addChildBack(depthManager);
    sceneLayer->addChildBack(pieceLayer);
    sceneLayer->addChildBack(popupLayer);
    addChildBack(hudLayer);
}

GameController::~GameController()
{
    MyGlobal* global = MyGlobal::instance();
    if (global != nullptr && global->pGameController == this) {
        global->pGameController = nullptr;
    }
    pointerObject = nullptr;
    cargoPicker.openDocks.clear();
}

void GameController::addScore(float x, float y, float z, i32 points, const UString& text)
{
    popupLayer->addChildBack(new TextBonus(x, y, z, text.empty() ? formatString("+%d", points) : text));
    ProfileStore& profiles = g_global->profiles;
    profiles.getProfile(profiles.currentIndex).addScore(points);
}
