#pragma once
// A live game in play on the game's own data pack, for runs of rolling
// stock without drawing: the controller in its playing state with the rule
// values of the first level set by hand (as the level set-up would set
// them), three colours enabled, one-dock cars only unless a test says
// otherwise, a test level to hold the tracks, and a fixed random sequence.
// Frames are 1/60 s. After each frame the mixer's new voices are read back
// as (sound name, rate ratio), so a test sees what the frame played.
#include <random>
#include <string>
#include <vector>

#include "audio/Mixer.h"
#include "audio/MixerChannel.h"
#include "audio/MixerOGGstatic.h"
#include "audio/QelAudio.h"
#include "audio/Sound.h"
#include "game/GameCore.h"
#include "game/LiveChildren.h"
#include "game/car/Car.h"
#include "game/cargo/Cargo.h"
#include "game/dock/Dock.h"
#include "game/level/Level.h"
#include "game/track/Track.h"
#include "game/train/Train.h"
#include "game/train/TrainSegment.h"
#include "math/RandomSource.h"

struct Played {
    std::string sound;
    float ratio;
};

class StockCore : public GameCore {
public:
    static constexpr double STEP = 1.0 / 60.0;

    explicit StockCore(const std::string& settings = "") : GameCore(settings)
    {
        RandomSource::install([this] { return int(random() & 0x7fffffff); });
        startGame();
        game->sprintFraction = 0.35f;
        game->refillFraction = 0.75f;
        game->speedMax = 1000.0f;
        game->speedMin = -2000.0f;
        game->driveForce = 250.0f;
        game->driveForceAtTunnel = 75.0f;
        game->pullBackForce = -1200.0f;
        game->exitForce = 2500.0f;
        game->trainsInLevel = 3;
        game->totalDocks = 40;
        game->cargoPicker.setColours(0x15);
        game->cargoPicker.carTypeWeights[1] = 1.0f;
        level = new Level(1, 1);
        game->level = level;
        game->levelHolder->addChildBack(level);
        game->setState(GameController::STATE_PLAYING, 0.0, false);
        seen = nextVoiceId();
    }
    // The voices stop before the sounds they play go with the game's
    // resources, as the program's shutdown does.
    ~StockCore()
    {
        endGame();
        qel->audio->stopAll();
        RandomSource::install(nullptr);
    }

    // A straight track along x through the origin, 2600 long: create mark
    // 100, tunnel 2100, help mark 1500.
    Track* straightTrack()
    {
        auto* track = new Track();
        track->spline.addPoint(V3(-1300.0f, 0.0f, -5.0f), V3(400.0f, 0.0f, 0.0f));
        track->spline.addPoint(V3(1300.0f, 0.0f, -5.0f), V3(400.0f, 0.0f, 0.0f));
        return place(track);
    }
    // An S-bend: a left turn, then a right turn, with the span 1000 to
    // 1300 hidden; the same marks.
    Track* sBendTrack()
    {
        auto* track = new Track();
        track->spline.addPoint(V3(-900.0f, -250.0f, -5.0f), V3(300.0f, 0.0f, 0.0f));
        track->spline.addPoint(V3(-300.0f, 150.0f, -15.0f), V3(250.0f, 250.0f, 0.0f));
        track->spline.addPoint(V3(300.0f, -150.0f, -25.0f), V3(250.0f, 250.0f, 0.0f));
        track->spline.addPoint(V3(900.0f, 250.0f, -5.0f), V3(300.0f, 0.0f, 0.0f));
        track->addHiddenSpan(1000.0f, 1300.0f);
        return place(track);
    }
    Track* place(Track* track)
    {
        track->createLambda = 100.0f;
        track->tunnelLambda = 2100.0f;
        track->helpLambda = 1500.0f;
        track->init();
        level->trackLayer->addChildBack(track);
        return track;
    }

