#include "game/track/Track.h"

#include <algorithm>

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "game/LiveChildren.h"
#include "game/MyGlobal.h"
#include "game/car/Car.h"
#include "game/controller/GameController.h"
#include "game/track/SplineLagInfo.h"
#include "game/track/TrackHiddenSpan.h"
#include "game/train/Train.h"
#include "game/train/TrainSegment.h"
#include "graphics/FontQuad.h"
#include "net/Packet.h"
#include "system/StringUtils.h"

namespace {
// Bit of the debug level that shows the track's debug view.
constexpr u32 DEBUG_TRACK = 256;
} // namespace

Track::Track() : trains(new QelBase())
{
    addChildBack(trains);
}

Track::~Track()
{
    for (auto& [length, info] : lagInfos) {
        delete info;
    }
    lagInfos.clear();
}

void Track::init()
{
    const GameController* game = MyGlobal::liveGame();
    QEL_ASSERT(game != nullptr);
    QEL_ASSERT(createLambda>=0);
    QEL_ASSERT(tunnelLambda>=0);
    QEL_ASSERT(helpLambda>=0);
    QEL_ASSERT(destroyLambda<0);
    destroyLambda = tunnelLambda + 100.0f;
    QEL_ASSERT(dangerLambda<0);
    dangerLambda = tunnelLambda - 300.0f;
    const float way = tunnelLambda - createLambda;
    QEL_ASSERT(sprintLambda<0);
    sprintLambda = createLambda + way * game->sprintFraction;
    QEL_ASSERT(refillLambda<0);
    refillLambda = createLambda + way * game->refillFraction;
    QEL_ASSERT(resistanceLambda<0);
    resistanceLambda = createLambda + way * 0.3f;
    QEL_ASSERT(refillLambda>sprintLambda);
    spline.build();
    ladder.build(spline, spline.length);
}

void Track::serialize(Packet* packet)
{
    i32 count = 0;
    if (packet->bWriting) {
        count = i32(trains->countChildren());
    }
    packet->doInt(&count);
    if (packet->bWriting) {
        for (BasicLink* link = trains->firstChild; link != nullptr; link = link->next) {
            static_cast<Train*>(static_cast<QelBase*>(link))->serialize(packet);
        }
        return;
    }
    if (count < 0 || count > MAX_TRAINS) {
        packet->setError("track: a train count out of range");
        return;
    }
    for (i32 i = 0; i < count && !packet->hasError(); ++i) {
        addTrain(new Train(packet));
    }
    // A game saved while the path ran further before its tunnel can hold a
    // train with an open dock already past the mark: it runs on into the
    // tunnel as a stopped train, without losing the level.
    forEachLive<Train>(*trains, [](Train* train) {
        if (train->hasOpenDockPastTheMark()) {
            train->stop();
        }
    });
}

void Track::update(double time, double dt)
{
    if (lagInfos.empty()) {
        for (i32 type = 0; type < Car::TYPE_COUNT; ++type) {
            Car* car = Car::createByType(type);
            getLagInfo(car->bodyLength);
            getLagInfo(car->couplingLength);
            delete car;
        }
    }
    auto* last = static_cast<Train*>(static_cast<QelBase*>(trains->lastChild));
    if (last == nullptr || last->getRearLambda() > refillLambda) {
        if (GameController* game = MyGlobal::liveGame()) {
            game->spawnTrain(this);
        }
    }
    QelBase::update(time, dt);
    mergeTouchingTrains();
}

void Track::mergeTouchingTrains()
{
    BasicLink* link = trains->firstChild;
    while (link != nullptr && link->next != nullptr) {
        auto* ahead = static_cast<Train*>(static_cast<QelBase*>(link));
        auto* behind = static_cast<Train*>(static_cast<QelBase*>(link->next));
        if (ahead->getRearLambda() < behind->getFrontLambda()) {
            ahead->dockTarget += behind->dockTarget - behind->docksCreated;
            while (auto* segment = static_cast<TrainSegment*>(static_cast<QelBase*>(behind->segments->firstChild))) {
                ahead->addSegment(segment, nullptr);
            }
            delete behind;
        } else {
            link = link->next;
        }
    }
}

void Track::addTrain(Train* train)
{
    train->track = this;
    trains->addChildBack(train);
}

SplineLagInfo* Track::getLagInfo(float length)
{
    auto found = lagInfos.find(length);
    if (found != lagInfos.end()) {
        return found->second;
    }
    auto* info = new SplineLagInfo(&spline, length);
    lagInfos.emplace(length, info);
    info->build();
    return info;
}

float Track::getLag(float length, float lambda)
{
    return getLagInfo(length)->getLag(lambda);
}

bool Track::isHidden(float lambda) const
{
    if (lambda > tunnelLambda) {
        return true;
    }
    return findLive<TrackHiddenSpan>(hiddenSpans, [lambda](const TrackHiddenSpan* span) {
               return span->covers(lambda);
           }) != nullptr;
}

float Track::getDangerProgress() const
{
    const Train* urgent = findLive<Train>(*trains, [](Train* train) { return train->countOpenDocks() > 0; });
    if (urgent == nullptr) {
        return 0.0f;
    }
    const float p = (urgent->getFrontLambda() - createLambda) / (tunnelLambda - createLambda);
    return std::clamp(p, 0.0f, 1.0f);
}

void Track::registerDocks()
{
    forEachLive<Train>(*trains, [](Train* train) { train->registerDocks(); });
}

void Track::stopTrains()
{
    forEachLive<Train>(*trains, [](Train* train) { train->stop(); });
}

void Track::addHiddenSpan(float start, float end)
{
    hiddenSpans.addChildBack(new TrackHiddenSpan(start, end));
}

void Track::render()
{
    if ((u32(g_qel->debugLevel) & DEBUG_TRACK) == 0) {
        return;
    }
    ladder.render();
    spline.render();
    renderLabels();
}

void Track::renderLabels()
{
    FontQuad* font = g_global != nullptr ? g_global->fontMedium : nullptr;
    if (font == nullptr) {
        return;
    }
    const UColor white = UColor::fromWord(0xffffffff);
    auto label = [&](float lambda, const char* text) {
        const V3 p = spline.getPoint(lambda);
        font->printAt(p.x, p.y, 0.0f, white, 0, text);
    };
    forEachLive<TrackHiddenSpan>(hiddenSpans, [&](TrackHiddenSpan* span) {
        label(span->startLambda, "\\hiddenstart");
        label(span->endLambda, "\\hiddenend");
    });
    label(createLambda, "\\start");
    label(destroyLambda, "\\finish");
    label(sprintLambda, "\\sprint");
    label(refillLambda, "\\refill");
    label(tunnelLambda, "\\tunnel");
    label(dangerLambda, "\\danger");
    label(helpLambda, "\\           help");
    label(resistanceLambda, "\\resistance");
    V3 probe;
    float z = 0.0f;
    spline.getPointAndHeading(probeLambda, &probe, nullptr, &z);
    font->printAt(probe.x, probe.y, 0.0f, UColor::fromWord(0xff000000), 0,
                  formatString("\\l=%lf,d=%lf", double(probeLambda), double(z)));
}
