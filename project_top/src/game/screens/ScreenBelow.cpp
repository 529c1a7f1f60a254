#include "game/screens/ScreenBelow.h"

#include "graphics/Skin.h"
#include "gui/MenuButton.h"
#include "text/RenderableText.h"

void drawScreenBelow(const Context* screen)
{
    if (screen->prev != nullptr) {
        static_cast<Context*>(static_cast<QelBase*>(screen->prev))->draw();
    }
}

RenderableText* addBubbleText(Context* screen, float x, float y, const UString& text, FontQuad* font, UColor colour)
{
    auto* piece = new RenderableText(x, y, 0.0f, text, font, colour);
    piece->bShadowed = false;
    screen->addChildBack(piece);
    return piece;
}

MenuButtonQuit* addSpeechButton(Context* screen, float y, const UString& caption, const UString& help)
{
    auto* button = new MenuButtonQuit(0.0f, y, 0.0f, caption, help);
    const int width = int(button->pSkin->width);
    button->useSpeechSkin();
    button->setWidth(width);
    screen->addChildBack(button);
    return button;
}
