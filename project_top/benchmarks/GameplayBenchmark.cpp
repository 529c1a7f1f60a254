// What one frame of play costs: the live game carrying a level's worth of
// rolling stock (two tracks, 40 cars with 76 docks, six pieces in flight),
// with the open-dock rebuild, the trains, segments, cars and docks, the
// offer of every piece to every car and the depth sort; the same with the
// launcher firing at every reload and the claw out; beside them the
// engine's plain object-tree update over as many objects. Nothing is drawn.
#include <benchmark/benchmark.h>

#include <memory>

#include "game/car/CarWagons.h"
#include "game/depth/DepthManager.h"
#include "game/launcher/Claw.h"
#include "game/launcher/Launcher.h"
#include "game/train/StockCore.h"
#include "input/QelInput.h"
#include "support/EngineCore.h"

namespace {

constexpr int WAGONS_PER_TRACK = 19;

// The objects an update walks: the node and everything under it, the
// docks of the cars included.
int countObjects(const QelBase* node)
{
    int n = 1;
    if (const auto* car = dynamic_cast<const Car*>(node)) {
        n += countObjects(&car->dockHolder);
    }
    for (BasicLink* child = node->firstChild; child != nullptr; child = child->next) {
        n += countObjects(static_cast<QelBase*>(child));
    }
    return n;
}

struct BusyLevel {
    BusyLevel()
    {
        StockCore& c = *core;
        c.game->driveForce = c.game->driveForceAtTunnel = 0.0f;
        for (Track* track : {c.straightTrack(), c.sBendTrack()}) {
            Train* train = c.trainOf(track, 2050.0f, {});
            for (int i = 0; i < WAGONS_PER_TRACK; ++i) {
                train->firstSegment()->addCar(new Car2(), true);
            }
            train->dockTarget = train->docksCreated;
            train->firstSegment()->layoutCars();
        }
        // Six pieces hang in the air between the tracks, wanted by some
        // dock but touching none.
        for (int i = 0; i < 6; ++i) {
            Cargo* piece = Cargo::createByType(2 * (i % 3));
            piece->body.position = V3(-300.0f + 120.0f * float(i), 700.0f, 0.0f);
            piece->position = piece->body.position;
            piece->updateXform();
            piece->setState(Cargo::STATE_FLYING, 0.0, false);
            c.game->pieceLayer->addChildBack(piece);
        }
        c.steps(5);
    }
    std::unique_ptr<StockCore> core = std::make_unique<StockCore>();
};

void gameplayFrame(benchmark::State& state)
{
    BusyLevel level;
    StockCore& core = *level.core;
    for (auto _ : state) {
        core.frame(StockCore::STEP);
    }
    state.counters["cars"] = double(core.game->depthManager->depthList.size()) / 2.0;
    state.counters["openDocks"] = double(core.game->cargoPicker.openDocks.size());
    state.counters["pieces"] = double(core.game->pieceLayer->countChildren());
    state.counters["objects"] = double(countObjects(core.game));
}
BENCHMARK(gameplayFrame)->Unit(benchmark::kMicrosecond);

// The same level with the player busy: both buttons held down anew every
// frame, so the launcher fires at every reload and the claw goes out again
// in the frame it comes home. Nothing is drawn, so pieces never leave the view
// by themselves; beyond eight in flight the oldest is taken as gone.
void gameplayFrameShooting(benchmark::State& state)
{
    BusyLevel level;
    StockCore& core = *level.core;
    Launcher* launcher = core.game->launcher;
    core.level->launcherPositions = {V3(0.0f, -250.0f, 0.0f), V3(250.0f, -250.0f, 0.0f)};
    launcher->reset();
    launcher->setActive(true);
    QelInput* input = core.qel->input;
    input->mousePosition = V3(500.0f, 560.0f, 0.0f);
    int shots = 0;
    int clawOut = 0;
    for (auto _ : state) {
        input->mouseButtonsBefore[0] = input->mouseButtonsBefore[1] = 0;
        input->mouseButtons[0] = input->mouseButtons[1] = 1;
        const i32 fired = core.game->shotsFired;
        core.frame(StockCore::STEP);
        shots += core.game->shotsFired - fired;
        clawOut += launcher->claw->state == Claw::STATE_OUT ? 1 : 0;
        while (core.game->pieceLayer->countChildren() > 8) {
            delete static_cast<QelBase*>(core.game->pieceLayer->firstChild);
        }
    }
    state.counters["shotsPerFrame"] = double(shots) / double(state.iterations());
    state.counters["clawOutShare"] = double(clawOut) / double(state.iterations());
    state.counters["pieces"] = double(core.game->pieceLayer->countChildren());
}
BENCHMARK(gameplayFrameShooting)->Unit(benchmark::kMicrosecond);

void plainTreeFrame(benchmark::State& state)
{
    int objects = 0;
    {
        BusyLevel level;
        objects = countObjects(level.core->game);
    }
    EngineCore engine;
    QelBase root;
    for (int i = 1; i < objects; ++i) {
        root.addChildBack(new QelBase());
    }
    double time = 0.0;
    for (auto _ : state) {
        time += StockCore::STEP;
        root.update(time, StockCore::STEP);
    }
    state.counters["objects"] = double(objects);
}
BENCHMARK(plainTreeFrame)->Unit(benchmark::kMicrosecond);

} // namespace
