#include "game/launcher/Launcher.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "audio/Sound.h"
#include "engine/Context.h"
#include "engine/Qel.h"
#include "game/GameResources.h"
#include "game/LiveChildren.h"
#include "game/MyGlobal.h"
#include "game/cargo/Cargo.h"
#include "game/controller/GameController.h"
#include "game/effects/Firework.h"
#include "game/launcher/Claw.h"
#include "game/level/Level.h"
#include "graphics/Texture.h"
#include "input/QelInput.h"
#include "math/RandomSource.h"
#include "resource/ResourceManager.h"
#include "system/SystemUtils.h"

namespace {

constexpr float TWO_PI = 2.0f * std::numbers::pi_v<float>;
constexpr float NORMAL_SPEED = 640.0f;
constexpr float FAST_SPEED = 1000.0f;

bool spaceWentDown()
{
    const QelInput* input = g_qel->input;
    return input != nullptr && input->keyWentDown(DIK_SPACE);
}

V3 pointerInWorld()
{
    const Context* context = g_qel->currentContext;
    return context != nullptr ? context->mouseWorld : V3();
}

} // namespace

Launcher::Launcher() : claw(nullptr)
{
    setPlacement(gameFrame("launcher", 1), nullptr, nullptr, nullptr);
    const V3 stretched(3.0f, 1.0f, 1.0f);
    beam.setPlacement(gameFrame("beam", 0), nullptr, nullptr, &stretched);
    beam.bHidden = true;
    claw = new Claw(this);
    setState(STATE_OFF, 0.0, true);
}

Launcher::~Launcher()
{
    delete claw;
    claw = nullptr;
}

void Launcher::onStateChange()
{
    if (state == STATE_OFF) {
        clearQueue();
    }
}

void Launcher::clearQueue()
{
    queue.deleteChildren();
}

void Launcher::setActive(bool active)
{
    if (!active) {
        setState(STATE_OFF, 0.0, true);
    } else if (state == STATE_OFF) {
        setState(STATE_READY, 0.0, true);
    }
}

void Launcher::turnOff()
{
    setState(STATE_OFF, 0.0, true);
}

void Launcher::reset()
{
    spotIndex = -1;
    cycleSpot();
}

void Launcher::cycleSpot()
{
    GameController* game = MyGlobal::liveGame();
    const Level* level = game != nullptr ? game->level : nullptr;
    if (level == nullptr || level->launcherPositions.empty()) {
        return;
    }
    const i32 previous = spotIndex;
    const V3 from = position;
    spotIndex = spotIndex + 1 >= i32(level->launcherPositions.size()) ? 0 : spotIndex + 1;
    position = level->launcherPositions[size_t(spotIndex)];
    updateXform();
    if (previous == -1 || level->launcherPositions.size() < 2) {
        return;
    }
    playSound("pop");
    if (detailOn()) {
        game->popupLayer->addChildFront(
            new Firework(position.x, position.y, position.z, 20, 40.0f, 100.0f, 0.0f, TWO_PI, 3.0f, UColor()));
        game->popupLayer->addChildFront(new Firework(from.x, from.y, from.z, 10, 20.0f, 50.0f, 0.0f, TWO_PI, 3.0f,
                                                     UColor(255, 255, 255, 255)));
    }
}

void Launcher::addPiece(Cargo* piece, bool front)
{
    if (!front) {
        queue.addChildBack(piece);
        return;
    }
    if (state != STATE_OFF) {
        reloadDirection = -1;
        reloadPhase = 0.0f;
        setState(STATE_LOADING, 0.0, true);
    }
    queue.addChildFront(piece);
    piece->setScaleXY(0.0f);
}

void Launcher::update(double time, double dt)
{
    QelBase::update(time, dt);
    cycleIfAsked();
    aim();
    queue.update(time, dt);
    claw->update(time, dt);
    refillQueue();
    showBeam(dt);
    runStates(dt);
    showBowString();
    colourPointer();
}

void Launcher::cycleIfAsked()
{
    if (state != STATE_LOADING && state != STATE_READY) {
        return;
    }
    const GameController* game = MyGlobal::liveGame();
    const bool asked = spaceWentDown() || (game != nullptr && game->isCyclePressed());
    if (asked && claw->state == Claw::STATE_AT_REST) {
        cycleSpot();
    }
}

void Launcher::aim()
{
    const V3 pointer = pointerInWorld();
    aimAngle = std::atan2(pointer.y - position.y, pointer.x - position.x);
    rotation.z = aimAngle;
    aimDirection = V3(std::cos(aimAngle), std::sin(aimAngle), 0.0f);
    updateXform();
}

Cargo* Launcher::makePiece()
{
    if (fireballShots > 0) {
        --fireballShots;
        return Cargo::createByType(Cargo::TYPE_FIREBALL);
    }
    if (wildcardShots > 0) {
        --wildcardShots;
        return Cargo::createByType(Cargo::TYPE_WILDCARD);
    }
    GameController* game = MyGlobal::liveGame();
    const double r = RandomSource::fraction();
    const bool help = game != nullptr && r < double(game->helpProbability);
    CargoPicker* picker = game != nullptr ? &game->cargoPicker : nullptr;
    const i32 colour = picker == nullptr ? 0 : help ? picker->nearestColour() : picker->pickOpenColour(true);
    return Cargo::createByType(colour);
}

void Launcher::refillQueue()
{
    if (state != STATE_OFF) {
        while (countLive<Cargo>(queue) < QUEUE_LENGTH) {
            Cargo* piece = makePiece();
            queue.addChildBack(piece);
            piece->setState(Cargo::STATE_QUEUED, 0.0, true);
        }
    }
    while (countLive<Cargo>(queue) > QUEUE_LENGTH) {
        delete lastLive<Cargo>(queue);
    }
    layOutQueue();
}

