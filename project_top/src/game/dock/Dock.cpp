#include "game/dock/Dock.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/Qel.h"
#include "game/GameResources.h"
#include "game/MyGlobal.h"
#include "game/car/Car.h"
#include "game/cargo/Cargo.h"
#include "game/controller/GameController.h"
#include "game/effects/Firework.h"
#include "game/launcher/Claw.h"
#include "game/launcher/Launcher.h"
#include "game/track/Track.h"
#include "game/train/Train.h"
#include "game/train/TrainSegment.h"
#include "language/Language.h"
#include "net/Packet.h"
#include "system/StringUtils.h"
#include "system/SystemUtils.h"

Dock::Dock(Car* owner, i32 wanted) : car(owner)
{
    collisionSensitivity = 0.6f;
    setColour(wanted);
}

Dock::~Dock()
{
    if (GameController* game = MyGlobal::liveGame()) {
        game->cargoPicker.forgetDock(this);
        // A new dock at the same address is another dock to hint at.
        if (game->lastHintDock == this) {
            game->lastHintDock = nullptr;
        }
    }
    delete cargo;
    cargo = nullptr;
}

void Dock::setColour(i32 k)
{
    colour = k;
    if (k < 0 || k >= 8) {
        return;
    }
    color = Cargo::cargoColours[k];
    const bool marked = g_global != nullptr && g_global->settings.colorBlind;
    Skin* skin = gameFrame("dock", marked ? k + 1 : 0);
    if (skin != pSkin) {
        setPlacement(skin, nullptr, nullptr, nullptr);
    }
}

bool Dock::accepts(i32 type) const
{
    return type < 8 ? type == colour : type == Cargo::TYPE_WILDCARD;
}

bool Dock::isFilled() const
{
    return cargo != nullptr && accepts(cargo->type);
}

bool Dock::isDockedCorrectly() const
{
    return isFilled() && cargo->state == Cargo::STATE_IN_DOCK;
}

bool Dock::holdsBonus() const
{
    return cargo != nullptr && cargo->isSpecial;
}

bool Dock::holdsWrongCargo() const
{
    return cargo != nullptr && !cargo->isSpecial && !accepts(cargo->type);
}

void Dock::registerOpen()
{
    if (GameController* game = MyGlobal::liveGame()) {
        game->cargoPicker.registerDock(this);
    }
}

void Dock::replaceCargo(Cargo* piece, bool glide)
{
    Cargo* previous = cargo;
    cargo = piece;
    if (glide) {
        piece->moveToDock(this);
    } else {
        piece->attachToDock(this);
    }
    if (previous == nullptr) {
        return;
    }
    if (isFilled()) {
        previous->onCollect();
    }
    delete previous;
}

void Dock::setCargo(Cargo* piece)
{
    replaceCargo(piece, false);
}

void Dock::moveCargoIn(Cargo* piece)
{
    replaceCargo(piece, true);
    placeIcon();
}

void Dock::fillWithColour(bool effects)
{
    setCargo(Cargo::createByType(colour));
    GameController* game = MyGlobal::liveGame();
    if (effects && detailOn() && game != nullptr) {
        const V3 c = centre();
        game->popupLayer->addChildBack(
            new Firework(c.x, c.y, c.z, 5, 50.0f, 70.0f, 0.0f, 2.0f * std::numbers::pi_v<float>, 3.0f, color));
    }
}

