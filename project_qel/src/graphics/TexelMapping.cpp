#include "graphics/TexelMapping.h"

#include <cmath>

namespace {

// A thousandth of a texel: far below what an 8-bit filter weight can show.
constexpr double TOLERANCE = 1e-3;

// A vertex in window pixels (y up) and texels.
struct Mapped {
    double x;
    double y;
    double w;
    double s;
    double t;
};

bool nearWhole(double value)
{
    return std::fabs(value - std::round(value)) < TOLERANCE;
}

// One texel coordinate (s or t) over a triangle: whole texels per pixel on
// both axes and the pixel centres on texel centres.
bool stepsByWholeTexels(const Mapped* v[3], double Mapped::*texel)
{
    const double dx1 = v[1]->x - v[0]->x;
    const double dy1 = v[1]->y - v[0]->y;
    const double dx2 = v[2]->x - v[0]->x;
    const double dy2 = v[2]->y - v[0]->y;
    const double det = dx1 * dy2 - dx2 * dy1;
    const double d1 = v[1]->*texel - v[0]->*texel;
    const double d2 = v[2]->*texel - v[0]->*texel;
    const double perX = std::round((d1 * dy2 - d2 * dy1) / det);
    const double perY = std::round((dx1 * d2 - dx2 * d1) / det);
    for (int i = 1; i < 3; ++i) {
        const double expected = v[0]->*texel + perX * (v[i]->x - v[0]->x) + perY * (v[i]->y - v[0]->y);
        if (std::fabs(expected - v[i]->*texel) >= TOLERANCE) {
            return false;
        }
    }
    const double atFirstCentre = v[0]->*texel + perX * (0.5 - v[0]->x) + perY * (0.5 - v[0]->y);
    return nearWhole(atFirstCentre - 0.5);
}

bool triangleHitsCentres(const Mapped& a, const Mapped& b, const Mapped& c)
{
    const Mapped* v[3] = {&a, &b, &c};
    const double area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
    // A triangle without area covers no pixel.
    if (std::fabs(area) < TOLERANCE) {
        return true;
    }
    // Equal depths: the texture runs straight across the triangle.
    if (std::fabs(b.w - a.w) > TOLERANCE * std::fabs(a.w) || std::fabs(c.w - a.w) > TOLERANCE * std::fabs(a.w)) {
        return false;
    }
    return stepsByWholeTexels(v, &Mapped::s) && stepsByWholeTexels(v, &Mapped::t);
}

} // namespace

bool TexelMapping::hitsTexelCentres(const Vertex* vertices, int count, int primitive, int textureWidth,
                                    int textureHeight, const Transform& transform)
{
    if (primitive != VertexBuffer::TRIANGLES && primitive != VertexBuffer::TRIANGLE_STRIP &&
        primitive != VertexBuffer::TRIANGLE_FAN) {
        return false;
    }
    constexpr int MOST = 64;
    if (count < 3 || count > MOST) {
        return false;
    }
    double matrix[16];
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) {
                sum += double(transform.projection[k * 4 + row]) * double(transform.modelView[column * 4 + k]);
            }
            matrix[column * 4 + row] = sum;
        }
    }
    Mapped mapped[MOST];
    for (int i = 0; i < count; ++i) {
        const Vertex& v = vertices[i];
        double clip[4];
        for (int row = 0; row < 4; ++row) {
            clip[row] = matrix[row] * v.x + matrix[4 + row] * v.y + matrix[8 + row] * v.z + matrix[12 + row];
        }
        if (clip[3] <= 0.0) {
            return false;
        }
        mapped[i] = Mapped{(clip[0] / clip[3] + 1.0) * 0.5 * transform.viewportWidth,
                           (clip[1] / clip[3] + 1.0) * 0.5 * transform.viewportHeight, clip[3],
                           double(v.u) * textureWidth, double(v.v) * textureHeight};
    }
    const int triangles = primitive == VertexBuffer::TRIANGLES ? count / 3 : count - 2;
    for (int i = 0; i < triangles; ++i) {
        const bool hit = primitive == VertexBuffer::TRIANGLES
                             ? triangleHitsCentres(mapped[3 * i], mapped[3 * i + 1], mapped[3 * i + 2])
                         : primitive == VertexBuffer::TRIANGLE_STRIP
                             ? triangleHitsCentres(mapped[i], mapped[i + 1], mapped[i + 2])
                             : triangleHitsCentres(mapped[0], mapped[i + 1], mapped[i + 2]);
        if (!hit) {
            return false;
        }
    }
    return true;
}
