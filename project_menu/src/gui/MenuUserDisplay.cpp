#include "gui/MenuUserDisplay.h"

#include "context/ContextManager.h"
#include "engine/Context.h"
#include "engine/Qel.h"
#include "global/Global.h"
#include "graphics/QelGraphics.h"
#include "input/QelInput.h"
#include "language/Language.h"
#include "system/StringUtils.h"
#include "text/RenderableText.h"

QEL_IMPLEMENT_RUNTIME_CLASS(MenuUserDisplay, QelBase::runtimeClass(), QEL_NO_CREATOR);

namespace {

const UColor BLACK(0, 0, 0, 255);
const UColor GREY(96, 96, 96, 255);
const UColor WHITE(255, 255, 255, 255);
constexpr float NAME_FROM_TOP = 175.0f;
constexpr float HINT_FROM_TOP = 200.0f;
// The greeting's hover box: 200 wide, one line of the medium font high,
// hanging from the text's position.
constexpr float HALF_WIDTH = 100.0f;
constexpr float HEIGHT = 36.0f;

} // namespace

MenuUserDisplay::MenuUserDisplay()
{
    const float top = float(g_qel->graphics->fovHeight / 2);
    nameText = new RenderableText(0.0f, top - NAME_FROM_TOP, 0.0f, UString(), g_global->fontMedium, BLACK);
    nameText->bShadowed = false;
    addChildBack(nameText);
    hintText = new RenderableText(0.0f, top - HINT_FROM_TOP, 0.0f,
                                  UString(g_qel->language->getText(Language::CLICKTOCHANGEPLAYERS)),
                                  g_global->fontSmall, GREY);
    hintText->bShadowed = false;
    addChildBack(hintText);
}

bool MenuUserDisplay::isOverName(float x, float y) const
{
    const float ty = nameText->position.y;
    return -HALF_WIDTH <= x && x < HALF_WIDTH && ty - HEIGHT < y && y <= ty;
}

void MenuUserDisplay::update(double time, double dt)
{
    ProfileStore& profiles = g_global->profiles;
    UString greeting(g_qel->language->getText(Language::HELLO));
    replaceAll(greeting, "%s", profiles.getProfile(profiles.currentIndex).name);
    nameText->text = greeting;

    QelBase::update(time, dt);

    const Context* screen = g_qel->currentContext;
    bHovered = screen != nullptr && isOverName(screen->mouseWorld.x, screen->mouseWorld.y);
    nameText->color = bHovered ? WHITE : GREY;
    ContextManager* stack = g_global->contextManager;
    if (bHovered && g_qel->input->isMouseButtonPressed()) {
        stack->addNew("ContextUserManager");
    }
    if (profiles.isUsed(profiles.currentIndex)) {
        g_global->settings.newUserPrompted = false;
    } else {
        g_global->settings.newUserPrompted = true;
        stack->addNew("ContextNewUser");
    }
}
