#pragma once
// The game's program-wide object: the menu framework's Global whose game
// hook pushes the game's first screen, its main menu, and which holds the
// live game, through which every game object reaches the running level.
#include "global/Global.h"

class GameController;
class WorldManager;

class MyGlobal : public Global {
public:
    MyGlobal() = default;
    // A game still held is deleted first (and so saved while in play),
    // before the profiles that carry its saved-game flag are written.
    ~MyGlobal() override;

    void initGame() override;

    // The program-wide object as the game's own; null before it is made.
    static MyGlobal* instance() { return static_cast<MyGlobal*>(g_global); }
    // The game being played or paused, or null.
    static GameController* liveGame()
    {
        return instance() != nullptr ? instance()->pGameController : nullptr;
    }

    // Set by whoever creates the game; the game clears it when deleted.
    GameController* pGameController = nullptr;
    // The world map, which registers itself and clears this when deleted.
    WorldManager* pWorldManager = nullptr;
};
