#pragma once
// A live game that builds its levels itself: the level source makes a test
// level of one straight track (create mark 100, tunnel 2100, help mark
// 1500) for every number, the random source is a fixed sequence, frames
// are 1/60 s, and the log of the per-user folder can be read back.
#include <random>
#include <string>
#include <vector>

#include "audio/QelAudio.h"
#include "game/GameCore.h"
#include "game/LiveChildren.h"
#include "game/car/Car.h"
#include "game/cargo/Cargo.h"
#include "game/dock/Dock.h"
#include "game/level/Level.h"
#include "game/track/Track.h"
#include "game/train/Train.h"
#include "game/train/TrainSegment.h"
#include "game/world/WorldManager.h"
#include "global/Profile.h"
#include "math/RandomSource.h"
#include "support/TempFolder.h"

inline Level* makeTestLevel(int)
{
    auto* level = new Level(1, 1);
    auto* track = new Track();
    track->spline.addPoint(V3(-1300.0f, 0.0f, -5.0f), V3(400.0f, 0.0f, 0.0f));
    track->spline.addPoint(V3(1300.0f, 0.0f, -5.0f), V3(400.0f, 0.0f, 0.0f));
    track->createLambda = 100.0f;
    track->tunnelLambda = 2100.0f;
    track->helpLambda = 1500.0f;
    track->init();
    level->trackLayer->addChildBack(track);
    return level;
}

inline bool everyNumberHasALevel(int)
{
    return true;
}

class ControllerCore : public GameCore {
public:
    static constexpr double STEP = 1.0 / 60.0;

    explicit ControllerCore(const std::string& settings = "") : GameCore(settings)
    {
        seed(2026);
        newGame();
    }
    ~ControllerCore()
    {
        endGame();
        qel->audio->stopAll();
        RandomSource::install(nullptr);
    }

    void seed(unsigned value)
    {
        random.seed(value);
        RandomSource::install([this] { return int(random() & 0x7fffffff); });
    }
    GameController* newGame()
    {
        startGame();
        game->levelSource = LevelSource{&everyNumberHasALevel, &makeTestLevel};
        return game;
    }
    void setLevel(int number) { WorldManager::currentProfile().level = number; }
    Profile& profile() { return WorldManager::currentProfile(); }

    void step() { frame(STEP); }
    void steps(int n)
    {
        for (int i = 0; i < n; ++i) {
            step();
        }
    }
    Track* track() const { return firstLive<Track>(*game->level->trackLayer); }
    std::vector<Train*> trains() const
    {
        std::vector<Train*> found;
        forEachLive<Train>(*track()->trains, [&found](Train* train) { found.push_back(train); });
        return found;
    }
    // Every dock of every car on the level filled correctly at once.
    void fillEveryDock()
    {
        for (Train* train : trains()) {
            forEachLive<TrainSegment>(*train->segments, [](TrainSegment* segment) {
                forEachLive<Car>(*segment->cars, [](Car* car) {
                    forEachLive<Dock>(car->dockHolder, [](Dock* dock) {
                        if (dock->isEmpty()) {
                            dock->setCargo(Cargo::createByType(dock->colour));
                        }
                    });
                });
            });
        }
    }

    std::string saveFile() { return profile().getSaveGameFileName().c_str(); }
    std::string savedBytes() { return TempFolder::readFile(saveFile()); }

    std::minstd_rand random;
};
