#include "effects/CameraBlenderFactor.h"

void CameraBlenderFactor::update(double, double dt)
{
    if (!(factor < 1.0f)) {
        return;
    }
    time += dt;
    if (duration <= 0.0) {
        factor = 1.0f;
        return;
    }
    factor = static_cast<float>(time / duration);
    if (factor < 0.0f) {
        factor = 0.0f;
    } else if (factor > 1.0f) {
        factor = 1.0f;
    }
}
