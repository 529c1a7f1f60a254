#include "game/screens/ContextIngameMenu.h"

#include "engine/Qel.h"
#include "game/MyGlobal.h"
#include "game/controller/GameController.h"
#include "game/mascot/Bear.h"
#include "game/screens/ScreenBelow.h"
#include "game/tutorial/SpeechBubble.h"
#include "gui/MenuButton.h"
#include "language/Language.h"

ContextIngameMenu::ContextIngameMenu()
{
    bDeleteWhenFinished = 1;
    const Language* language = g_qel->language;
    addChildBack(new Bear());
    addChildBack(new SpeechBubble(400.0f, 240.0f));
    addBubbleText(this, 0.0f, 100.0f, language->getText(Language::PAUSED), g_global->fontLarge,
                  UColor(255, 255, 255, 255));
    addSpeechButton(this, 0.0f, language->getText(Language::RESUME), UString())->shortcut = ' ';
    returnButton = addSpeechButton(this, -50.0f, language->getText(Language::RETURNTOMAP),
                                   language->getText(Language::RETURNTOMAPHINT));
}

void ContextIngameMenu::tickContents(double time, double dt)
{
    ContextMenu::tickContents(time, dt);
    if (returnButton->takeClicked()) {
        bFinished = 1;
        if (GameController* game = MyGlobal::liveGame()) {
            game->bFinished = 1;
        }
    }
}

void ContextIngameMenu::renderContents()
{
    drawScreenBelow(this);
    ContextMenu::renderContents();
}
