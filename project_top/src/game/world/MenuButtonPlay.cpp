#include "game/world/MenuButtonPlay.h"

#include "context/ContextManager.h"
#include "engine/Qel.h"
#include "game/MyGlobal.h"
#include "game/controller/GameController.h"
#include "game/world/WorldManager.h"
#include "global/Global.h"
#include "language/Language.h"

MenuButtonPlay::MenuButtonPlay(float x, float y, float z, const UString& buttonCaption, const UString& buttonHelp)
    : MenuButton(x, y, z, buttonCaption, buttonHelp)
{
}

void MenuButtonPlay::update(double time, double dt)
{
    MenuButton::update(time, dt);
    bNewGame = MyGlobal::liveGame() == nullptr;
    Language::StringsEnum id = Language::CONTINUELEVEL;
    if (bNewGame) {
        id = WorldManager::getCurrentLevel() == 0 ? Language::PLAY : Language::PLAYNEXTLEVEL;
    }
    caption = g_qel->language->getText(id);
}

void MenuButtonPlay::render()
{
    MenuItem::render();
    if (bHovered) {
        QelBase::render();
    }
}

void MenuButtonPlay::onClick()
{
    MenuItem::onClick();
    g_global->applySettings();
    // The map may have dropped the game since the last frame.
    bNewGame = MyGlobal::liveGame() == nullptr;
    if (bNewGame && !WorldManager::hasLayout(WorldManager::getCurrentLevel())) {
        WorldManager::showGameCompleted();
        return;
    }
    MyGlobal* global = MyGlobal::instance();
    if (bNewGame) {
        global->pGameController = new GameController();
    }
    GameController* game = global->pGameController;
    g_global->contextManager->add(game);
    if (bNewGame) {
        game->start();
    } else {
        game->resume();
    }
}
