#include "game/train/Train.h"

#include <algorithm>
#include <cmath>

#include "audio/SoundChannel.h"
#include "engine/Qel.h"
#include "game/GameResources.h"
#include "game/LiveChildren.h"
#include "game/MyGlobal.h"
#include "game/car/Car.h"
#include "game/cargo/Cargo.h"
#include "game/controller/GameController.h"
#include "game/dock/Dock.h"
#include "game/effects/Heart.h"
#include "game/track/Track.h"
#include "game/train/TrainSegment.h"
#include "global/Global.h"
#include "language/Language.h"
#include "net/Packet.h"

Train::Train(Packet* packet) : segments(new QelBase())
{
    addChildBack(segments);
    if (packet != nullptr) {
        serialize(packet);
        return;
    }
    auto* segment = new TrainSegment();
    addSegment(segment, nullptr);
    segment->addCar(Car::createByType(0), true);
    setState(STATE_ENTERING, 0.0, false);
}

Train::~Train()
{
    if (engineSound != nullptr) {
        engineSound->stop();
        delete engineSound;
        engineSound = nullptr;
    }
}

TrainSegment* Train::firstSegment() const
{
    return firstLive<TrainSegment>(*segments);
}

TrainSegment* Train::lastSegment() const
{
    return lastLive<TrainSegment>(*segments);
}

void Train::addSegment(TrainSegment* segment, TrainSegment* after)
{
    segment->train = this;
    if (after != nullptr) {
        segments->insertAfter(segment, after);
    } else {
        segments->addChildBack(segment);
    }
}

float Train::getFrontLambda() const
{
    const TrainSegment* segment = firstSegment();
    return segment != nullptr ? segment->getFrontLambda() : 0.0f;
}

float Train::getRearLambda() const
{
    const TrainSegment* segment = lastSegment();
    return segment != nullptr ? segment->getRearLambda() : 0.0f;
}

void Train::setFrontLambda(float lambda)
{
    const TrainSegment* segment = firstSegment();
    if (Car* car = segment != nullptr ? segment->firstCar() : nullptr) {
        car->frontLambda = lambda;
    }
}

int Train::countOpenDocks() const
{
    int open = 0;
    forEachLive<TrainSegment>(*segments, [&open](TrainSegment* segment) { open += segment->countOpenDocks(); });
    return open;
}

bool Train::hasOpenDockPastTheMark() const
{
    return findLive<TrainSegment>(*segments, [](TrainSegment* segment) {
               return findLive<Car>(*segment->cars, [](Car* car) {
                          return findLive<Dock>(car->dockHolder, [](Dock* dock) { return dock->isOpenPastTheMark(); }) !=
                                 nullptr;
                      }) != nullptr;
           }) != nullptr;
}

void Train::registerDocks()
{
    forEachLive<TrainSegment>(*segments, [](TrainSegment* segment) { segment->registerDocks(); });
}

void Train::stop()
{
    setState(STATE_STOPPED, 0.0, false);
}

void Train::update(double time, double dt)
{
    GameController* game = MyGlobal::liveGame();
    const float front = getFrontLambda();
    if (state == STATE_ENTERING) {
        push = ENTRY_PUSH;
        if (front > track->sprintLambda) {
            push = 0.0f;
            setState(STATE_RUNNING, 0.0, false);
            if (engineSound != nullptr) {
                engineSound->setVolume(0.0f, 0.5);
            }
            if (game != nullptr) {
                game->onTrainArrived(this);
            }
        }
    }
    if (state == STATE_RUNNING) {
        if (front >= track->resistanceLambda) {
            push = 0.0f;
        } else {
            const float p = std::clamp((front - track->createLambda) / (track->resistanceLambda - track->createLambda),
                                       0.0f, 1.0f);
            push = ENTRY_PUSH * (1.0f - p);
        }
    }
    applyDrive();
    spawnCars();
    forEachLive<TrainSegment>(*segments, [](TrainSegment* segment) { segment->checkCars(); });
    QelBase::update(time, dt);
    joinSegments();
    offerCargo();
    if (state == STATE_ENTERING) {
        updateEngineSound();
    }
    if (firstSegment() == nullptr) {
        bDead = 1;
    }
}

void Train::updateEngineSound()
{
    if (engineSound == nullptr) {
        engineSound = new SoundChannel(gameSound("engineChug"));
    }
    const TrainSegment* segment = firstSegment();
    if (const Car* car = segment != nullptr ? segment->firstCar() : nullptr) {
        engineSound->setPanFromScreenX(car->position);
    }
    if (!engineSound->isPlaying()) {
        engineSound->play();
    }
}

