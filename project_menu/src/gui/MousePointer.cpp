#include "gui/MousePointer.h"

#include "engine/Context.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "graphics/Texture.h"
#include "resource/ResourceManager.h"

QEL_IMPLEMENT_RUNTIME_CLASS(MousePointer, Renderable::runtimeClass(), QEL_NO_CREATOR);

MousePointer::MousePointer()
    : texture(static_cast<Texture*>(g_qel->resourceManager->find("mousePointer", true)))
{
    QEL_ASSERT(!texture->skins.empty());
    setPlacement(texture->skins[size_t(frame)], nullptr, nullptr, nullptr);
}

void MousePointer::update(double, double)
{
    const Context* screen = g_qel->currentContext;
    if (screen != nullptr) {
        position = V3(screen->mouseWorld.x, screen->mouseWorld.y, 0.0f);
    }
    updateXform();
}
