#include "effects/StretchSkin.h"

#include <cmath>

#include "graphics/Quad.h"
#include "graphics/Renderable.h"
#include "graphics/Texture.h"

StretchSkin::StretchSkin(Quad* sourceQuad)
    : source(sourceQuad)
{
    vertexBuffer.resize(24);
}

void StretchSkin::setBorders(int left, int top, int bottom, int right)
{
    borderLeft = left;
    borderTop = top;
    borderBottom = bottom;
    borderRight = right;
    const Texture* texture = source->texture;
    if (texture == nullptr) {
        return;
    }
    const auto w = static_cast<float>(texture->uvWidth);
    const auto h = static_cast<float>(texture->uvHeight);
    innerU0 = static_cast<float>(source->texelLeft + left) / w;
    innerV0 = static_cast<float>(source->texelTop + top) / h;
    innerU1 = static_cast<float>(source->texelRight - right) / w;
    innerV1 = static_cast<float>(source->texelBottom - bottom) / h;
    rebuild();
}

void StretchSkin::rebuild()
{
    const Texture* texture = source->texture;
    if (texture == nullptr) {
        return;
    }
    resize((source->uvRight - source->uvLeft) * static_cast<float>(texture->uvWidth),
           std::fabs(source->uvTop - source->uvBottom) * static_cast<float>(texture->uvHeight));
}

void StretchSkin::resize(float w, float h)
{
    width = w;
    if (h > 0.0f) {
        height = h;
    } else {
        height = source->height;
        h = height;
    }
    const float xs[4] = {-w / 2, -w / 2 + static_cast<float>(borderLeft), w / 2 - static_cast<float>(borderRight),
                         w / 2};
    const float us[4] = {source->uvLeft, innerU0, innerU1, source->uvRight};
    const float ys[4] = {h / 2, h / 2 - static_cast<float>(borderTop), -h / 2 + static_cast<float>(borderBottom),
                         -h / 2};
    const float vs[4] = {source->uvTop, innerV0, innerV1, source->uvBottom};
    const UColor white = UColor::fromWord(0xFFFFFFFF);
    Vertex* v = vertexBuffer.vertices.get();
    for (int band = 0; band < 3; ++band) {
        for (int column = 0; column < 4; ++column) {
            for (int edge = 0; edge < 2; ++edge) {
                const int row = band + edge;
                v[8 * band + 2 * column + edge] = Vertex{us[column], vs[row], white, xs[column], ys[row], 0.0f};
            }
        }
    }
    vertexBuffer.commit();
}

void StretchSkin::draw(Renderable* owner)
{
    vertexBuffer.setColor(owner->color, false);
    if (borderTop == 0 && borderBottom == 0) {
        vertexBuffer.draw(source->texture, VertexBuffer::TRIANGLE_STRIP, 8, 8);
        return;
    }
    for (int band = 0; band < 3; ++band) {
        vertexBuffer.draw(source->texture, VertexBuffer::TRIANGLE_STRIP, 8 * band, 8);
    }
}