    // A train in state 2 on the track, its engine's front at the lambda,
    // with one-dock cars wanting the colours in order, all its docks come;
    // the game spawns no more trains.
    Train* trainOf(Track* track, float front, const std::vector<i32>& colours)
    {
        game->trainsInLevel = game->trainsSpawned;
        auto* train = new Train(nullptr);
        TrainSegment* segment = train->firstSegment();
        for (i32 colour : colours) {
            Car* car = Car::createByType(1);
            firstDock(car)->setColour(colour);
            segment->addCar(car, true);
        }
        train->dockTarget = train->docksCreated = int(colours.size());
        track->addTrain(train);
        train->setFrontLambda(front);
        train->setState(Train::STATE_RUNNING, 0.0, false);
        segment->layoutCars();
        return train;
    }

    static Dock* firstDock(Car* car) { return firstLive<Dock>(car->dockHolder); }
    static std::vector<Car*> carsOf(const TrainSegment* segment)
    {
        std::vector<Car*> cars;
        forEachLive<Car>(*segment->cars, [&cars](Car* car) { cars.push_back(car); });
        return cars;
    }
    static std::vector<TrainSegment*> segmentsOf(const Train* train)
    {
        std::vector<TrainSegment*> segments;
        forEachLive<TrainSegment>(*train->segments, [&](TrainSegment* s) { segments.push_back(s); });
        return segments;
    }
    static std::vector<Train*> trainsOf(const Track* track)
    {
        std::vector<Train*> trains;
        forEachLive<Train>(*track->trains, [&trains](Train* train) { trains.push_back(train); });
        return trains;
    }
    // Fills every dock of the car correctly at once.
    static void complete(Car* car)
    {
        forEachLive<Dock>(car->dockHolder, [](Dock* dock) { dock->setCargo(Cargo::createByType(dock->colour)); });
    }

    i32 score() const { return global->profiles.getProfile(global->profiles.currentIndex).score; }

    // One frame; what it played lands in `played`.
    void step()
    {
        played.clear();
        // The audio thread must not end a short voice between the frame that
        // starts it and the look at the mixer, however slow the frame runs.
        SDL_LockAudio();
        frame(STEP);
        listen();
        SDL_UnlockAudio();
    }
    // Appends the voices started since the last look to `played`.
    void listen()
    {
        Mixer* mixer = QelAudio::activeMixer();
        if (mixer == nullptr) {
            return;
        }
        SDL_LockAudio();
        for (BasicLink* link = mixer->firstChild; link != nullptr; link = link->next) {
            auto* voice = static_cast<MixerChannel*>(static_cast<QelBase*>(link));
            if (voice->id < seen) {
                continue;
            }
            played.push_back(Played{nameOf(voice), voice->source != nullptr && voice->source->rate > 0
                                                           ? voice->frequency / float(voice->source->rate)
                                                           : 0.0f});
        }
        SDL_UnlockAudio();
        seen = nextVoiceId();
    }
    void steps(int n)
    {
        for (int i = 0; i < n; ++i) {
            step();
        }
    }
    int countPlayed(const std::string& sound) const
    {
        int n = 0;
        for (const Played& p : played) {
            n += p.sound == sound ? 1 : 0;
        }
        return n;
    }

    Level* level = nullptr;
    std::vector<Played> played;

private:
    static i32 nextVoiceId()
    {
        Mixer* mixer = QelAudio::activeMixer();
        return mixer != nullptr ? mixer->nextId : 0;
    }
    std::string nameOf(const MixerChannel* voice) const
    {
        static const char* names[] = {"engineChug", "toot", "segmentImpact", "vibe", "extraLife",
                                      "fireworkBangShort", "applause1", "applause2", "applause3", "handClap",
                                      "trainBell", "boom", "streak", "tick", "wrong", "bowSound",
                                      "fireballLaunch", "chainClick", "pop", "railSqueak", "steam", "stardust",
                                      "fireballSound", "guitar", "trainSlow"};
        for (const char* name : names) {
            auto* sound = static_cast<Sound*>(find(name));
            if (sound != nullptr && static_cast<const MixerOGG*>(sound->sample) == voice->source) {
                return name;
            }
        }
        return "?";
    }

    std::minstd_rand random{2026};
    i32 seen = 0;
};
