#include "graphics/Skin.h"

#include "graphics/Renderable.h"
#include "math/VectorMath.h"

QEL_IMPLEMENT_RUNTIME_CLASS(Skin, QelBase::runtimeClass(), QEL_CREATOR(Skin));
QEL_TRAVELS(Skin);

Skin::Skin() = default;

void Skin::applyOrigin(Matrix& m)
{
    matrixTranslate(m, -origin);
}

bool Skin::isPointInside(float x, float y)
{
    const float halfW = width / 2.0f;
    const float halfH = height / 2.0f;
    return x >= -halfW && x < halfW && y >= -halfH && y < halfH;
}

void Skin::draw(Renderable*) {}

V3 Skin::getHalfSize()
{
    return V3(width * 0.5f, height * 0.5f, 0.0f);
}

V3 Skin::local2world(V3 p)
{
    return p;
}

V3 Skin::world2local(V3 p)
{
    return p;
}

V3 Skin::local2worldOld(V3 p)
{
    return p;
}

V3 Skin::world2localOld(V3 p)
{
    return p;
}

void Skin::setOrigin(int anchor)
{
    if (anchor < 0 || anchor > 9) {
        return;
    }
    // Keypad columns 1-4-7 left, 3-6-9 right; rows 1-2-3 bottom, 7-8-9 top.
    static constexpr int column[10] = {0, -1, 0, 1, -1, 0, 1, -1, 0, 1};
    static constexpr int row[10] = {0, -1, -1, -1, 0, 0, 0, 1, 1, 1};
    origin = V3(static_cast<float>(column[anchor]) * width / 2.0f,
                static_cast<float>(row[anchor]) * height / 2.0f, 0.0f);
}

void Skin::drawAt(V3 position, UColor color)
{
    Renderable passing;
    passing.bSkipVisibility = 1;
    passing.setPlacement(this, &position, nullptr, nullptr);
    passing.color = color;
    passing.render();
}
