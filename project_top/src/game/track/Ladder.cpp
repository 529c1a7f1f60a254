#include "game/track/Ladder.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/Qel.h"
#include "game/track/SplineLambda.h"
#include "graphics/Quad.h"
#include "graphics/Texture.h"
#include "resource/ResourceManager.h"

Ladder::Ladder()
{
    auto* texture = static_cast<Texture*>(g_qel->resourceManager->find("ladder", true));
    auto* strip = new Quad();
    if (auto* first = dynamic_cast<Quad*>(texture->skins.empty() ? nullptr : texture->skins.front())) {
        strip->texture = first->texture;
        strip->width = first->width;
        strip->height = first->height;
    }
    setPlacement(strip, nullptr, nullptr, nullptr);
    bOwnsSkin = true;
}

void Ladder::build(const SplineLambda& path, float length)
{
    auto* strip = static_cast<Quad*>(pSkin);
    const float total = std::max(length, 0.0f);
    const int count = 2 * int(total / RUNG_SPACING + 2.0f);
    const float half = strip->height * 0.5f;
    const Texture* texture = strip->texture;
    const float texelsWide = texture != nullptr && texture->realWidth > 0 ? float(texture->realWidth) : 1.0f;
    const float texelsHigh = texture != nullptr && texture->realHeight > 0 ? float(texture->realHeight) : 1.0f;
    VertexBuffer& buffer = strip->vertexBuffer;
    buffer.resize(count);
    for (int k = 0; k < count; ++k) {
        const float lambda = std::min(total, float(k / 2) * RUNG_SPACING);
        V3 point;
        float heading = 0.0f;
        path.getPointAndHeading(lambda, &point, &heading, nullptr);
        const float side = heading + (k % 2 == 0 ? 1.0f : -1.0f) * std::numbers::pi_v<float> / 2.0f;
        Vertex& vertex = buffer.vertices[size_t(k)];
        vertex.x = point.x + std::cos(side) * half;
        vertex.y = point.y + std::sin(side) * half;
        vertex.z = 0.0f;
        vertex.u = lambda / texelsWide;
        vertex.v = k % 2 == 0 ? 0.0f : strip->height / texelsHigh;
        vertex.color = UColor::fromWord(0xFFFFFFFF);
    }
    buffer.commit();
}
