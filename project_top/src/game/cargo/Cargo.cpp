#include "game/cargo/Cargo.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/QelAssert.h"
#include "game/MyGlobal.h"
#include "game/cargo/Bonuses.h"
#include "game/cargo/CargoColour.h"
#include "game/cargo/CargoFireball.h"
#include "game/cargo/CargoWildcard.h"
#include "game/controller/GameController.h"
#include "game/car/Car.h"
#include "game/dock/Dock.h"
#include "game/launcher/Launcher.h"
#include "graphics/Skin.h"
#include "math/RandomSource.h"

QEL_IMPLEMENT_RUNTIME_CLASS(Cargo, Renderable::runtimeClass(), QEL_NO_CREATOR);

const UColor Cargo::cargoColours[8] = {
    UColor(255, 16, 16, 255), UColor(255, 128, 0, 255), UColor(255, 255, 0, 255),   UColor(0, 192, 0, 255),
    UColor(0, 255, 255, 255), UColor(0, 0, 255, 255),   UColor(255, 64, 255, 255), UColor(255, 255, 255, 255),
};

namespace {

template <class Piece>
Cargo* make()
{
    return new Piece();
}

// The piece of each type number; null where no piece is made.
Cargo* (*const factories[Cargo::TYPE_COUNT])() = {
    make<CargoRed>,    make<CargoOrange>, make<CargoYellow>, make<CargoGreen>, make<CargoCyan>,
    make<CargoBlue>,   make<CargoPurple>, make<CargoWhite>,  nullptr,          make<CargoWildcard>,
    make<BonusWildcard>, make<BonusStop>, make<BonusRewind>, make<BonusColorBomb>, make<CargoFireball>,
    make<BonusFireball>, make<BonusBullseye>, make<BonusHeart>, make<BonusSlow>,
};

} // namespace

bool Cargo::isKnownType(i32 type)
{
    return type >= 0 && type < TYPE_COUNT && factories[type] != nullptr;
}

Cargo* Cargo::createByType(i32 type)
{
    if (!isKnownType(type)) {
        QEL_FATAL("Unknown type.");
    }
    Cargo* piece = factories[type]();
    piece->setupSprite();
    return piece;
}

Cargo::Cargo()
    : angleOffset(float(RandomSource::fraction() * 2.0 * std::numbers::pi))
    , angle(angleOffset)
{
    collisionSensitivity = 0.75f;
    rotation.z = angle;
}

void Cargo::showAngle(float value)
{
    angle = value;
    rotation.z = angle;
    updateXform();
}

void Cargo::setupSprite()
{
    if (pSkin == nullptr) {
        return;
    }
    const V3 half = pSkin->getHalfSize();
    collisionSensitivity = 16.0f / std::sqrt(half.dot(half));
}

namespace {

// The aim of the live game's launcher; 0 without one.
float launcherAim()
{
    const GameController* game = MyGlobal::liveGame();
    return game != nullptr && game->launcher != nullptr ? game->launcher->aimAngle : 0.0f;
}

} // namespace

void Cargo::onStateChange()
{
    if (state == STATE_QUEUED || state == STATE_HELD) {
        angleOffset = angle - launcherAim();
    } else if (state == STATE_FLYING) {
        angleOffset = angle;
    } else if (state == STATE_MOVING_TO_DOCK) {
        blend = 0.0f;
        blendFrom = position;
    } else if (state == STATE_IN_DOCK) {
        angleOffset = angle - carAngle();
    }
}

float Cargo::carAngle() const
{
    return dock != nullptr ? dock->car->rotation.z : 0.0f;
}

void Cargo::attachToDock(Dock* d)
{
    dock = d;
    position = d->centre();
    updateXform();
    if (!angleLocked) {
        showAngle(carAngle());
    }
    setState(STATE_IN_DOCK, 0.0, true);
}

void Cargo::moveToDock(Dock* d)
{
    dock = d;
    setState(STATE_MOVING_TO_DOCK, 0.0, true);
}

bool Cargo::isInHiddenDock() const
{
    return dock != nullptr && dock->hidden;
}

void Cargo::glideIn(double dt)
{
    angleOffset += float(spinSpeed * dt);
    if (!angleLocked) {
        angle = angleOffset;
        rotation.z = angle;
    }
    blend = std::min(blend + float(4.0 * dt), 1.0f);
    position = blendFrom + (dock->centre() - blendFrom) * blend;
    updateXform();
    if (blend >= 1.0f) {
        setState(STATE_IN_DOCK, 0.0, true);
    }
}

void Cargo::restInDock(double dt)
{
    if (spinAlways) {
        angleOffset += float(spinSpeed * dt);
    }
    position = dock->centre();
    if (!angleLocked) {
        angle = carAngle() + angleOffset;
        rotation.z = angle;
    }
    updateXform();
    if (lifeLeft > 0.0) {
        lifeLeft -= dt;
        if (lifeLeft <= 0.0) {
            bDead = 1;
        }
    }
}

void Cargo::update(double time, double dt)
{
    if (state == STATE_QUEUED || state == STATE_HELD) {
        if (spinAlways) {
            angleOffset += float(spinSpeed * dt);
        }
        if (!angleLocked) {
            showAngle(launcherAim() + angleOffset);
        }
    } else if (state == STATE_FLYING) {
        body.update(time, dt);
        angleOffset += float(spinSpeed * dt);
        if (!angleLocked) {
            angle = angleOffset;
            rotation.z = angle;
        }
        // Visibility is that of the last drawing.
        if (bVisible == 0) {
            if (GameController* game = MyGlobal::liveGame()) {
                game->placementStreak = 0;
            }
            bDead = 1;
        }
        position = body.position;
        updateXform();
    } else if (state == STATE_MOVING_TO_DOCK && dock != nullptr) {
        glideIn(dt);
    } else if (state == STATE_IN_DOCK && dock != nullptr) {
        restInDock(dt);
    }
    dieIfUnwanted();
}

void Cargo::dieIfUnwanted()
{
    const GameController* game = MyGlobal::liveGame();
    if (game == nullptr || game->cargoPicker.openDocks.empty() || isSpecial) {
        return;
    }
    if (dock != nullptr && dock->accepts(type)) {
        return;
    }
    if (type >= 0 && type < CargoPicker::COLOURS && !game->cargoPicker.isColourOpen(type)) {
        bDead = 1;
    }
}

void Cargo::detach()
{
    dock = nullptr;
    setState(STATE_FREE, 0.0, false);
}

void Cargo::setAngle(float base)
{
    if (!angleLocked) {
        showAngle(base + angleOffset);
    }
}

void Cargo::setAngleLock(bool lock)
{
    angleOffset = 0.0f;
    if (!angleLocked) {
        showAngle(0.0f);
    }
    angleLocked = lock;
}
