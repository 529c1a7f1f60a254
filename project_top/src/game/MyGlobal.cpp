#include "game/MyGlobal.h"

#include "context/ContextManager.h"
#include "game/MyContextMain.h"
#include "game/controller/GameController.h"

void MyGlobal::initGame()
{
    contextManager->add(new MyContextMain());
}

MyGlobal::~MyGlobal()
{
    GameController* game = pGameController;
    if (game == nullptr) {
        return;
    }
    // A game closed with the window is still on the screen stack.
    if (game->parent != nullptr) {
        game->parent->removeChild(game);
    }
    delete game;
    pGameController = nullptr;
}
