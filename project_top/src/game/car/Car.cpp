#include "game/car/Car.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "game/GameResources.h"
#include "game/LiveChildren.h"
#include "game/MyGlobal.h"
#include "game/car/CarEngine.h"
#include "game/car/CarShadow.h"
#include "game/car/CarWagons.h"
#include "game/controller/GameController.h"
#include "game/dock/Dock.h"
#include "game/effects/Firework.h"
#include "game/level/Level.h"
#include "game/track/Track.h"
#include "game/train/Train.h"
#include "game/train/TrainSegment.h"
#include "graphics/FontQuad.h"
#include "graphics/QelGraphics.h"
#include "graphics/Skin.h"
#include "math/RandomSource.h"
#include "net/Packet.h"
#include "system/StringUtils.h"

namespace {
// Bit of the debug level that labels each segment's first car.
constexpr u32 DEBUG_CARS = 1;
} // namespace

Car* Car::createByType(i32 type)
{
    switch (type) {
    case 0:
        return new CarEngine();
    case 1:
        return new Car1();
    case 2:
        return new Car2();
    case 3:
        return new Car3();
    default:
        QEL_FATAL("Should not get here");
    }
}

Car::Car(i32 type) : carType(type)
{
    Skin* skin = gameFrame("car", type);
    if (skin != pSkin) {
        setPlacement(skin, nullptr, nullptr, nullptr);
    }
    bodyLength = skin->width - bodyInset;
}

Car::~Car()
{
    delete shadow;
    shadow = nullptr;
    dockHolder.deleteChildren();
}

void Car::addDocks(std::initializer_list<float> offsets)
{
    GameController* game = MyGlobal::liveGame();
    i32 colour = 0;
    bool first = true;
    for (float offset : offsets) {
        if (first) {
            colour = game->cargoPicker.randomEnabledColour();
            first = false;
        } else if (RandomSource::fraction() < double(game->freshColourChance)) {
            colour = game->cargoPicker.randomEnabledColour();
        }
        auto* dock = new Dock(this, colour);
        const V3 at(offset, 0.0f, 0.0f);
        dock->setPlacement(nullptr, &at, nullptr, nullptr);
        dockHolder.addChildBack(dock);
    }
    updateXform();
}

Track* Car::getTrack() const
{
    return segment != nullptr && segment->train != nullptr ? segment->train->track : nullptr;
}

Car* Car::nextCar() const
{
    return segment != nullptr ? nearestLive<Car>(next, true) : nullptr;
}

Car* Car::previousCar() const
{
    return segment != nullptr ? nearestLive<Car>(prev, false) : nullptr;
}

void Car::createShadow()
{
    if (shadow != nullptr) {
        return;
    }
    shadow = new CarShadow();
    shadow->setPlacement(pSkin, nullptr, nullptr, nullptr);
    shadow->depth = depth + 5.0f;
    updateXform();
}

void Car::setDepth(float z)
{
    depth = z;
    if (shadow != nullptr) {
        shadow->depth = z + 5.0f;
    }
}

void Car::placeShadow(V3 at, float angle)
{
    if (!detailOn() || shadow == nullptr) {
        return;
    }
    Renderable& coupling = shadow->coupling;
    coupling.position = at;
    coupling.updateXform();
    coupling.rotation.z = angle;
    coupling.updateXform();
}

i32 Car::getDockPoints() const
{
    return 100 * i32(dockHolder.countChildren());
}

int Car::countDocks() const
{
    return countLive<Dock>(dockHolder);
}

bool Car::isComplete() const
{
    if (countDocks() == 0) {
        return false;
    }
    return findLive<Dock>(dockHolder, [](Dock* dock) { return !dock->isDockedCorrectly(); }) == nullptr;
}

bool Car::offerCargo(Cargo* piece)
{
    return findLive<Dock>(dockHolder, [piece](Dock* dock) { return dock->receiveCargo(piece); }) != nullptr;
}

int Car::countOpenDocks() const
{
    int open = 0;
    forEachLive<Dock>(dockHolder, [&open](Dock* dock) { open += dock->isDockedCorrectly() ? 0 : 1; });
    return open;
}

void Car::registerDocks()
{
    forEachLive<Dock>(dockHolder, [](Dock* dock) { dock->registerOpen(); });
}