void Train::applyDrive()
{
    TrainSegment* first = firstSegment();
    const GameController* game = MyGlobal::liveGame();
    if (first == nullptr || game == nullptr) {
        return;
    }
    if (first != lastSegment()) {
        first->body.force.x += game->pullBackForce;
        return;
    }
    const float p = std::clamp((getFrontLambda() - track->dangerLambda) / (track->tunnelLambda - track->dangerLambda),
                               0.0f, 1.0f);
    const float drive = game->driveForce + (game->driveForceAtTunnel - game->driveForce) * p;
    const double clock = game->time;
    float force = drive;
    if (clock < game->rewindUntil) {
        force = -1.5f * drive;
    } else if (clock < game->stopUntil) {
        force = 0.0f;
    } else if (clock < game->slowUntil) {
        force = 0.25f * drive;
    }
    first->body.force.x += force;
    if (first->body.velocity.x >= 0.0f) {
        if (combo >= 4) {
            playSound("applause3");
        } else if (combo == 3) {
            playSound("applause2");
        } else if (combo == 2) {
            playSound("applause1");
        }
        combo = 0;
    }
    if (state == STATE_COMPLETE || state == STATE_STOPPED) {
        first->body.force.x += game->exitForce;
    } else if (state == STATE_RUNNING && dockTarget <= docksCreated && first->countOpenDocks() == 0) {
        setState(STATE_COMPLETE, 0.0, false);
        if (const Car* car = first->firstCar()) {
            playSoundAt("toot", car->position);
        }
    }
}

void Train::spawnCars()
{
    GameController* game = MyGlobal::liveGame();
    while (game != nullptr && dockTarget > docksCreated) {
        TrainSegment* last = lastSegment();
        if (last == nullptr || !(last->getRearLambda() > track->createLambda)) {
            return;
        }
        Car* car = Car::createByType(game->cargoPicker.pickCarType());
        docksCreated += car->countDocks();
        last->addCar(car, true);
    }
}

void Train::joinSegments()
{
    BasicLink* link = segments->firstChild;
    while (link != nullptr && link->next != nullptr) {
        auto* ahead = static_cast<TrainSegment*>(static_cast<QelBase*>(link));
        auto* behind = static_cast<TrainSegment*>(static_cast<QelBase*>(link->next));
        if (!TrainSegment::overlaps(ahead, behind)) {
            link = link->next;
            continue;
        }
        const V3 joint = track->spline.getPoint(behind->getFrontLambda());
        Car* lastAhead = ahead->lastCar();
        Car* firstBehind = behind->firstCar();
        const Dock* dockA = nullptr;
        const Dock* dockB = nullptr;
        if (lastAhead != nullptr && firstBehind != nullptr) {
            dockA = lastLive<Dock>(lastAhead->dockHolder);
            dockB = firstLive<Dock>(firstBehind->dockHolder);
        }
        if (dockA != nullptr && dockB != nullptr && dockA->colour == dockB->colour && !lastAhead->hasWrongCargo() &&
            !firstBehind->hasWrongCargo()) {
            celebrateMatch(ahead, behind, joint);
        }
        playSoundAt("segmentImpact", joint);
        ahead->body.velocity = (ahead->body.velocity + behind->body.velocity) * 0.5f;
        while (Car* car = behind->firstCar()) {
            ahead->addCar(car, false);
        }
        delete behind;
    }
}

void Train::celebrateMatch(TrainSegment* ahead, TrainSegment* behind, V3 joint)
{
    GameController* game = MyGlobal::liveGame();
    Car* lastAhead = ahead->lastCar();
    lastAhead->fillOpenDocks(true);
    behind->firstCar()->fillOpenDocks(true);
    const int old = combo;
    combo = old + 1;
    playSoundSemitones("vibe", std::min(12, 3 * old));
    game->popupLayer->addChildBack(new Heart(joint.x, joint.y, joint.z));
    ProfileStore& profiles = g_global->profiles;
    Profile& profile = profiles.getProfile(profiles.currentIndex);
    if (profile.addHeart() <= 0) {
        game->addScore(joint.x, joint.y, joint.z, 10000, g_qel->language->getText(Language::EXTRALIFE));
        playSound("extraLife");
    }
    profile.addScore(combo * 1000);
    playSoundAt("fireworkBangShort", lastAhead->position);
}

void Train::offerCargo()
{
    const GameController* game = MyGlobal::liveGame();
    if (game == nullptr) {
        return;
    }
    // The first segment that takes a piece ends the offer for this frame.
    findLive<TrainSegment>(*segments, [game](TrainSegment* segment) {
        return findLive<Cargo>(*game->pieceLayer, [segment](Cargo* piece) { return segment->offerCargo(piece); }) !=
               nullptr;
    });
}

void Train::serialize(Packet* packet)
{
    StateBase::netSerialize(packet);
    packet->doBytes(&push, 4);
    packet->doInt(&dockTarget);
    packet->doInt(&docksCreated);
    packet->doInt(&combo);
    i32 count = packet->bWriting ? i32(segments->countChildren()) : 0;
    packet->doInt(&count);
    if (packet->bWriting) {
        for (BasicLink* link = segments->firstChild; link != nullptr; link = link->next) {
            static_cast<TrainSegment*>(static_cast<QelBase*>(link))->serialize(packet);
        }
        return;
    }
    if (packet->hasError()) {
        return;
    }
    if (state < STATE_ENTERING || state > STATE_STOPPED || stateGoto < 0 || stateGoto > STATE_STOPPED) {
        packet->setError("train: a state out of range");
    } else if (!std::isfinite(timeInState) || !std::isfinite(stateLeft) || !std::isfinite(push)) {
        packet->setError("train: a time or push that is not finite");
    } else if (count < 0 || count > MAX_SEGMENTS) {
        packet->setError("train: a segment count out of range");
    }
    for (i32 i = 0; i < count && !packet->hasError(); ++i) {
        auto* segment = new TrainSegment();
        addSegment(segment, nullptr);
        segment->serialize(packet);
    }
}
