#include "screens/ContextMakerLogo.h"

#include "effects/RenderableTimed.h"
#include "engine/Qel.h"
#include "graphics/Skin.h"
#include "resource/ResourceManager.h"

ContextMakerLogo::ContextMakerLogo()
{
    bDeleteWhenFinished = 1;
    bSkippable = 1;
    bShowPointer = 0;
    timeLimit = 3.5;
    clearColor = UColor(0, 0, 0, 255);
    auto* logo = new RenderableTimed();
    logo->setPlacement(static_cast<Skin*>(g_qel->resourceManager->find("makerlogo:0", true)), nullptr, nullptr,
                       nullptr);
    logo->lifeTime = 2.5;
    logo->fadeInTime = 0.25;
    logo->fadeOutTime = 0.5;
    addChildBack(logo);
}
