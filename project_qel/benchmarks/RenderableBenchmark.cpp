// The per-object work of a frame that needs no window: recomputing the world
// matrix, its inverse and the bounding circle of a turned and scaled sprite,
// testing it against the view, and picking it with the mouse.
#include <benchmark/benchmark.h>

#include "engine/Context.h"
#include "graphics/Camera.h"
#include "graphics/Renderable.h"
#include "graphics/Skin.h"
#include "support/EngineCore.h"

namespace {

struct Sprite {
    Sprite()
    {
        skin->width = 64;
        skin->height = 48;
        skin->setOrigin(7);
        object.pSkin = skin;
        object.bOwnsSkin = true;
        object.bHasInvXform = true;
        object.rotation = V3(0, 0, 0.3f);
        object.scale = V3(1.5f, 1.5f, 1);
    }

    EngineCore core;
    Skin* skin = new Skin();
    Renderable object;
};

void updateTurnedSprite(benchmark::State& state)
{
    Sprite sprite;
    float x = 0;
    for (auto _ : state) {
        sprite.object.position.x = x;
        x = x > 300 ? -300 : x + 1;
        sprite.object.updateXform();
        benchmark::DoNotOptimize(sprite.object.boundsRadius);
    }
}
BENCHMARK(updateTurnedSprite);

void cullAndPickSprite(benchmark::State& state)
{
    Sprite sprite;
    Context screen;
    sprite.core.qel->currentContext = &screen;
    sprite.object.updateXform();
    for (auto _ : state) {
        sprite.object.calcVisibility();
        benchmark::DoNotOptimize(sprite.object.isPointInsideSkin(V3(10, -5, 0)));
    }
    sprite.core.qel->currentContext = nullptr;
}
BENCHMARK(cullAndPickSprite);

} // namespace
