#include "screens/ScreenLayout.h"

#include "context/ContextPre.h"
#include "engine/Context.h"
#include "engine/Qel.h"
#include "global/Global.h"
#include "graphics/QelGraphics.h"
#include "gui/MenuButton.h"
#include "text/RenderableText.h"

namespace {

constexpr float TITLE_FROM_TOP = 50.0f;
constexpr float CORNER_INSET = 100.0f;
constexpr float CORNER_RAISE = 50.0f;
constexpr int CORNER_WIDTH = 160;
// Raised by half a line: the title's line is centred on its y.
constexpr int CENTRED_ON_LINE = 0x10;

} // namespace

UString menuText(Language::StringsEnum id)
{
    return UString(g_qel->language->getText(id));
}

int halfViewWidth()
{
    return g_qel->graphics->fovWidth / 2;
}

int halfViewHeight()
{
    return g_qel->graphics->fovHeight / 2;
}

void useSharedBackground(Context* screen)
{
    screen->bDeleteWhenFinished = 1;
    screen->preObject = g_global->contextPre;
}

RenderableText* addScreenTitle(Context* screen, Language::StringsEnum title)
{
    auto* text = new RenderableText(0.0f, float(halfViewHeight()) - TITLE_FROM_TOP, 0.0f, menuText(title),
                                    g_global->fontLarge, UColor(255, 255, 255, 255));
    text->printFlags |= CENTRED_ON_LINE;
    screen->addChildBack(text);
    return text;
}

MenuButtonQuit* addCornerQuitButton(Context* screen, Language::StringsEnum caption)
{
    auto* button = new MenuButtonQuit(float(-halfViewWidth()) + CORNER_INSET, float(-halfViewHeight()) + CORNER_RAISE,
                                      0.0f, menuText(caption), UString());
    button->setWidth(CORNER_WIDTH);
    screen->addChildBack(button);
    return button;
}

void drawScreenBelow(Context* screen)
{
    if (screen->prev != nullptr) {
        static_cast<Context*>(screen->prev)->draw();
    }
}
