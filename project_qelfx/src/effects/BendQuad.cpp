#include "effects/BendQuad.h"

#include <cmath>
#include <numbers>

#include "engine/Qel.h"
#include "graphics/Texture.h"

namespace {

constexpr double HALF_PI = std::numbers::pi / 2.0;
constexpr float HALF_PI_F = 1.5707964f;
constexpr float FLAT = 0.001f;

bool isFlat(float b)
{
    return std::fabs(b) < FLAT;
}

} // namespace

BendQuad::BendQuad() = default;

int BendQuad::columnCount() const
{
    return vertexBuffer.numVertices / 2;
}

void BendQuad::copyFrom(Quad* source)
{
    texture = source->texture;
    rebuild();
    uvLeft = source->uvLeft;
    uvTop = source->uvTop;
    uvRight = source->uvRight;
    uvBottom = source->uvBottom;
    rebuild();
}

void BendQuad::allocate()
{
    columns = std::max(columns, 2);
    vertexBuffer.resize(2 * columns);
    const UColor white = UColor::fromWord(0xFFFFFFFF);
    for (int i = 0; i < vertexBuffer.numVertices; ++i) {
        vertexBuffer.vertices[i].z = 0.0f;
        vertexBuffer.vertices[i].color = white;
    }
    rebuild();
}

void BendQuad::rebuild()
{
    const int c = columnCount();
    if (texture == nullptr || c < 2) {
        return;
    }
    const auto w = static_cast<float>(texture->uvWidth);
    const auto h = static_cast<float>(texture->uvHeight);
    Vertex* v = vertexBuffer.vertices.get();
    for (int i = 0; i < c; ++i) {
        const float s = static_cast<float>(i) / static_cast<float>(c - 1);
        Vertex& top = v[2 * i];
        Vertex& bottom = v[2 * i + 1];
        if (!bVertical) {
            top.u = bottom.u = uvRight + s * (uvLeft - uvRight);
            top.v = uvTop;
            bottom.v = uvBottom;
        } else {
            top.v = bottom.v = uvTop + s * (uvBottom - uvTop);
            top.u = uvLeft;
            bottom.u = uvRight;
        }
    }
    if (!bVertical) {
        width = (uvRight - uvLeft) * w;
        height = std::fabs(uvTop - uvBottom) * h;
    } else {
        height = (uvRight - uvLeft) * w;
        width = std::fabs(uvTop - uvBottom) * h;
    }
    halfWidth = width * 0.5f;
    halfHeight = height * 0.5f;
    buildGeometry();
}

void BendQuad::buildGeometry()
{
    const int c = columnCount();
    if (c < 2) {
        return;
    }
    const float w = halfWidth;
    const float h = halfHeight;
    Vertex* v = vertexBuffer.vertices.get();
    const bool flat = isFlat(bend);
    if (!flat) {
        radius = width / bend;
    }
    const float r = radius;
    for (int i = 0; i < c; ++i) {
        const float s = static_cast<float>(i) / static_cast<float>(c - 1);
        Vertex& top = v[2 * i];
        Vertex& bottom = v[2 * i + 1];
        if (flat) {
            top.x = bottom.x = w + s * (-w - w);
            top.y = h;
            bottom.y = -h;
        } else {
            const auto theta = static_cast<float>(static_cast<double>(bend + s * (0.0f - bend)) - HALF_PI);
            top.x = -w + (r - h) * std::cos(theta);
            top.y = r + (r - h) * std::sin(theta);
            bottom.x = -w + (r + h) * std::cos(theta);
            bottom.y = r + (r + h) * std::sin(theta);
        }
    }
    vertexBuffer.commit();
}

V3 BendQuad::getHalfSize()
{
    const auto arc = static_cast<float>(width / std::numbers::pi);
    return V3(-halfWidth, 2.0f * arc + halfHeight, 0.0f);
}

V3 BendQuad::bent(V3 p, float b, float r) const
{
    if (isFlat(b) || halfWidth == 0.0f) {
        return p;
    }
    const float w = halfWidth;
    const float t = (p.x + w) / (2.0f * w);
    const auto theta = static_cast<float>(static_cast<double>(b * t) + 0.0 - HALF_PI);
    const float d = r - p.y;
    return V3(-w + d * std::cos(theta), r + d * std::sin(theta), 0.0f);
}

V3 BendQuad::flattened(V3 p, float b, float r) const
{
    if (isFlat(b)) {
        return p;
    }
    const float w = halfWidth;
    const float dx = w + p.x;
    const float dy = p.y - r;
    const float dist = std::sqrt(dx * dx + dy * dy);
    const float angle = std::atan2(dy, dx);
    if (b >= 0.0f) {
        const float divisor = (b - HALF_PI_F) + HALF_PI_F;
        return V3(-w + (angle + HALF_PI_F) / divisor * 2.0f * w, r - dist, p.z);
    }
    const float divisor = (b + HALF_PI_F) - HALF_PI_F;
    return V3(-w + (angle - HALF_PI_F) / divisor * 2.0f * w, r + dist, p.z);
}

V3 BendQuad::local2world(V3 p)
{
    return bent(p, bend, radius);
}

V3 BendQuad::world2local(V3 p)
{
    return flattened(p, bend, radius);
}

V3 BendQuad::local2worldOld(V3 p)
{
    return bent(p, prevBend, prevRadius);
}

V3 BendQuad::world2localOld(V3 p)
{
    if (bendFrame == g_qel->frameNumber) {
        return flattened(p, prevBend, prevRadius);
    }
    return world2local(p);
}

void BendQuad::setBend(float b)
{
    if (std::fabs(b) < FLAT) {
        b = 0.0f;
    }
    if (bendFrame < g_qel->frameNumber) {
        bendFrame = g_qel->frameNumber;
        prevBend = bend;
        prevRadius = radius;
    }
    if (b == bend) {
        return;
    }
    bend = b;
    buildGeometry();
}
