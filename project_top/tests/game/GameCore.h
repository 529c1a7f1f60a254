#pragma once
// A live game in a window under the virtual X server: the start-up's
// engine (sound through SDL's dummy driver), the game's own program-wide
// object, every resource of the game's data pack loaded by the start-up
// loader, and a GameController in the live-game slot. Frames are driven on
// a scripted clock: each frame advances the engine's frame timer by a fixed
// step, ticks the game and, when asked, draws it.
#include <memory>
#include <string>

#include "game/MyGlobal.h"
#include "game/controller/GameController.h"
#include "loader/StartupCore.h"

class GameCore : public StartupCore {
public:
    explicit GameCore(const std::string& settings = "") : StartupCore(settings)
    {
        linkDataPack();
        StartupCore::global.reset();
        global = std::make_unique<MyGlobal>();
        g_global = global.get();
        global->initPreLoader();
        auto* loader = static_cast<Loader*>(global->contextManager->getActive());
        for (int stage = 0; stage < loader->totalStages; ++stage) {
            loader->loadStuff(false);
        }
    }
    ~GameCore()
    {
        endGame();
        global.reset();
    }

    // A new live game; the previous one ends first.
    GameController* startGame()
    {
        endGame();
        game = new GameController();
        global->pGameController = game;
        return game;
    }
    void endGame()
    {
        delete game;
        game = nullptr;
    }

    // One frame of dt seconds: the game ticks, then draws when asked.
    void frame(double dt, bool draw = false)
    {
        qel->frameTimer.previousStart = qel->frameTimer.currentStart;
        qel->frameTimer.currentStart += dt;
        ++qel->frameNumber;
        game->update(0.0, dt);
        if (draw) {
            game->render();
        }
    }

    std::unique_ptr<MyGlobal> global;
    GameController* game = nullptr;
};
