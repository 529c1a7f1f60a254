#include "screens/ContextGameLogo.h"

#include "context/ContextManager.h"
#include "context/ContextPost.h"
#include "context/ContextPre.h"
#include "effects/RenderableTimed.h"
#include "engine/Qel.h"
#include "global/Global.h"
#include "graphics/QelGraphics.h"
#include "graphics/Skin.h"
#include "gui/RadialFader.h"
#include "language/Language.h"
#include "language/StoryScript.h"
#include "resource/ResourceManager.h"
#include "screens/StoryText.h"
#include "text/RenderableText.h"

namespace {

constexpr float LOGO_FROM_TOP = 75.0f;
constexpr double GLIDE_DURATION = 25.0;
constexpr int RAISED_ONE_LINE = 0x22;

Skin* logoSkin()
{
    return static_cast<Skin*>(g_qel->resourceManager->find(gameLogoFrame(), true));
}

V3 logoPosition()
{
    return V3(0.0f, static_cast<float>(g_qel->graphics->fovHeight / 2) - LOGO_FROM_TOP, 0.0f);
}

} // namespace

const char* gameLogoFrame()
{
    return g_qel->bHoliday ? "logoHoliday:0" : "logo:0";
}

ContextGameLogo::ContextGameLogo()
    : textHolder(new QelBase())
{
    addChildBack(textHolder);
    bDeleteWhenFinished = 1;
    bSkippable = 1;
    bShowPointer = 0;
    preObject = g_global->contextPre;
    postObject = g_global->contextPost;
}

void ContextGameLogo::activate(bool /*firstTime*/)
{
    RadialFader* fader = g_global->contextManager->fader;
    fader->amount = 1.0f;
    fader->targetAmount = 1.0f;
    g_global->contextPre->setCameraHeight(SKY_HEIGHT);
}

void ContextGameLogo::deactivate(bool /*finished*/)
{
    auto* logo = new Renderable();
    const V3 position = logoPosition();
    logo->setPlacement(logoSkin(), &position, nullptr, nullptr);
    g_global->contextPost->addChildFront(logo);
    g_global->contextPre->setCameraHeight(0.0f);
}

void ContextGameLogo::tickContents(double t, double dt)
{
    if (GLIDE_TIME <= t && t - dt < GLIDE_TIME) {
        g_global->contextPre->addCameraTarget(0.0f, GLIDE_DURATION);
    }
    showStoryScenes(textHolder, getOpeningStory(), clockBefore, t);
    if (LOGO_TIME <= t && t - dt < LOGO_TIME) {
        showLogo();
    }
    clockBefore = t;
    if (t > LENGTH) {
        bFinished = 1;
    }
    Context::tickContents(t, dt);
}

void ContextGameLogo::addIntroText(float y, double duration, const UString& text, bool large)
{
    textHolder->addChildBack(newStoryText(y, duration, text, large));
}

void ContextGameLogo::showLogo()
{
    auto* logo = new RenderableTimed();
    const V3 position = logoPosition();
    logo->setPlacement(logoSkin(), &position, nullptr, nullptr);
    logo->fadeInTime = 0.5;
    addChildBack(logo);

    const int halfWidth = g_qel->graphics->fovWidth / 2;
    const int halfHeight = g_qel->graphics->fovHeight / 2;
    auto* copyright = new RenderableText(static_cast<float>(10 - halfWidth), static_cast<float>(10 - halfHeight), 0.0f,
                                         UString(g_qel->language->getText(Language::COPYRIGHT)), g_global->fontSmall,
                                         UColor(0, 0, 0, 255));
    copyright->printFlags = RAISED_ONE_LINE;
    copyright->delay = 1.0;
    copyright->fadeInTime = 0.25;
    copyright->bShadowed = false;
    addChildBack(copyright);
}
