#include "game/train/TrainSegment.h"

#include <cmath>

#include "game/LiveChildren.h"
#include "game/MyGlobal.h"
#include "game/car/Car.h"
#include "game/car/CarShadow.h"
#include "game/controller/GameController.h"
#include "game/track/Track.h"
#include "game/train/Train.h"
#include "global/Global.h"
#include "net/Packet.h"

TrainSegment::TrainSegment() : cars(new QelBase())
{
    body.damping = 5.0f;
    addChildBack(cars);
}

Car* TrainSegment::firstCar() const
{
    return firstLive<Car>(*cars);
}

Car* TrainSegment::lastCar() const
{
    return lastLive<Car>(*cars);
}

void TrainSegment::update(double time, double dt)
{
    Car* first = firstCar();
    if (first == nullptr) {
        bDead = 1;
        return;
    }
    body.position.x = first->frontLambda;
    if (const GameController* game = MyGlobal::liveGame()) {
        body.maxSpeed = game->speedMax;
        body.minSpeed = game->speedMin;
    }
    body.force.x += train->push;
    body.update(time, dt);
    first->frontLambda = body.position.x;
    layoutCars();
    QelBase::update(time, dt);
}

void TrainSegment::layoutCars()
{
    Track* track = train->track;
    const SplineLambda& path = track->spline;
    Car* first = firstCar();
    float cursor = first != nullptr ? first->frontLambda : 0.0f;
    forEachLive<Car>(*cars, [&](Car* car) {
        V3 front;
        float z = 0.0f;
        path.getPointAndHeading(cursor, &front, nullptr, &z);
        car->frontLambda = cursor;
        car->setDepth(z);
        const float a = track->getLag(car->bodyLength, cursor);
        car->bodyRearLambda = a;
        car->lambda = car->middleLambda();
        const V3 rear = path.getPoint(a);
        const V3 middle = (front + rear) * 0.5f;
        const V3 turn(0.0f, 0.0f, std::atan2(front.y - rear.y, front.x - rear.x));
        car->setPlacement(nullptr, &middle, &turn, nullptr);
        const float b = track->getLag(car->couplingLength, a);
        const V3 end = path.getPoint(b);
        car->placeShadow((rear + end) * 0.5f, std::atan2(rear.y - end.y, rear.x - end.x));
        car->rearLambda = b;
        cursor = b;
    });
}

void TrainSegment::addCar(Car* car, bool isNew)
{
    car->segment = this;
    if (isNew) {
        car->createShadow();
        if (GameController* game = MyGlobal::liveGame()) {
            game->countCarDocks(car);
        }
    }
    cars->addChildBack(car);
}

float TrainSegment::getFrontLambda() const
{
    const Car* car = firstCar();
    return car != nullptr ? car->frontLambda : 0.0f;
}

float TrainSegment::getRearLambda() const
{
    const Car* car = lastCar();
    return car != nullptr ? car->rearLambda : 0.0f;
}

bool TrainSegment::overlaps(const TrainSegment* a, const TrainSegment* b)
{
    return a->getRearLambda() < b->getFrontLambda() && b->getRearLambda() < a->getFrontLambda();
}

int TrainSegment::countOpenDocks() const
{
    int open = 0;
    forEachLive<Car>(*cars, [&open](Car* car) { open += car->countOpenDocks(); });
    return open;
}

void TrainSegment::registerDocks()
{
    forEachLive<Car>(*cars, [](Car* car) { car->registerDocks(); });
}

bool TrainSegment::offerCargo(Cargo* piece)
{
    return findLive<Car>(*cars, [piece](Car* car) { return car->offerCargo(piece); }) != nullptr;
}

void TrainSegment::checkCars()
{
    const Track* track = train->track;
    Car* first = firstCar();
    Car* finished = findLive<Car>(*cars, [&](Car* car) {
        return car->isComplete() || car->rearLambda >= track->destroyLambda || (car->isEngine && car != first);
    });
    if (finished == nullptr) {
        return;
    }
    if (train->state != Train::STATE_STOPPED && g_global != nullptr) {
        ProfileStore& profiles = g_global->profiles;
        profiles.getProfile(profiles.currentIndex).addScore(finished->getDockPoints());
    }
    removeCar(finished);
}

void TrainSegment::removeCar(Car* car)
{
    if (car->previousCar() != nullptr && car->nextCar() != nullptr) {
        auto* rear = new TrainSegment();
        rear->body.position = body.position;
        rear->body.velocity = body.velocity;
        rear->body.acceleration = body.acceleration;
        rear->body.force = body.force;
        while (Car* moving = car->nextCar()) {
            rear->addCar(moving, false);
        }
        train->addSegment(rear, this);
    }
    car->checkFilled();
    delete car;
}

void TrainSegment::serialize(Packet* packet)
{
    body.serialize(packet);
    i32 count = packet->bWriting ? i32(cars->countChildren()) : 0;
    packet->doInt(&count);
    if (packet->bWriting) {
        for (BasicLink* link = cars->firstChild; link != nullptr; link = link->next) {
            auto* car = static_cast<Car*>(static_cast<QelBase*>(link));
            i32 type = car->carType;
            packet->doInt(&type);
            car->serialize(packet);
        }
        return;
    }
    if (count < 0 || count > MAX_CARS) {
        packet->setError("train segment: a car count out of range");
        return;
    }
    for (i32 i = 0; i < count && !packet->hasError(); ++i) {
        i32 type = 0;
        packet->doInt(&type);
        if (packet->hasError()) {
            return;
        }
        if (!Car::isCarType(type)) {
            packet->setError("train segment: an unknown car type");
            return;
        }
        Car* car = Car::createByType(type);
        car->createShadow();
        car->serialize(packet);
        addCar(car, false);
    }
}
