#include "effects/RenderableTimed.h"

void RenderableTimed::update(double t, double dt)
{
    QelBase::update(t, dt);
    if (delay > 0.0) {
        delay -= dt;
        if (delay > 0.0) {
            return;
        }
    }
    if (elapsed >= lifeTime) {
        bDead = 1;
        return;
    }
    elapsed += dt;
    double f = 0.0;
    if (fadeInTime > 0.0 && elapsed < fadeInTime) {
        f = elapsed / fadeInTime;
    } else if (fadeOutTime > 0.0 && elapsed > lifeTime - fadeOutTime) {
        f = (lifeTime - elapsed) / fadeOutTime;
    } else {
        color.a = 255;
        return;
    }
    const auto factor = static_cast<float>(f);
    float alpha = 0.0f;
    if (factor > 1.0f) {
        alpha = 255.0f;
    } else if (factor >= 0.0f) {
        alpha = factor * 255.0f;
    }
    color.a = static_cast<u8>(static_cast<int>(alpha + 0.0f));
}

void RenderableTimed::render()
{
    if (delay <= 0.0) {
        Renderable::render();
    }
}
