#include "game/mascot/Bear.h"

#include <cmath>

#include "effects/BendQuad.h"
#include "engine/Qel.h"
#include "graphics/QelGraphics.h"
#include "graphics/Renderable.h"
#include "graphics/Skin.h"
#include "math/RandomSource.h"
#include "resource/ResourceManager.h"

namespace {

Skin* frame(const char* name)
{
    return static_cast<Skin*>(g_qel->resourceManager->find(name, true));
}

// The hand hangs down and a little forward from the shoulder.
constexpr float HAND_TURN = 3.3379421f;

} // namespace

Bear::Bear()
{
    pHand = new Renderable();
    const int w = g_qel->graphics->fovWidth;
    const int h = g_qel->graphics->fovHeight;
    const V3 shoulder(float(w / 2 - 75), float(55 - h / 2), 0.0f);
    const V3 turn(0.0f, 0.0f, HAND_TURN);
    pHand->setPlacement(frame("bearHand:bend"), &shoulder, &turn, nullptr);
    addChildBack(pHand);

    auto* body = new Renderable();
    body->setPlacement(frame("bear:0"), nullptr, nullptr, nullptr);
    addChildBack(body);

    pFace = new Renderable();
    addChildBack(pFace);
    StateBase::setState(EYES_OPEN, 0.0, false);
}

void Bear::update(double time, double dt)
{
    QelBase::update(time, dt);
    static_cast<BendQuad*>(pHand->pSkin)->setBend(float(0.5 * std::sin(4.0 * time)));
}

void Bear::showFace(const char* name)
{
    Skin* skin = frame(name);
    if (pFace->pSkin != skin) {
        pFace->setPlacement(skin, nullptr, nullptr, nullptr);
    }
}

void Bear::onStateChange()
{
    if (state == EYES_OPEN) {
        showFace("bear:1");
        StateBase::setState(EYES_SHUT, 0.2 + 1.8 * float(RandomSource::fraction()), false);
    } else if (state == EYES_SHUT) {
        showFace("bear:2");
        StateBase::setState(EYES_OPEN, 0.1, false);
    }
}