void Car::fillOpenDocks(bool effects)
{
    forEachLive<Dock>(dockHolder, [effects](Dock* dock) {
        if (dock->isEmpty() || dock->holdsBonus()) {
            dock->fillWithColour(effects);
        }
    });
}

bool Car::hasWrongCargo() const
{
    return findLive<Dock>(dockHolder, [](Dock* dock) { return dock->holdsWrongCargo(); }) != nullptr;
}

void Car::update(double time, double dt)
{
    const Track* track = getTrack();
    if (shadow != nullptr) {
        shadow->coupling.bHidden = nextCar() == nullptr;
    }
    const bool gone = track != nullptr && rearLambda > track->tunnelLambda;
    bHidden = gone;
    if (shadow != nullptr) {
        shadow->bHidden = gone;
    }
    QelBase::update(time, dt);
    dockHolder.update(time, dt);
}

void Car::updateXform()
{
    Renderable::updateXform();
    forEachLive<Dock>(dockHolder, [this](Dock* dock) { dock->setPostXform(xform); });
    if (shadow != nullptr && dropShadowsOn()) {
        shadow->position = position + Level::liveLightVector() * 8.0f;
        shadow->updateXform();
        shadow->rotation = rotation;
        shadow->updateXform();
    }
}

void Car::renderDepth()
{
    if (bHidden) {
        return;
    }
    Renderable::render();
    dockHolder.render();
    if ((u32(g_qel->debugLevel) & DEBUG_CARS) == 0 || segment == nullptr || previousCar() != nullptr) {
        return;
    }
    FontQuad* font = g_global != nullptr ? g_global->fontSmall : nullptr;
    if (font == nullptr) {
        return;
    }
    const UColor white = UColor::fromWord(0xffffffff);
    const PhysicsTrain& body = segment->body;
    const int segments = segment->train != nullptr ? int(segment->train->segments->countChildren()) : 0;
    font->printAt(position.x, position.y + 10.0f, 0.0f, white, 0, formatString("segs %d", segments));
    font->printAt(position.x, position.y, 0.0f, white, 0, formatString("speed=%d", int(body.velocity.x)));
    font->printAt(position.x, position.y - 20.0f, 0.0f, white, 0, formatString("maxspeed=%d", int(body.maxSpeed)));
}

void Car::checkFilled()
{
    if (!isComplete()) {
        return;
    }
    GameController* game = MyGlobal::liveGame();
    game->countFilledCar(this);
    if (detailOn()) {
        forEachLive<Dock>(dockHolder, [game](Dock* dock) {
            const V3 c = dock->centre();
            game->popupLayer->addChildBack(new Firework(c.x, c.y, c.z, 5, 50.0f, 70.0f, 0.0f,
                                                        2.0f * std::numbers::pi_v<float>, 3.0f,
                                                        UColor(255, 255, 255, 255)));
        });
    }
    float p = 0.0f;
    const Track* track = getTrack();
    if (track != nullptr) {
        p = (segment->train->getFrontLambda() - track->createLambda) / (track->tunnelLambda - track->createLambda);
        p = std::clamp(p, 0.0f, 1.0f);
    }
    playSoundSemitones("handClap", int(12.0f * p));
}

void Car::serialize(Packet* packet)
{
    float values[6] = {bodyLength, bodyInset, couplingLength, frontLambda, bodyRearLambda, rearLambda};
    for (float& value : values) {
        packet->doBytes(&value, 4);
    }
    bool engine = isEngine;
    packet->doBool(&engine);
    if (!packet->bWriting && !packet->hasError()) {
        if (!std::all_of(std::begin(values), std::end(values), [](float v) { return std::isfinite(v); })) {
            packet->setError("car: a value that is not finite");
        } else if (engine != isEngine || values[0] != bodyLength || values[2] != couplingLength) {
            packet->setError("car: lengths or engine flag not of its type");
        } else {
            bodyInset = values[1];
            frontLambda = values[3];
            bodyRearLambda = values[4];
            rearLambda = values[5];
            // Its docks can judge their places before the first layout.
            lambda = middleLambda();
        }
    }
    forEachLive<Dock>(dockHolder, [packet](Dock* dock) {
        if (!packet->hasError() || packet->bWriting) {
            dock->serialize(packet);
        }
    });
}
