#pragma once

#include <cairo.h>

namespace assetgen {

// Drawings shared by several sheets (the sprites themselves and the pictures
// of the help pages). Coordinates are in the caller's cairo space.

// A cargo piece of colour 0..7, centred on (cx, cy), radius r.
void drawCargo(cairo_t* cr, int colour, double cx, double cy, double r);
// The plain silhouette of a cargo piece, for the colour-blind dock marks.
void drawCargoMark(cairo_t* cr, int colour, double cx, double cy, double r);
// An empty dock socket (white, meant to be tinted), centred, radius r.
void drawDock(cairo_t* cr, double cx, double cy, double r);
// A car seen from above, front to the right, in a box of w x h at (x, y).
// kind: 0 engine, 1..3 wagons with that many docks.
void drawCar(cairo_t* cr, int kind, double x, double y, double w, double h);
// A bonus badge 0..7 (stop, rewind, wildcard, colour bomb, fireball,
// bullseye, heart, slow), centred, radius r.
void drawBonus(cairo_t* cr, int bonus, double cx, double cy, double r);
void drawWildcard(cairo_t* cr, double cx, double cy, double r);
void drawFireball(cairo_t* cr, double cx, double cy, double r);
// The launcher's turntable, its bow (facing +x) and the claw head (facing +x).
void drawLauncherBase(cairo_t* cr, double cx, double cy, double r);
void drawBow(cairo_t* cr, double cx, double cy, double size);
void drawBowString(cairo_t* cr, double cx, double cy, double size, double tension);
void drawClaw(cairo_t* cr, double cx, double cy, double size);
// A little engine and a produce wagon seen from the side, facing right,
// standing on y (the wheels' bottom); scale 1 is 44 x 30 pixels.
void drawSideEngine(cairo_t* cr, double x, double y, double scale);
void drawSideWagon(cairo_t* cr, double x, double y, double scale, int firstColour);
// A pointed leaf from the origin along +x, len long, added to the path.
void leafPath(cairo_t* cr, double len);
// A red heart with gloss.
void drawHeart(cairo_t* cr, double cx, double cy, double size);

} // namespace assetgen
