#include "screens/StoryText.h"

#include "engine/Qel.h"
#include "global/Global.h"
#include "language/StoryScript.h"
#include "text/RenderableText.h"

namespace {

constexpr int CENTRED_RAISED_HALF_LINE = 0x15;

} // namespace

RenderableText* newStoryText(float y, double life, const UString& text, bool large)
{
    auto* line = new RenderableText(0.0f, y, 0.0f, text, large ? g_global->fontLarge : g_global->fontMedium,
                                    large ? UColor(255, 255, 255, 255) : UColor(0, 0, 0, 255));
    line->printFlags = CENTRED_RAISED_HALF_LINE;
    line->lifeTime = life;
    line->fadeInTime = STORY_FADE_IN;
    line->fadeOutTime = STORY_FADE_OUT;
    line->bShadowed = false;
    return line;
}

void showStoryScenes(QelBase* holder, std::span<const StoryScene> story, double before, double now)
{
    for (const StoryScene& scene : getScenesStarting(story, before, now)) {
        for (const StoryLine& line : scene.lines) {
            holder->addChildBack(
                newStoryText(line.offset, scene.life, UString(g_qel->language->getText(line.text)), scene.large));
        }
    }
}
