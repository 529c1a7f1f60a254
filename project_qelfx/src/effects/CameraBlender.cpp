#include "effects/CameraBlender.h"

#include <cmath>

#include "effects/CameraBlenderFactor.h"
#include "engine/Qel.h"
#include "graphics/QelGraphics.h"
#include "math/VectorMath.h"

CameraBlender::CameraBlender()
    : basePosition(position)
{
}

void CameraBlender::reset(float x, float y, float z)
{
    basePosition = V3(x, y, z);
    position = basePosition;
    target.x = x;
    target.y = y;
    while (lastChild != nullptr) {
        static_cast<QelBase*>(lastChild)->deleteMe();
    }
}

void CameraBlender::postUpdate(double time, double dt)
{
    V3 current = basePosition;
    CameraBlenderFactor* previous = nullptr;
    for (BasicLink* link = firstChild; link != nullptr;) {
        BasicLink* following = link->next;
        auto* k = dynamic_cast<CameraBlenderFactor*>(static_cast<QelBase*>(link));
        if (k == nullptr || link->bDead || link->bSkip) {
            link = following;
            continue;
        }
        if (k->delay > 0.0) {
            k->delay -= dt;
        } else {
            k->update(time, dt);
            current = interpolateV3(current, k->position, k->factor, k->curve);
            if (previous != nullptr && k->factor >= 1.0f) {
                removeChild(previous);
                previous->deleteMe();
            }
        }
        previous = k;
        link = following;
    }
    position = current;
    target.x = current.x;
    target.y = current.y;

    if (shakeTime < shakeDuration) {
        shakeTime += dt;
        if (shakeTime < 0.0) {
            shakeTime = 0.0;
        } else if (shakeTime > shakeDuration) {
            shakeTime = shakeDuration;
        }
        roll = static_cast<float>((shakeDuration - shakeTime) * shakeAmplitude * std::cos(shakeTime * 32.0));
    }

    V3 offset;
    if (g_qel != nullptr && g_qel->graphics != nullptr) {
        offset = g_qel->graphics->viewOffset;
    }
    eye = V3(position.x + offset.x, position.y + offset.y, position.z);
    eyeTarget = V3(target.x + offset.x, target.y + offset.y, target.z);
}
