#include "gui/MenuItem.h"

#include <algorithm>
#include <utility>

#include "audio/Sound.h"
#include "effects/StretchSkin.h"
#include "engine/Context.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "global/Global.h"
#include "graphics/FontQuad.h"
#include "graphics/QelGraphics.h"
#include "graphics/Quad.h"
#include "graphics/Texture.h"
#include "gui/ItemFeedback.h"
#include "input/QelInput.h"
#include "resource/ResourceManager.h"
#include "system/SystemUtils.h"

QEL_IMPLEMENT_RUNTIME_CLASS(MenuItem, Renderable::runtimeClass(), QEL_NO_CREATOR);

namespace {

constexpr UColor SHADOW(0, 0, 0, 64);
constexpr float SHADOW_DROP = 4.0f;
constexpr int DEFAULT_WIDTH = 256;

StretchSkin* stretchOver(Texture* frameSet, int piece, int left, int top, int bottom, int right)
{
    auto* skin = new StretchSkin(static_cast<Quad*>(frameSet->skins[size_t(piece)]));
    skin->setBorders(left, top, bottom, right);
    return skin;
}

} // namespace

Texture* MenuItem::findFrameSet(const char* name)
{
    auto* frameSet = static_cast<Texture*>(g_qel->resourceManager->find(name, true));
    QEL_ASSERT(frameSet->skins.size() >= 2);
    return frameSet;
}

MenuItem::MenuItem(float x, float y, float z, const UString& itemCaption, const UString& itemHelp)
    : caption(itemCaption)
    , help(itemHelp)
    , font(g_global->fontMedium)
{
    bHasInvXform = true;
    const V3 at(x, y, z);
    setPlacement(nullptr, &at, nullptr, nullptr);
    highlightSprite.setPlacement(nullptr, &at, nullptr, nullptr);
    setSkins(findFrameSet("gui-game-editbox"), 10, 0, 0, 10);
    setWidth(DEFAULT_WIDTH);
}

void MenuItem::setSkins(Texture* frameSet, int left, int top, int bottom, int right)
{
    if (pSkin != nullptr) {
        deleteSkin();
    }
    if (highlightSprite.pSkin != nullptr) {
        highlightSprite.deleteSkin();
    }
    bOwnsSkin = true;
    setPlacement(stretchOver(frameSet, 0, left, top, bottom, right), nullptr, nullptr, nullptr);
    highlightSprite.bOwnsSkin = true;
    highlightSprite.setPlacement(stretchOver(frameSet, 1, left, top, bottom, right), nullptr, nullptr, nullptr);
}

void MenuItem::setWidth(int width)
{
    static_cast<StretchSkin*>(pSkin)->resize(float(width), -1.0f);
    static_cast<StretchSkin*>(highlightSprite.pSkin)->resize(float(width), -1.0f);
    updateXform();
    highlightSprite.updateXform();
}

void MenuItem::useSpeechSkin()
{
    setSkins(findFrameSet("gui-game-button-speech"), 20, 0, 0, 20);
    highlightSprite.setPlacement(nullptr, &position, nullptr, nullptr);
    normalColor = UColor(96, 109, 128, 255);
    hoverColor = UColor(255, 255, 255, 255);
    bShadowed = false;
    inactiveColor = UColor(u8(color.r * 0.75), u8(color.g * 0.75), u8(color.b * 0.75), color.a);
}

bool MenuItem::takeClicked()
{
    return std::exchange(bClicked, false);
}

void MenuItem::onClick()
{
    bClicked = true;
    static_cast<Sound*>(g_qel->resourceManager->find("mouseClick", true))->play();
}

void MenuItem::drawValue(float, float, float) {}

void MenuItem::update(double time, double dt)
{
    QelBase::update(time, dt);
    const Context* screen = g_qel->currentContext;
    if (screen != nullptr && pSkin != nullptr) {
        const V3 mouse = screen->mouseWorld - position;
        bHovered = pSkin->isPointInside(mouse.x, mouse.y);
    }
    highlight = stepHighlight(highlight, bHovered, dt);
    if (bInactive) {
        textColor = inactiveColor;
    } else {
        lerpColor(textColor, normalColor, hoverColor, float(highlight));
    }
}

void MenuItem::render()
{
    if (bHidden) {
        return;
    }
    const QelGraphics* graphics = g_qel->graphics;
    if (bShadowed && graphics->bTextShadows) {
        Renderable shadow;
        const V3 below(position.x, position.y - SHADOW_DROP, position.z);
        shadow.setPlacement(pSkin, &below, &rotation, &scale);
        shadow.color = SHADOW;
        shadow.render();
    }
    Renderable::render();
    if (!bInactive && highlight > 0.0) {
        highlightSprite.setPlacement(nullptr, nullptr, nullptr, &scale);
        highlightSprite.color.a = u8(int(std::clamp(highlight, 0.0, 1.0) * 255.0));
        highlightSprite.render();
    }
    drawValue(position.x, position.y, position.z);
    if (bHovered) {
        drawHelpLine(bInactive ? inactiveHelp : help, !bInactive);
    }
    drawCaption();
}

void MenuItem::drawCaption()
{
    const float w = pSkin->width;
    const float h = pSkin->height;
    V3 offset;
    int flags = 0;
    switch (captionLocation) {
    case CAPTION_LEFT:
        offset = V3(-w / 2 - 5.0f, 0.0f, 0.0f);
        flags = 0x18;
        break;
    case CAPTION_CENTRE:
        flags = 0x14;
        break;
    case CAPTION_RIGHT:
        offset = V3(w / 2 + 5.0f, 0.0f, 0.0f);
        flags = 0x12;
        break;
    case CAPTION_ABOVE:
        offset = V3(0.0f, h / 2 + 5.0f, 0.0f);
        flags = 0x24;
        break;
    default:
        // Reported as a fault of the drawing.
        qelFatal("Invalid caption location.", "render", __FILE__, __LINE__);
    }
    printText(font, local2world(offset), scale, flags, caption, bShadowed && !bInactive);
}

bool MenuItem::isNewPress()
{
    return g_qel->input != nullptr && g_qel->input->isMouseButtonPressed();
}

void MenuItem::printText(FontQuad* textFont, const V3& at, const V3& size, int flags, const UString& text,
                         bool shadowed)
{
    if (textFont == nullptr) {
        return;
    }
    Renderable placement;
    placement.setPlacement(nullptr, &at, &rotation, &size);
    placement.color = textColor;
    if (shadowed) {
        textFont->printShadowed(&placement, flags, text, 0.0f, -SHADOW_DROP, 0.0f, SHADOW);
    } else {
        textFont->print(&placement, flags, text);
    }
}
