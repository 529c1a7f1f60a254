#include "graphics/OutlineDrawing.h"

#include <initializer_list>

#include "graphics/VertexBuffer.h"

namespace {

struct Corner {
    float x;
    float y;
    UColor color;
};

void drawCorners(std::initializer_list<Corner> corners, int primitive)
{
    VertexBuffer buffer(static_cast<int>(corners.size()));
    int i = 0;
    for (const Corner& c : corners) {
        buffer.vertices[i++] = Vertex{0.0f, 0.0f, c.color, c.x, c.y, 0.0f};
    }
    drawWorldVertices(buffer, primitive);
}

} // namespace

void drawRectFilled(const float r[4], UColor color)
{
    drawCorners({{r[0], r[1], color}, {r[2], r[1], color}, {r[0], r[3], color}, {r[2], r[3], color}},
                VertexBuffer::TRIANGLE_STRIP);
}

void drawRectOutline(const float r[4], UColor color)
{
    drawCorners({{r[0], r[1], color},
                 {r[2], r[1], color},
                 {r[2], r[3], color},
                 {r[0], r[3], color},
                 {r[0], r[1], color}},
                VertexBuffer::LINE_STRIP);
}

void drawLine(const float p[4], UColor color, UColor color2)
{
    const UColor end = color2 == UColor() ? color : color2;
    drawCorners({{p[0], p[1], color}, {p[2], p[3], end}}, VertexBuffer::LINE_STRIP);
}
