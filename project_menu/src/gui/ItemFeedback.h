#pragma once
// What the menu items and the GUI items show of the pointer: a highlight
// level that fades in while the pointer is over the item and out again,
// and the help line at the bottom of the screen.
#include "system/UString.h"

// Highlight change per second: a full fade takes a quarter second.
inline constexpr double HIGHLIGHT_RATE = 4.0;

// The level after dt seconds, up while hovered and down otherwise, kept
// within 0 to 1.
double stepHighlight(double level, bool hovered, double dt);
// The text in the program's small font, screen-fixed and centred with its
// baseline 4 units above the bottom edge, white; shadowed one unit below
// in opaque black when asked. Nothing without the font.
void drawHelpLine(const UString& text, bool shadowed);
