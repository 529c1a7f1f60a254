#include "graphics/QuadMosaic.h"

#include "engine/QelAssert.h"
#include "graphics/Renderable.h"

void QuadMosaic::setGrid(int gridColumns, int gridRows)
{
    columns = gridColumns;
    rows = gridRows;
    count = columns * rows;
    quads.resize(static_cast<size_t>(count), nullptr);
    vertexBuffer.resize(count * 4);
}

void QuadMosaic::rebuild()
{
    width = 0.0f;
    height = 0.0f;
    if (count <= 0) {
        vertexBuffer.commit();
        return;
    }
    for (Quad* q : quads) {
        QEL_ASSERT(q != nullptr);
    }
    for (int col = 0; col < columns; ++col) {
        width += quads[static_cast<size_t>(col)]->width;
    }
    for (int r = 0; r < rows; ++r) {
        height += quads[static_cast<size_t>(r * columns)]->height;
    }
    float y = height / 2.0f;
    for (int r = 0; r < rows; ++r) {
        float x = -width / 2.0f;
        const Quad* q = nullptr;
        for (int col = 0; col < columns; ++col) {
            const int index = r * columns + col;
            q = quads[static_cast<size_t>(index)];
            q->writeCorners(&vertexBuffer.vertices[index * 4], x, y, x + q->width, y - q->height);
            x += q->width;
        }
        y -= q->height;
    }
    vertexBuffer.commit();
}

void QuadMosaic::draw(Renderable* owner)
{
    vertexBuffer.setColor(owner->color, false);
    for (int i = 0; i < count; ++i) {
        Quad* q = quads[static_cast<size_t>(i)];
        QEL_ASSERT(q != nullptr);
        if (q->bInvisible) {
            continue;
        }
        vertexBuffer.draw(q->texture, VertexBuffer::TRIANGLE_STRIP, 4 * i, 4);
    }
}
