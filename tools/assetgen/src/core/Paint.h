#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

#include <cairo.h>

namespace assetgen {

// A colour with channels 0..1.
struct Color {
    double r = 0, g = 0, b = 0, a = 1;

    static Color hex(uint32_t rgb, double alpha = 1.0);
    Color lighter(double amount) const; // towards white
    Color darker(double amount) const;  // towards black
    Color withAlpha(double alpha) const;
    Color mix(const Color& other, double t) const;
};

// The house palette: every image takes its colours from here.
namespace palette {
extern const Color outline;   // the warm dark brown of every outline
extern const Color cream;     // paper, bubbles, panels
extern const Color sky;
extern const Color skyDeep;
extern const Color grass;
extern const Color grassDeep;
extern const Color wood;
extern const Color woodDark;
extern const Color gold;
extern const Color rail;
extern const Color steel;
extern const Color panel;     // the blue of menu panels
extern const Color panelDeep;
extern const Color berry;     // the accent red of buttons and titles
// The eight cargo colours: red, orange, yellow, green, cyan, blue, purple, white.
extern const Color cargo[8];
} // namespace palette

void setColor(cairo_t* cr, const Color& c);

// Paths.
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void starPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points, double rotation);
void heartPath(cairo_t* cr, double cx, double cy, double size);
void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);
void polygonPath(cairo_t* cr, const double (*points)[2], size_t count, double dx = 0, double dy = 0);

// Fills the current path (kept) with a vertical gradient from a lighter top to
// a darker bottom of the base colour, over y0..y1.
void fillVertical(cairo_t* cr, const Color& base, double y0, double y1, double light = 0.35, double dark = 0.25);
// Fills the current path (kept) with a ball shading: highlight to the upper left.
void fillBall(cairo_t* cr, const Color& base, double cx, double cy, double r);
// Strokes the current path (kept) with the house outline.
void strokeOutline(cairo_t* cr, double width, const Color& color = palette::outline);
// A soft white gloss arc in the upper part of a disc.
void glossSpot(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha = 0.55);
// A soft round glow (radial gradient to transparent).
void glow(cairo_t* cr, double cx, double cy, double r, const Color& c);

// Text in the house typeface, centred on (cx, baseline y) when centred.
// Held while drawing text with Cairo's own fonts (drawText and drawTitle
// take it themselves); the font leaves the context before it is let go.
std::unique_lock<std::mutex> lockText();
void drawText(cairo_t* cr, const std::string& text, double x, double y, double size, bool bold, bool centred);
// Text with a thick outline and a vertical gradient fill: titles and logos.
void drawTitle(cairo_t* cr, const std::string& text, double cx, double baseline, double size,
               const Color& top, const Color& bottom, double outlineWidth);

// Frees the font and drawing caches that Cairo and fontconfig keep for the
// whole process; called once when all drawing is done.
void releaseDrawingCaches();

// A small deterministic random source for scattering details.
class Rng {
public:
    explicit Rng(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    uint32_t next();
    double uniform(); // [0, 1)
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }

private:
    uint32_t state_;
};

} // namespace assetgen