void Launcher::layOutQueue()
{
    // Distances behind the launcher along the aim, and scales, of the
    // slots: the claw's rest point ahead, the bow, the second slot and the
    // point where a new piece appears.
    const float distances[4] = {-claw->baseLength, 0.0f, 34.0f, 25.0f};
    static constexpr float scales[4] = {0.0f, 1.0f, 0.55f, 0.0f};
    const int v = reloadDirection >= 0 ? 1 : 0;
    int k = 0;
    for (Cargo* piece = firstLive<Cargo>(queue); piece != nullptr && v + k + 1 < 4;
         piece = nearestLive<Cargo>(piece->next, true), ++k) {
        const int i = v + k;
        const float d = distances[i] + (distances[i + 1] - distances[i]) * reloadPhase;
        const float s = scales[i] + (scales[i + 1] - scales[i]) * reloadPhase;
        piece->position = position - aimDirection * d;
        piece->setScaleXY(s);
    }
}

void Launcher::showBeam(double dt)
{
    if (fastShotTime <= 0.0) {
        beam.bHidden = true;
        return;
    }
    beam.bHidden = false;
    const UColor white(255, 255, 255, 255);
    if (fastShotTime <= std::numbers::pi / 2.0) {
        lerpColor(beam.color, UColor(255, 255, 255, 0), white, float(std::sin(fastShotTime)));
    } else {
        beam.color = white;
    }
    fastShotTime -= dt;
    beam.position = position;
    beam.rotation.z = aimAngle;
    beam.updateXform();
}

void Launcher::runStates(double dt)
{
    GameController* game = MyGlobal::liveGame();
    if (state == STATE_LOADING) {
        if (reloadDirection < 0) {
            reloadPhase += float(8.0 * dt);
            if (reloadPhase >= 1.0f) {
                reloadPhase = 1.0f;
                setState(STATE_READY, 0.0, true);
            }
        } else {
            const double rate = fastShotTime > 0.0 ? 8.0 : 4.0;
            reloadPhase -= float(rate * dt);
            if (reloadPhase <= 0.0f) {
                reloadPhase = 0.0f;
                setState(STATE_READY, 0.0, true);
            }
        }
    } else if (state == STATE_READY && game != nullptr && game->isShootPressed() && !game->isPointerOnMenuButton()) {
        fire();
    }
    if ((state == STATE_LOADING || state == STATE_READY) && game != nullptr && game->isClawPressed() &&
        !game->isPointerOnMenuButton()) {
        const V3 pointer = pointerInWorld();
        claw->shoot(pointer.x, pointer.y, pointer.z);
    }
    if (state == STATE_OFF) {
        bowTension = 0.75f;
    } else if (state == STATE_LOADING) {
        bowTension = 1.0f - std::fabs(2.0f * reloadPhase - 1.0f);
    } else {
        bowTension = 0.0f;
    }
}

void Launcher::fire()
{
    auto* piece = firstLive<Cargo>(queue);
    GameController* game = MyGlobal::liveGame();
    if (piece == nullptr || game == nullptr) {
        return;
    }
    queue.removeChild(piece);
    const float factor = game->level != nullptr ? game->level->cameraFactor : 1.0f;
    const float speed = (fastShotTime > 0.0 ? FAST_SPEED : NORMAL_SPEED) * factor;
    piece->body.position = piece->position;
    piece->body.velocity = aimDirection * speed;
    piece->setState(Cargo::STATE_FLYING, 0.0, true);
    game->pieceLayer->addChildBack(piece);
    ++game->shotsFired;
    if (piece->launchSound != nullptr) {
        piece->launchSound->playAt(position);
    } else {
        Sound* bow = gameSound("bowSound");
        const bool fast = fastShotTime > 0.0;
        bow->pitchMin = fast ? 0.25f : 0.0f;
        bow->pitchMax = fast ? 0.25f : 0.1f;
        for (int i = 0; i < (fast ? 2 : 1); ++i) {
            bow->playAt(position);
        }
    }
    if (state != STATE_OFF) {
        reloadDirection = 1;
        reloadPhase = 1.0f;
        setState(STATE_LOADING, 0.0, true);
    }
}

void Launcher::showBowString()
{
    const auto* frames = static_cast<Texture*>(g_qel->resourceManager->find("bowstring", true));
    const int n = int(frames->skins.size());
    const int frame = std::max(0, int(std::clamp(bowTension, 0.0f, 1.0f) * float(n - 1)));
    bowString.setPlacement(frames->skins.at(size_t(frame)), &position, &rotation, nullptr);
}

void Launcher::colourPointer()
{
    GameController* game = MyGlobal::liveGame();
    if (game == nullptr) {
        return;
    }
    UColor colour(255, 255, 255, 255);
    if (g_global->settings.colorizeMouse) {
        const auto* front = firstLive<Cargo>(queue);
        colour = front == nullptr || front->type > 7 ? UColor(0x80, 0x80, 0x80, 0xFF) : Cargo::cargoColours[front->type];
    }
    game->mousePointer.color = colour;
    beam.color = UColor(colour.r, colour.g, colour.b, beam.color.a);
}

void Launcher::render()
{
    if (!beam.bHidden) {
        beam.render();
    }
    claw->render();
    Renderable::render();
    bowString.render();
    for (BasicLink* link = queue.lastChild; link != nullptr; link = link->prev) {
        if (!link->bDead) {
            static_cast<QelBase*>(link)->render();
        }
    }
}
