#include "gui/RadialFader.h"

#include <cmath>
#include <numbers>

#include "engine/Qel.h"
#include "global/Global.h"
#include "graphics/QelGraphics.h"
#include "graphics/VertexBuffer.h"
#include "math/VectorMath.h"

QEL_IMPLEMENT_RUNTIME_CLASS(RadialFader, Renderable::runtimeClass(), QEL_CREATOR(RadialFader));

namespace {

constexpr float TWO_PI = float(2.0 * std::numbers::pi);
// Six waves around the circle.
constexpr float WAVE_PERIOD = 21.33333396911621f;
constexpr int VERTICES = 2 * (RadialFader::PAIRS + 1);

float angleOf(int i, float amount)
{
    return float(i) * TWO_PI / float(RadialFader::PAIRS) - 4.0f * amount;
}

float waveOf(int i)
{
    return 1.3f + 0.3f * std::sin(float(i) * TWO_PI / WAVE_PERIOD);
}

void setVertex(Vertex& v, float radius, float angle, u8 alpha)
{
    v = Vertex();
    v.color = UColor(0, 0, 0, alpha);
    v.x = radius * std::cos(angle);
    v.y = radius * std::sin(angle);
}

} // namespace

RadialFader::RadialFader()
{
    bSkipVisibility = 1;
}

float RadialFader::outerRadius(int fovWidth, int fovHeight)
{
    const int halfW = fovWidth / 2;
    const int halfH = fovHeight / 2;
    return std::sqrt(float(halfW * halfW + halfH * halfH)) + EDGE;
}

float RadialFader::irisRadius(float outer, float fraction)
{
    return interpolateV3(V3(outer, 0.0f, 0.0f), V3(), fraction, CURVE_EASE_OUT_SINE).x;
}

void RadialFader::update(double, double dt)
{
    if (targetAmount > amount) {
        amount = std::min(targetAmount, float(amount + dt));
    } else if (targetAmount < amount) {
        amount = std::max(targetAmount, float(amount - dt));
    }
}

void RadialFader::render()
{
    QelGraphics* graphics = g_qel->graphics;
    if (amount == 0.0f || graphics == nullptr) {
        return;
    }
    graphics->loadIdentity();
    const float outer = outerRadius(graphics->fovWidth, graphics->fovHeight);
    const float r = irisRadius(outer, amount);
    const float inner = std::max(0.0f, r - EDGE);

    const bool softEdge = g_global != nullptr && g_global->settings.detail > 0 && !graphics->bBrokenAlphaOp;
    if (softEdge) {
        VertexBuffer soft(VERTICES);
        for (int i = 0; i < PAIRS; ++i) {
            const float a = angleOf(i, amount);
            const float w = waveOf(i);
            setVertex(soft.vertices[2 * i], r * w, a, 255);
            setVertex(soft.vertices[2 * i + 1], inner * w, a, 0);
        }
        soft.vertices[2 * PAIRS] = soft.vertices[0];
        soft.vertices[2 * PAIRS + 1] = soft.vertices[1];
        soft.commit();
        soft.draw(nullptr, VertexBuffer::TRIANGLE_STRIP, 0, -1);
    }

    VertexBuffer band(VERTICES);
    for (int i = 0; i <= PAIRS; ++i) {
        const float a = angleOf(i, amount);
        setVertex(band.vertices[2 * i], outer, a, 255);
        setVertex(band.vertices[2 * i + 1], r * waveOf(i), a, 255);
    }
    band.commit();
    graphics->setBlendState(false);
    band.draw(nullptr, VertexBuffer::TRIANGLE_STRIP, 0, -1);
    graphics->setBlendState(true);
}
