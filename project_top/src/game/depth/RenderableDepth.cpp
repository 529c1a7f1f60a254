#include "game/depth/RenderableDepth.h"

#include "engine/QelAssert.h"
#include "game/MyGlobal.h"
#include "game/controller/GameController.h"
#include "game/depth/DepthManager.h"

QEL_IMPLEMENT_RUNTIME_CLASS(RenderableDepth, Renderable::runtimeClass(), QEL_NO_CREATOR);

namespace {

DepthManager* liveDepthManager()
{
    GameController* game = MyGlobal::liveGame();
    QEL_ASSERT(game != nullptr);
    return game->depthManager;
}

} // namespace

RenderableDepth::RenderableDepth()
    : RenderableDepth(liveDepthManager())
{
}

RenderableDepth::RenderableDepth(DepthManager* manager)
    : depthManager(manager)
{
    QEL_ASSERT(depthManager != nullptr);
    depthManager->addDepth(this);
}

RenderableDepth::~RenderableDepth()
{
    if (depthManager != nullptr) {
        depthManager->removeDepth(this);
    }
}

void RenderableDepth::render()
{
}

void RenderableDepth::renderDepth()
{
    Renderable::render();
}
