#pragma once
// The lines of a timed story screen: each centred on its height, large
// white or medium black, without shadow, fading in and out with the
// story's fades.
#include <span>

#include "system/UString.h"

class QelBase;
class RenderableText;
struct StoryScene;

RenderableText* newStoryText(float y, double life, const UString& text, bool large);

// Adds to the holder the lines of every scene of the story that starts in a
// frame that moved the screen's clock from `before` to `now`, in order.
void showStoryScenes(QelBase* holder, std::span<const StoryScene> story, double before, double now);
