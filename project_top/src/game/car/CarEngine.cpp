#include "game/car/CarEngine.h"

#include <numbers>

#include "game/GameResources.h"
#include "game/MyGlobal.h"
#include "game/controller/GameController.h"
#include "game/effects/Smoke.h"
#include "graphics/Skin.h"
#include "game/track/Track.h"
#include "game/train/Train.h"
#include "game/train/TrainSegment.h"

namespace {
// A puff of smoke at the point, drifting backward from the car.
void puff(const Car& car, V3 at, int count, float speedMin, float speedMax, float size)
{
    GameController* game = MyGlobal::liveGame();
    const auto pi = std::numbers::pi_v<float>;
    game->popupLayer->addChildFront(new Smoke(at.x, at.y, at.z, count, speedMin, speedMax, car.rotation.z + pi,
                                              pi / 2.0f, size, UColor(255, 255, 255, 255)));
}
} // namespace

CarEngine::CarEngine() : Car(0)
{
    isEngine = true;
}

void CarEngine::update(double time, double dt)
{
    Car::update(time, dt);
    const Train* train = segment != nullptr ? segment->train : nullptr;
    if (train != nullptr && train->state == Train::STATE_COMPLETE) {
        ringBell();
    }
    puffSmoke(dt);
}

void CarEngine::ringBell()
{
    const Track* track = getTrack();
    if (track == nullptr || !(lambda < track->tunnelLambda && lambda > nextBellLambda)) {
        return;
    }
    if (nextBellLambda > 0.0f) {
        MyGlobal::liveGame()->addScore(position.x, position.y, position.z, 100, UString());
        playSoundAt("trainBell", position);
    }
    nextBellLambda = lambda + 100.0f;
}

void CarEngine::puffSmoke(double dt)
{
    const Track* track = getTrack();
    if (track == nullptr || track->isHidden(lambda + smokeOffset) || !detailOn()) {
        return;
    }
    smokeTimer += dt;
    if (smokeTimer < smokeInterval) {
        return;
    }
    smokeTimer = 0.0;
    const V3 at = local2world(V3(smokeOffset, 0.0f, 0.0f));
    const bool leaving = segment->train->state >= Train::STATE_COMPLETE;
    if (leaving) {
        puff(*this, at, 2, 5.0f, 5.0f, 3.0f);
    } else {
        puff(*this, at, 1, 1.0f, 1.0f, 1.0f);
    }
}

void CarEngine::checkFilled()
{
    if (previousCar() == nullptr || !detailOn()) {
        return;
    }
    const float w = pSkin->width;
    for (float t : {0.25f, 0.495f, 0.74f}) {
        puff(*this, local2world(V3(-w / 2.0f + w * t, 0.0f, 0.0f)), 5, 1.0f, 20.0f, 6.0f);
        playSoundAt("boom", position);
    }
}
