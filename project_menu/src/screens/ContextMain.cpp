#include "screens/ContextMain.h"

#include <algorithm>

#include "context/ContextManager.h"
#include "context/ContextPost.h"
#include "context/ContextPre.h"
#include "effects/StretchSkin.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "global/Global.h"
#include "global/WebService.h"
#include "graphics/FontQuad.h"
#include "graphics/QelGraphics.h"
#include "graphics/Quad.h"
#include "gui/MenuButton.h"
#include "gui/MenuUserDisplay.h"
#include "input/QelInput.h"
#include "language/Language.h"
#include "resource/ResourceManager.h"
#include "text/RenderableText.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextMain, ContextMenu::runtimeClass(), QEL_NO_CREATOR);

namespace {

constexpr float ROW_STEP = 50.0f;
constexpr float CORNER_INSET = 100.0f;
constexpr float CORNER_RAISE = 50.0f;
constexpr int CORNER_WIDTH = 160;
// Ctrl+Alt in the input's modifier code, and X.
constexpr int CTRL_ALT = 4;
constexpr int KEY_X = 0x2d;
// The greeting's plate reaches this far beyond its wider line on each side,
// above the greeting and below the hint line; its border keeps 16 texels.
constexpr float PLATE_SIDE = 20.0f;
constexpr float PLATE_ABOVE = 6.0f;
constexpr float PLATE_BELOW = 8.0f;
constexpr int PLATE_BORDER = 16;
// The plate is the frame after the panel's three looks.
constexpr const char* GREETING_PLATE = "gui-game-square:3";

UString text(Language::StringsEnum id)
{
    return UString(g_qel->language->getText(id));
}

} // namespace

ContextMain::ContextMain()
{
    bDeleteWhenFinished = 1;
    bConfirmEscape = 1;
    preObject = g_global->contextPre;
    postObject = g_global->contextPost;

    userDisplay = new MenuUserDisplay();
    addChildBack(userDisplay);
    auto* plate = new StretchSkin(static_cast<Quad*>(g_qel->resourceManager->find(GREETING_PLATE, true)));
    plate->setBorders(PLATE_BORDER, PLATE_BORDER, PLATE_BORDER, PLATE_BORDER);
    greetingPlate.bOwnsSkin = true;
    greetingPlate.setPlacement(plate, nullptr, nullptr, nullptr);
    const Language::StringsEnum captions[] = {Language::STARTGAME, Language::HIGHSCORES, Language::OPTIONSDOTS,
                                              Language::CREDITS};
    MenuButton** buttons[] = {&buttonStart, &buttonHighScores, &buttonOptions, &buttonCredits};
    for (int i = 0; i < 4; ++i) {
        *buttons[i] = new MenuButton(0.0f, -ROW_STEP * float(i), 0.0f, text(captions[i]), UString());
        addChildBack(*buttons[i]);
    }
    offerScreen(buttonHighScores, "ContextHighScores");
    offerScreen(buttonOptions, "ContextOptions");
    offerScreen(buttonCredits, "ContextCredits");

    // The corners of the view the screens are laid out in, whatever the
    // window's size.
    const int halfWidth = g_qel->graphics->fovWidth / 2;
    const int halfHeight = g_qel->graphics->fovHeight / 2;
    buttonWebsite = new MenuButtonURL(float(halfWidth) - CORNER_INSET, float(-halfHeight) + CORNER_RAISE, 0.0f,
                                      text(Language::WEBSITE), text(Language::WEBSITEHINT));
    buttonWebsite->url = homePage();
    buttonWebsite->setWidth(CORNER_WIDTH);
    addChildBack(buttonWebsite);
    buttonQuit = new MenuButtonQuit(float(-halfWidth) + CORNER_INSET, float(-halfHeight) + CORNER_RAISE, 0.0f,
                                    text(Language::QUIT), UString());
    buttonQuit->setWidth(CORNER_WIDTH);
    addChildBack(buttonQuit);
}

UString ContextMain::homePage()
{
    return webServiceAddress("");
}

void ContextMain::offerScreen(MenuButton* button, const char* screenClass)
{
    button->bInactive = !ContextManager::canCreate(screenClass);
}

void ContextMain::renderContents()
{
    const RenderableText* greeting = userDisplay->nameText;
    const RenderableText* hint = userDisplay->hintText;
    if (greeting->font == nullptr || hint->font == nullptr) {
        Context::renderContents();
        return;
    }
    const float wider = float(std::max(greeting->font->getTextSize(greeting->text).width,
                                       hint->font->getTextSize(hint->text).width));
    // Both lines hang from their positions.
    const float top = greeting->position.y + PLATE_ABOVE;
    const float bottom = hint->position.y - float(hint->font->lineHeight) - PLATE_BELOW;
    auto* plate = static_cast<StretchSkin*>(greetingPlate.pSkin);
    if (plate->width != wider + 2 * PLATE_SIDE || plate->height != top - bottom) {
        plate->resize(wider + 2 * PLATE_SIDE, top - bottom);
    }
    const V3 at(0.0f, (top + bottom) / 2, 0.0f);
    greetingPlate.setPlacement(plate, &at, nullptr, nullptr);
    greetingPlate.render();
    Context::renderContents();
}

void ContextMain::tickContents(double time, double dt)
{
    Context::tickContents(time, dt);
    const QelInput* input = g_qel->input;
    if (input != nullptr && input->modifiers == CTRL_ALT && input->keys[KEY_X]) {
        QEL_FATAL("Crash requested.");
    }
    ContextManager* stack = g_global->contextManager;
    if (buttonStart->takeClicked()) {
        onButtonStart();
    }
    if (buttonOptions->takeClicked()) {
        stack->addNew("ContextOptions");
    }
    if (buttonHighScores->takeClicked()) {
        stack->addNew("ContextHighScores");
    }
    if (buttonCredits->takeClicked()) {
        stack->addNew("ContextCredits");
    }
}
