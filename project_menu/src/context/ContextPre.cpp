#include "context/ContextPre.h"

#include "context/CameraStatic.h"
#include "effects/CameraBlender.h"
#include "engine/Qel.h"
#include "graphics/QelGraphics.h"
#include "graphics/Renderable.h"
#include "graphics/Skin.h"
#include "resource/ResourceManager.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextPre, ContextBlender::runtimeClass(), QEL_CREATOR(ContextPre));

ContextPre::ContextPre()
{
    auto* backdrop = new Renderable();
    const V3 at(0.0f, float(-(g_qel->graphics->fovHeight / 2)), 0.0f);
    backdrop->setPlacement(static_cast<Skin*>(g_qel->resourceManager->find("intro:0", true)), &at, nullptr,
                           nullptr);
    addChildBack(backdrop);
}

float ContextPre::cameraDepth()
{
    return float(-(g_qel->graphics->fovWidth / 2));
}

void ContextPre::setCameraHeight(float y)
{
    blender()->reset(0.0f, y, cameraDepth());
}

void ContextPre::addCameraTarget(float y, double blendTime)
{
    auto* target = new CameraStatic(0.0f, y, cameraDepth());
    target->duration = blendTime;
    blender()->addChildBack(target);
}
