#include "graphics/QuadMosaic.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <optional>

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

namespace {

// A projected coordinate as an int held within [lo, hi]: a point near the
// eye plane lands beyond any int.
int clampedInt(double value, int lo, int hi)
{
    return value > double(lo) ? (value < double(hi) ? int(value) : hi) : lo;
}

// Where the points of a cell's plane land in the window under the matrices
// in force, and back: the plane z = 0 of a textured rectangle seen through
// the camera's frustum. It also keeps the scissor it found, which the cells
// drawn in strips put back.
class WindowMapping {
public:
    WindowMapping()
    {
        GLfloat modelview[16];
        GLfloat projection[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
        glGetFloatv(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        scissorOn = glIsEnabled(GL_SCISSOR_TEST);
        glGetIntegerv(GL_SCISSOR_BOX, scissorBox);
        // Rows x, y and w of projection x modelview, on (x, y, 1).
        const int outputs[3] = {0, 1, 3};
        for (int r = 0; r < 3; ++r) {
            const int row = outputs[r];
            for (int c = 0; c < 3; ++c) {
                const int column = c == 2 ? 3 : c;
                double sum = 0.0;
                for (int k = 0; k < 4; ++k) {
                    sum += double(projection[4 * k + row]) * double(modelview[4 * column + k]);
                }
                m[r][c] = sum;
            }
        }
    }
    // False when the point lies behind the eye.
    bool toWindow(double x, double y, double& wx, double& wy) const
    {
        const double w = m[2][0] * x + m[2][1] * y + m[2][2];
        if (!(w > 0.0)) {
            return false;
        }
        wx = viewport[0] + ((m[0][0] * x + m[0][1] * y + m[0][2]) / w + 1.0) * 0.5 * viewport[2];
        wy = viewport[1] + ((m[1][0] * x + m[1][1] * y + m[1][2]) / w + 1.0) * 0.5 * viewport[3];
        return true;
    }
    // The plane's point under a window position; false when there is none.
    bool toPlane(double wx, double wy, double& x, double& y) const
    {
        const double nx = (wx - viewport[0]) / viewport[2] * 2.0 - 1.0;
        const double ny = (wy - viewport[1]) / viewport[3] * 2.0 - 1.0;
        const double a = m[0][0] - nx * m[2][0];
        const double b = m[0][1] - nx * m[2][1];
        const double c = nx * m[2][2] - m[0][2];
        const double d = m[1][0] - ny * m[2][0];
        const double e = m[1][1] - ny * m[2][1];
        const double f = ny * m[2][2] - m[1][2];
        const double det = a * e - b * d;
        if (std::fabs(det) < 1e-12) {
            return false;
        }
        x = (c * e - b * f) / det;
        y = (a * f - c * d) / det;
        return true;
    }

    void restoreScissor() const
    {
        glScissor(scissorBox[0], scissorBox[1], scissorBox[2], scissorBox[3]);
        if (scissorOn == GL_FALSE) {
            glDisable(GL_SCISSOR_TEST);
        }
    }

    GLint viewport[4] = {};

private:
    GLboolean scissorOn = GL_FALSE;
    GLint scissorBox[4] = {};
    double m[3][3] = {};
};

// Cell q, whose corners start at vertex first, drawn only over the
// window's parts that can show one of its texels, so the rasteriser does not
// shade the fragments the alpha test would drop.
void drawTrimmed(VertexBuffer& vertexBuffer, const Quad& q, int first, const WindowMapping& mapping)
{
    const Vertex* v = &vertexBuffer.vertices[static_cast<size_t>(first)];
    // The cell's window rectangle.
    double low[2] = {1e30, 1e30};
    double high[2] = {-1e30, -1e30};
    for (int corner = 0; corner < 4; ++corner) {
        double wx = 0.0;
        double wy = 0.0;
        if (!mapping.toWindow(v[corner].x, v[corner].y, wx, wy)) {
            vertexBuffer.draw(q.texture, VertexBuffer::TRIANGLE_STRIP, first, 4);
            return;
        }
        low[0] = std::min(low[0], wx);
        low[1] = std::min(low[1], wy);
        high[0] = std::max(high[0], wx);
        high[1] = std::max(high[1], wy);
    }
    const GLint* view = mapping.viewport;
    const int left = clampedInt(std::floor(low[0]) - 1.0, view[0], view[0] + view[2]);
    const int bottom = clampedInt(std::floor(low[1]) - 1.0, view[1], view[1] + view[3]);
    const int right = clampedInt(std::ceil(high[0]) + 1.0, view[0], view[0] + view[2]);
    const int top = clampedInt(std::ceil(high[1]) + 1.0, view[1], view[1] + view[3]);

    const int blockRows = int(q.visibleBlocks.size()) / q.blockColumns;
    const double texelsX = double(q.texelRight - q.texelLeft) / (v[3].x - v[0].x);
    const double texelsY = double(q.texelBottom - q.texelTop) / (v[3].y - v[0].y);
    // Whether a window rectangle can hold a fragment that shows: the texels
    // under its corners, two more on every side for filtering and rounding.
    const auto canShow = [&](int x0, int y0, int x1, int y1) {
        double tLow[2] = {1e30, 1e30};
        double tHigh[2] = {-1e30, -1e30};
        const int xs[2] = {x0, x1};
        const int ys[2] = {y0, y1};
        for (int corner = 0; corner < 4; ++corner) {
            double x = 0.0;
            double y = 0.0;
            if (!mapping.toPlane(xs[corner & 1], ys[corner >> 1], x, y)) {
                return true;
            }
            const double tx = (x - v[0].x) * texelsX;
            const double ty = (y - v[0].y) * texelsY;
            tLow[0] = std::min(tLow[0], tx);
            tLow[1] = std::min(tLow[1], ty);
            tHigh[0] = std::max(tHigh[0], tx);
            tHigh[1] = std::max(tHigh[1], ty);
        }
        // Texel positions held to one block beyond the cell on either side.
        const auto block = [](double texel, int blocks) {
            return clampedInt(std::floor(texel), -Quad::BLOCK, blocks * Quad::BLOCK) / Quad::BLOCK;
        };
        const int c0 = std::max(block(tLow[0] - 2.0, q.blockColumns), 0);
        const int r0 = std::max(block(tLow[1] - 2.0, blockRows), 0);
        const int c1 = std::min(block(tHigh[0] + 2.0, q.blockColumns), q.blockColumns - 1);
        const int r1 = std::min(block(tHigh[1] + 2.0, blockRows), blockRows - 1);
        for (int r = r0; r <= r1; ++r) {
            for (int c = c0; c <= c1; ++c) {
                if (q.visibleBlocks[size_t(r * q.blockColumns + c)]) {
                    return true;
                }
            }
        }
        return false;
    };
    // Disjoint strips of the window rectangle, each cut to the runs that
    // can show, so no fragment is drawn twice and none that shows is lost.
    constexpr int STEP = 16;
    bool clipped = false;
    for (int y0 = bottom; y0 < top; y0 += STEP) {
        const int y1 = std::min(y0 + STEP, top);
        for (int x0 = left; x0 < right;) {
            int x1 = x0;
            while (x1 < right && canShow(x1, y0, std::min(x1 + STEP, right), y1)) {
                x1 = std::min(x1 + STEP, right);
            }
            if (x1 > x0) {
                if (!clipped) {
                    glEnable(GL_SCISSOR_TEST);
                    clipped = true;
                }
                glScissor(x0, y0, x1 - x0, y1 - y0);
                vertexBuffer.draw(q.texture, VertexBuffer::TRIANGLE_STRIP, first, 4);
                x0 = x1;
            } else {
                x0 = std::min(x0 + STEP, right);
            }
        }
    }
    if (clipped) {
        mapping.restoreScissor();
    }
}

} // namespace

void QuadMosaic::draw(Renderable* owner)
{
    vertexBuffer.setColor(owner->color, false);
    // The matrices stay the same for every cell: read them once, and only
    // when a cell is trimmed.
    std::optional<WindowMapping> mapping;
    for (int i = 0; i < count; ++i) {
        Quad* q = quads[static_cast<size_t>(i)];
        QEL_ASSERT(q != nullptr);
        if (q->bInvisible) {
            continue;
        }
        if (!q->visibleBlocks.empty()) {
            if (!mapping) {
                mapping.emplace();
            }
            drawTrimmed(vertexBuffer, *q, 4 * i, *mapping);
            continue;
        }
        vertexBuffer.draw(q->texture, VertexBuffer::TRIANGLE_STRIP, 4 * i, 4);
    }
}
