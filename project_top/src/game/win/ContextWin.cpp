#include "game/win/ContextWin.h"

#include <cmath>
#include <numbers>

#include "audio/Sound.h"
#include "context/ContextManager.h"
#include "context/ContextPre.h"
#include "engine/Qel.h"
#include "game/win/WinFireworkFuse.h"
#include "global/Global.h"
#include "graphics/QelGraphics.h"
#include "gui/RadialFader.h"
#include "language/StoryScript.h"
#include "math/RandomSource.h"
#include "resource/ResourceManager.h"
#include "screens/StoryText.h"
#include "text/RenderableText.h"

ContextWin::ContextWin()
    : textLayer(new QelBase())
    , rocketLayer(new QelBase())
    , background(new ContextPre())
{
    bDeleteWhenFinished = 1;
    bSkippable = 1;
    RadialFader* fader = g_global->contextManager->fader;
    fader->amount = 1.0f;
    fader->targetAmount = 1.0f;
    background->addCameraTarget(SKY_HEIGHT, GLIDE_TIME);
    preObject = background;
    // The texts stand over the rockets.
    addChildBack(rocketLayer);
    addChildBack(textLayer);
}

ContextWin::~ContextWin()
{
    preObject = nullptr;
    delete background;
}

void ContextWin::addText(float y, double life, const UString& text, bool big)
{
    textLayer->addChildBack(newStoryText(y, life, text, big));
}

void ContextWin::tickContents(double t, double dt)
{
    showStoryScenes(textLayer, getCompletionStory(), clockBefore, t);
    clockBefore = t;
    if (nextLaunch < t) {
        if (nextLaunch > 0.0) {
            launch();
        }
        nextLaunch = t + 0.25 + 0.75 * RandomSource::fraction();
    }
    Context::tickContents(t, dt);
}

void ContextWin::launch()
{
    const int sw = g_qel->graphics->fovWidth;
    const int sh = g_qel->graphics->fovHeight;
    const auto x = float(-(sw / 4) + RandomSource::fraction() * (sw / 2.0));
    const auto y = float(-(sh / 2) - 32);
    const double a = std::numbers::pi / 4 + RandomSource::fraction() * (std::numbers::pi / 2);
    const double v = 256.0 + RandomSource::fraction() * 512.0;
    rocketLayer->addChildBack(
        new WinFireworkFuse(x, y, 0.0f, float(v * std::cos(a)), float(v * std::sin(a)), 0.0f, 1.0, 1.0));
    static_cast<Sound*>(g_qel->resourceManager->find("fireworkLaunch", true))->playAt(V3(x, y, 0.0f));
}
