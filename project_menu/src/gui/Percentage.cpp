#include "gui/Percentage.h"

#include <algorithm>

#include "engine/QelAssert.h"
#include "graphics/Quad.h"
#include "graphics/Texture.h"

QEL_IMPLEMENT_RUNTIME_CLASS(Percentage, Renderable::runtimeClass(), QEL_NO_CREATOR);

namespace {

// Left edge, vertically centred.
constexpr int FILL_ORIGIN = 4;

// Frame `frame` of the bar's image; the image must have it.
Quad* frameQuad(const Texture* texture, int frame)
{
    QEL_ASSERT(frame >= 0 && size_t(frame) < texture->skins.size());
    return static_cast<Quad*>(texture->skins[size_t(frame)]);
}

} // namespace

Percentage::Percentage(Texture* barTexture, int backgroundFrame, int fill_frame)
    : texture(barTexture)
    , fillFrame(fill_frame)
{
    if (backgroundFrame >= 0) {
        setPlacement(frameQuad(texture, backgroundFrame), nullptr, nullptr, nullptr);
    }
    fillQuad = new Quad();
    fillQuad->texture = texture;
    const Quad& source = *frameQuad(texture, fillFrame);
    fillQuad->uvLeft = source.uvLeft;
    fillQuad->uvTop = source.uvTop;
    fillQuad->uvRight = source.uvRight;
    fillQuad->uvBottom = source.uvBottom;
    fillQuad->rebuild();
    fillQuad->setOrigin(FILL_ORIGIN);
    fill.bOwnsSkin = true;
    const V3 left(-0.5f * source.width, 0.0f, 0.0f);
    fill.setPlacement(fillQuad, &left, nullptr, nullptr);
    setValue(0.0f);
}

void Percentage::setValue(float v)
{
    value = v;
    const float t = std::clamp(v, 0.0f, 1.0f);
    const Quad& source = *frameQuad(texture, fillFrame);
    fillQuad->uvLeft = source.uvLeft;
    fillQuad->uvTop = source.uvTop;
    fillQuad->uvRight = source.uvLeft + (source.uvRight - source.uvLeft) * t;
    fillQuad->uvBottom = source.uvBottom;
    fillQuad->rebuild();
    fillQuad->setOrigin(FILL_ORIGIN);
    updateXform();
}

void Percentage::updateXform()
{
    Renderable::updateXform();
    fill.setPostXform(xform);
}

void Percentage::render()
{
    if (bHidden) {
        return;
    }
    Renderable::render();
    fill.color = color;
    fill.render();
}
