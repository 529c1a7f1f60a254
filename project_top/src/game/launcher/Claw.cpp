#include "game/launcher/Claw.h"

#include <algorithm>
#include <cmath>

#include "audio/Sound.h"
#include "game/GameResources.h"
#include "game/MyGlobal.h"
#include "game/cargo/Cargo.h"
#include "game/controller/GameController.h"
#include "game/launcher/Launcher.h"
#include "global/Geometry.h"
#include "graphics/Camera.h"
#include "graphics/Quad.h"
#include "graphics/Texture.h"

Claw::Claw(Launcher* owner) : launcher(owner)
{
    collisionSensitivity = 0.4f;
    setPlacement(gameFrame("launcher", 2), nullptr, nullptr, nullptr);
    // A chain of its own, as its texture coordinates change with its length.
    auto* shared = static_cast<Quad*>(gameFrame("chain", 0));
    auto* own = new Quad();
    own->texture = shared->texture;
    own->uvLeft = shared->uvLeft;
    own->uvTop = shared->uvTop;
    own->uvRight = shared->uvRight;
    own->uvBottom = shared->uvBottom;
    chain.setPlacement(own, nullptr, nullptr, nullptr);
    chain.bOwnsSkin = true;
    setChainLength(0.0f);
    body.clearForce = false;
    setState(STATE_AT_REST, 0.0, true);
}

Claw::~Claw()
{
    delete heldPiece;
    heldPiece = nullptr;
}

void Claw::onStateChange()
{
    if (state == STATE_AT_REST) {
        heldPiece = nullptr;
    }
}

void Claw::shoot(float x, float y, float)
{
    const GameController* game = MyGlobal::liveGame();
    if (state != STATE_AT_REST || game == nullptr) {
        return;
    }
    const ViewRect view = game->sceneLayer->camera->getViewRect(0.0f);
    const RectF area{view.left, view.top, view.right, view.bottom};
    const V3 from = launcher->position;
    const float a = std::atan2(y - from.y, x - from.x);
    const V3 ray = rayToRectangle(from.x, from.y, from.z, a, area);
    const float r = std::sqrt(ray.dot(ray));
    if (r < baseLength) {
        return;
    }
    const float e = r - baseLength;
    body.position = V3();
    body.previousPosition = V3();
    body.force = V3(-PULL, 0.0f, 0.0f);
    body.velocity = V3(std::sqrt(2.0f * e / PULL) * PULL, 0.0f, 0.0f);
    setState(STATE_OUT, 0.0, true);
}

bool Claw::tryGrab(Cargo* piece)
{
    if (state != STATE_OUT || heldPiece != nullptr || !collide(piece)) {
        return false;
    }
    heldPiece = piece;
    body.force.x *= 4.0f;
    piece->setState(Cargo::STATE_HELD, 0.0, true);
    return true;
}

void Claw::deliver()
{
    Cargo* piece = heldPiece;
    heldPiece = nullptr;
    if (piece == nullptr) {
        return;
    }
    if (piece->onCollect()) {
        delete piece;
        return;
    }
    piece->setState(Cargo::STATE_QUEUED, 0.0, true);
    launcher->addPiece(piece, true);
}

void Claw::update(double time, double dt)
{
    QelBase::update(time, dt);
    rotation.z = launcher->aimAngle;
    const V3 aim = launcher->aimDirection;
    if (state == STATE_AT_REST) {
        position = launcher->position + aim * baseLength;
    } else if (state == STATE_OUT) {
        body.update(time, dt);
        float e = body.position.x;
        if (e < 0.0f) {
            e = 0.0f;
            body.position.x = 0.0f;
        }
        position = launcher->position + aim * (baseLength + e);
        if (e == 0.0f) {
            deliver();
            setState(STATE_AT_REST, 0.0, true);
        }
        setChainLength(chainOffset + baseLength + e);
        if (time > nextClickTime) {
            const float u = std::clamp((e - 100.0f) / 400.0f, 0.0f, 1.0f);
            gameSound("chainClick")->playAtFrequency(1.0f + u * (0.85f - 1.0f));
            nextClickTime = time + 0.1;
        }
    }
    updateXform();
    if (heldPiece != nullptr) {
        heldPiece->position = position;
        heldPiece->updateXform();
        heldPiece->setAngle(launcher->aimAngle);
        heldPiece->update(time, dt);
        // A piece nobody wants any more vanishes in the claw too.
        if (heldPiece->bDead) {
            delete heldPiece;
            heldPiece = nullptr;
        }
    }
    chain.position = position + aim * chainOffset;
    chain.rotation.z = rotation.z;
    chain.updateXform();
}

void Claw::setChainLength(float length)
{
    auto* quad = static_cast<Quad*>(chain.pSkin);
    quad->uvLeft = quad->uvRight - length / float(quad->texture->uvWidth);
    quad->rebuild();
    quad->setOrigin(6);
    chain.updateXform();
}

void Claw::render()
{
    chain.render();
    Renderable::render();
    if (heldPiece != nullptr) {
        heldPiece->render();
    }
}
