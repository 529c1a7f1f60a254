#pragma once
// Helpers of the game's modal screens, which draw the frozen screen beneath
// them (the game or the map) before their own bubble and words.
#include "engine/Context.h"
#include "math/UColor.h"
#include "system/UString.h"

class FontQuad;
class MenuButtonQuit;
class RenderableText;

// Draws the screen directly below `screen` on the screen stack, if any.
void drawScreenBelow(const Context* screen);
// A shadowless text of the bubble, added to `screen`.
RenderableText* addBubbleText(Context* screen, float x, float y, const UString& text, FontQuad* font, UColor colour);
// A button of the bubble that closes its screen, in the speech look and
// at the button's usual width; added to `screen`.
MenuButtonQuit* addSpeechButton(Context* screen, float y, const UString& caption, const UString& help);
// Whether the moment `at` of a clock falls in the step that ended at `time`.
inline bool crossed(double time, double dt, double at)
{
    return at <= time && time - dt < at;
}