bool Dock::receiveCargo(Cargo* piece)
{
    if (cargo != nullptr && !holdsBonus() && piece->type != Cargo::TYPE_FIREBALL) {
        return false;
    }
    if (hidden || !collide(piece)) {
        return false;
    }
    GameController* game = MyGlobal::liveGame();
    if (piece->type == Cargo::TYPE_FIREBALL) {
        if (isFilled()) {
            return false;
        }
        ++game->correctPlacements;
        fillWithColour(false);
        playSoundAt("fireworkBangShort", centre());
        return true;
    }
    if (QelBase* layer = piece->getParent()) {
        layer->removeChild(piece);
    }
    moveCargoIn(piece);
    if (isFilled()) {
        ++game->correctPlacements;
        ++game->placementStreak;
        if (game->placementStreak % 5 == 0) {
            const V3 c = centre();
            const UString text = formatString(g_qel->language->getText(Language::STREAKX), game->placementStreak);
            game->addScore(c.x, c.y, c.z, game->placementStreak * 100, text);
            playSoundAt("streak", c);
        } else {
            playSoundAt("tick", centre());
        }
    } else {
        ++game->incorrectPlacements;
        game->placementStreak = 0;
        playSoundAt("wrong", centre());
    }
    return true;
}

void Dock::update(double time, double dt)
{
    QelBase::update(time, dt);
    if (g_global != nullptr && g_global->settings.colorBlind) {
        rotation.z = -car->rotation.z;
        updateXform();
    }
    lambda = position.x + car->lambda;
    lambdaBack = backEdge();
    const Track* track = car->getTrack();
    hidden = track != nullptr && track->isHidden(lambda);
    if (!isFilled() && cargo != nullptr) {
        showIcon(time);
    }
    GameController* game = MyGlobal::liveGame();
    // A stopped train is already lost, or was stopped on loading past its mark.
    const bool stopped = car->segment != nullptr && car->segment->train != nullptr &&
                         car->segment->train->state == Train::STATE_STOPPED;
    if (game != nullptr && !stopped && isOpenPastTheMark()) {
        game->loseRound();
    }
    if (cargo != nullptr) {
        cargo->update(time, dt);
        if (cargo->bDead) {
            delete cargo;
            cargo = nullptr;
        } else if (!hidden && !isFilled()) {
            offerToClaw();
        }
    }
}

float Dock::backEdge() const
{
    return position.x + car->lambda - collisionSensitivity * boundsRadius;
}

bool Dock::isOpenPastTheMark() const
{
    const Track* track = car->getTrack();
    return track != nullptr && !isFilled() && backEdge() > track->tunnelLambda;
}

void Dock::offerToClaw()
{
    const GameController* game = MyGlobal::liveGame();
    if (game != nullptr && game->launcher->claw->tryGrab(cargo)) {
        cargo->detach();
        cargo = nullptr;
    }
}

void Dock::showIcon(double time)
{
    const bool bonus = holdsBonus();
    Skin* skin = gameFrame("placementIcons", bonus ? 1 : 0);
    if (bonus) {
        icon.color = color;
    } else {
        lerpColor(icon.color, UColor(128, 128, 128, 255), UColor(255, 255, 255, 255),
                  float(0.5 + 0.5 * std::sin(16.0 * time)));
    }
    if (skin != icon.pSkin) {
        icon.setPlacement(skin, nullptr, nullptr, nullptr);
    }
    placeIcon();
}

void Dock::placeIcon()
{
    icon.position = centre();
    icon.updateXform();
}

void Dock::render()
{
    if (!isFilled()) {
        Renderable::render();
    }
    if (cargo != nullptr) {
        cargo->render();
        if (!isFilled()) {
            icon.render();
        }
    }
}

void Dock::serialize(Packet* packet)
{
    i32 wanted = colour;
    bool hasPiece = cargo != nullptr;
    i32 type = hasPiece ? cargo->type : 0;
    packet->doInt(&wanted);
    packet->doBool(&hasPiece);
    if (hasPiece) {
        packet->doInt(&type);
    }
    if (packet->bWriting || packet->hasError()) {
        return;
    }
    if (wanted < 0 || wanted >= 8) {
        packet->setError("dock: a colour out of range");
        return;
    }
    if (hasPiece && !Cargo::isKnownType(type)) {
        packet->setError("dock: an unknown piece type");
        return;
    }
    setColour(wanted);
    if (hasPiece) {
        setCargo(Cargo::createByType(type));
    } else {
        delete cargo;
        cargo = nullptr;
    }
}
