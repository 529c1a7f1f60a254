#pragma once
// The pieces the menu screens lay out alike: the title at the top of the
// view, the 160-wide button in the bottom-left corner that closes the
// screen, the shared background, and the screen beneath drawn under a
// panel. Positions are in the view's units, origin at the centre, y up.
#include "language/Language.h"
#include "system/UString.h"

class Context;
class MenuButtonQuit;
class RenderableText;

// A text of the current language.
UString menuText(Language::StringsEnum id);
// Half the view's width and height, in whole units.
int halfViewWidth();
int halfViewHeight();

// Deleted when finished, over the program's shared background.
void useSharedBackground(Context* screen);
// The title 50 units below the top of the view, large and white, centred
// on its line; added as the screen's next child.
RenderableText* addScreenTitle(Context* screen, Language::StringsEnum title);
// The 160-wide button 100 units in from the left edge and 50 up from the
// bottom that finishes the screen; added as the screen's next child.
MenuButtonQuit* addCornerQuitButton(Context* screen, Language::StringsEnum caption);
// Draws the screen under this one on the stack, if there is one.
void drawScreenBelow(Context* screen);
