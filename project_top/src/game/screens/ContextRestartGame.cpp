#include "game/screens/ContextRestartGame.h"

#include "engine/Qel.h"
#include "game/mascot/Bear.h"
#include "game/screens/ScreenBelow.h"
#include "game/tutorial/SpeechBubble.h"
#include "game/world/WorldManager.h"
#include "global/Global.h"
#include "gui/MenuButton.h"
#include "language/Language.h"

namespace {

constexpr int BUTTON_WIDTH = 160;

MenuButtonQuit* addAnswer(Context* screen, float y, Language::StringsEnum caption)
{
    MenuButtonQuit* button = addSpeechButton(screen, y, g_qel->language->getText(caption), UString());
    button->setWidth(BUTTON_WIDTH);
    return button;
}

} // namespace

ContextRestartGame::ContextRestartGame(int level) : targetLevel(level)
{
    bDeleteWhenFinished = 1;
    const Language* language = g_qel->language;
    addChildBack(new Bear());
    addChildBack(new SpeechBubble(600.0f, 320.0f));
    addBubbleText(this, 0.0f, 130.0f, language->getText(Language::RESTARTTITLE), g_global->fontLarge,
                  UColor(255, 255, 255, 255));
    addBubbleText(this, 0.0f, 65.0f, language->getText(Language::RESTARTCONFIRM), g_global->fontMedium,
                  SpeechBubble::INK);
    yesButton = addAnswer(this, -10.0f, Language::YES);
    yesButton->shortcut = ' ';
    addAnswer(this, -60.0f, Language::NO);
}

void ContextRestartGame::tickContents(double time, double dt)
{
    Context::tickContents(time, dt);
    // The button's own click flag, so that Space restarts as a click does.
    if (yesButton->takeClicked()) {
        WorldManager::restartAt(targetLevel);
    }
}

void ContextRestartGame::renderContents()
{
    drawScreenBelow(this);
    Context::renderContents();
}
