#pragma once
// Plain untextured shapes drawn straight in world coordinates (z = 0) for
// debug graphs and overlays: each builds a passing vertex buffer and leaves
// the model-view matrix at the identity.
#include "math/UColor.h"

// r = x0, y0, x1, y1.
void drawRectFilled(const float r[4], UColor color);
void drawRectOutline(const float r[4], UColor color);
// A line from (p[0], p[1]) in color to (p[2], p[3]) in color2; a color2 of
// all zero bytes means color.
void drawLine(const float p[4], UColor color, UColor color2);
