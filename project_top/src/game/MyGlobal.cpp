#include "game/MyGlobal.h"

#include "context/ContextManager.h"
#include "game/MyContextMain.h"
#include "game/controller/GameController.h"
#include "game/world/WorldManager.h"

void MyGlobal::initGame()
{
    contextManager->add(new MyContextMain());
}

MyGlobal::~MyGlobal()
{
    bClosing = true;
    // The game first (saving a level in play), then the map: both may still
    // be on the screen stack when the window closes, and the stack's screens
    // above them do not look at them when deleted.
    if (GameController* game = pGameController) {
        delete game;
        pGameController = nullptr;
    }
    if (WorldManager* map = pWorldManager) {
        delete map;
        pWorldManager = nullptr;
    }
}
