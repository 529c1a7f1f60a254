#include "game/tutorial/SpeechArrow.h"

#include "effects/StretchSkin.h"
#include "engine/Qel.h"
#include "global/Global.h"
#include "graphics/FontQuad.h"
#include "graphics/QelGraphics.h"
#include "graphics/Quad.h"
#include "graphics/Skin.h"
#include "resource/ResourceManager.h"

namespace {

constexpr float PADDING = 16.0f;
constexpr int ANCHOR_BOTTOM_CENTRE = 2;
constexpr int CENTRED_RAISED_HALF_LINE = 0x14;

} // namespace

SpeechArrow::SpeechArrow()
    : bubble(new StretchSkin(static_cast<Quad*>(g_qel->resourceManager->find("speechArrow:0", true))))
{
    bubble->setBorders(10, 10, 10, 10);
    bOwnsSkin = true;
    head.setPlacement(static_cast<Skin*>(g_qel->resourceManager->find("speechArrow:1", true)), nullptr, nullptr,
                      nullptr);
    setText(UString());
    setColor(UColor(255, 236, 191, 255));
}

void SpeechArrow::setText(const UString& newText)
{
    text = newText;
    const TextSize size = g_global->fontMedium->getTextSize(text);
    bubble->resize(float(size.width) + PADDING, float(size.height) + PADDING);
    bubble->setOrigin(ANCHOR_BOTTOM_CENTRE);
    setPlacement(bubble, nullptr, nullptr, nullptr);
}

void SpeechArrow::setColor(UColor colour)
{
    color = colour;
    head.color = colour;
}

void SpeechArrow::setTarget(float x, float y, float z)
{
    const V3 tip(x, y, z);
    const float headHeight = head.pSkin->height;
    V3 at;
    if (y > float(g_qel->graphics->fovHeight / 2 - TOP_MARGIN)) {
        const V3 flipped(1.0f, -1.0f, 1.0f);
        head.setPlacement(nullptr, &tip, nullptr, &flipped);
        at = V3(x, y - (bubble->height + headHeight - OVERLAP), z);
    } else {
        const V3 upright(1.0f, 1.0f, head.scale.z);
        head.setPlacement(nullptr, &tip, nullptr, &upright);
        at = V3(x, y + headHeight - OVERLAP, z);
    }
    setPlacement(nullptr, &at, nullptr, nullptr);
}

void SpeechArrow::render()
{
    if (text.empty()) {
        return;
    }
    Renderable::render();
    head.render();
    const UColor shade(u8(color.r / 2), u8(color.g / 2), u8(color.b / 2), color.a);
    g_global->fontMedium->printAt(boundsCenter.x, boundsCenter.y, boundsCenter.z, shade, CENTRED_RAISED_HALF_LINE,
                                  text);
}
