#include "graphics/Quad.h"

#include <cmath>

#include "engine/QelAssert.h"
#include "graphics/Renderable.h"
#include "graphics/Texture.h"

QEL_IMPLEMENT_RUNTIME_CLASS(Quad, Skin::runtimeClass(), QEL_CREATOR(Quad));
QEL_TRAVELS(Quad);

Quad::Quad()
{
    vertexBuffer.resize(4);
}

void Quad::writeCorners(Vertex* v, float left, float top, float right, float bottom) const
{
    const UColor white = UColor::fromWord(0xFFFFFFFF);
    v[0] = Vertex{uvLeft, uvTop, white, left, top, 0.0f};
    v[1] = Vertex{uvRight, uvTop, white, right, top, 0.0f};
    v[2] = Vertex{uvLeft, uvBottom, white, left, bottom, 0.0f};
    v[3] = Vertex{uvRight, uvBottom, white, right, bottom, 0.0f};
}

void Quad::buildVertices(float w, float h)
{
    width = w;
    height = h;
    writeCorners(vertexBuffer.vertices.get(), -w / 2.0f, h / 2.0f, w / 2.0f, -h / 2.0f);
    vertexBuffer.commit();
}

void Quad::rebuild()
{
    QEL_ASSERT(texture != nullptr);
    buildVertices((uvRight - uvLeft) * static_cast<float>(texture->uvWidth),
                  std::fabs(uvTop - uvBottom) * static_cast<float>(texture->uvHeight));
}

void Quad::draw(Renderable* owner)
{
    vertexBuffer.setColor(owner->color, false);
    vertexBuffer.draw(texture, VertexBuffer::TRIANGLE_STRIP, 0, -1);
}
