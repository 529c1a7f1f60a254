#pragma once
// The scenes whose frames are held pixel for pixel and counted: the main
// menu greeting a player and the levels at fixed game times, run by the
// engine's own frame loop on a scripted clock with a fixed random seed.
#include <cstdlib>
#include <string>

#include "game/FrameLoopStack.h"
#include "game/MyContextMain.h"
#include "game/world/WorldManager.h"
#include "global/Profile.h"

// Frames of exactly the set period: the timer's sleeps are rounded to the
// nearest millisecond, so that the rounding of a period such as 0.015 in
// the timer's sums never turns a 15 ms frame into 14 and the game times
// reached do not depend on how the timer carries such errors.
class WholeMillisecondClock : public ScriptedClock {
public:
    double getSleepGranularity() override { return -0.0005; }
};

class FrameScenes : public FrameLoopStack {
public:
    // Game time of a level's scene: nine seconds in, with the first trains
    // on the tracks.
    static constexpr int LEVEL_FRAMES = 600;

    FrameScenes()
    {
        delete qel->timeKeeper;
        qel->timeKeeper = new WholeMillisecondClock();
        qel->frameTimer.start(*qel->timeKeeper, qel->frameTimer.period);
        // The engine seeds from the ticks; the scenes' draws must repeat.
        std::srand(2026);
    }

    // A player of that name, so that the menu greets rather than asks.
    void showMainMenu()
    {
        global->profiles.createProfile("Pixel");
        manager->add(new MyContextMain());
        frames(120);
    }
    void playLevel(int number)
    {
        WorldManager::currentProfile().level = number;
        GameController* level = startGame();
        manager->add(level);
        level->start();
        for (int i = 0; i < LEVEL_FRAMES; ++i) {
            closePage();
            frames(1);
        }
    }
    // The stack emptied for the next scene.
    void leaveScene()
    {
        if (game != nullptr) {
            manager->removeChild(game);
            endGame();
        }
        manager->deleteChildren();
        manager->lastActive = nullptr;
    }
    // The stack drawn as the frame loop draws it.
    void drawScene()
    {
        qel->graphics->clear(UColor(255, 0, 0, 0));
        manager->draw();
    }
};
