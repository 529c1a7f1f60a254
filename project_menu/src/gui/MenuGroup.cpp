#include "gui/MenuGroup.h"

#include "effects/StretchSkin.h"
#include "engine/Qel.h"
#include "global/Global.h"
#include "graphics/FontQuad.h"
#include "graphics/Quad.h"
#include "resource/ResourceManager.h"

QEL_IMPLEMENT_RUNTIME_CLASS(MenuGroup, Renderable::runtimeClass(), QEL_NO_CREATOR);

MenuGroup::MenuGroup(float x, float y, float z, const UString& groupCaption, float width, float height)
    : caption(groupCaption)
{
    const V3 at(x, y, z);
    setPlacement(nullptr, &at, nullptr, nullptr);
    bOwnsSkin = true;
    auto* frame = new StretchSkin(static_cast<Quad*>(g_qel->resourceManager->find("gui-game-square:0", true)));
    frame->setBorders(20, 20, 20, 20);
    frame->resize(width, height);
    setPlacement(frame, nullptr, nullptr, nullptr);
}

void MenuGroup::render()
{
    Renderable::render();
    FontQuad* font = g_global->fontMedium;
    if (font != nullptr && pSkin != nullptr) {
        font->printAt(position.x, position.y + pSkin->height / 2 - 30.0f, position.z, UColor(255, 255, 255, 128),
                      0x14, caption);
    }
}
