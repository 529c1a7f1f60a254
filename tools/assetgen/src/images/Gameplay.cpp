// The sprites of play: cars, docks, cargo, bonuses, the launcher and its claw.
#include <cmath>

#include "core/Paint.h"
#include "core/Sheet.h"
#include "images/Images.h"
#include "images/SharedDrawings.h"

namespace assetgen {

namespace {

// Car sprites: engine, wagons with one, two and three docks, coupling. The
// layout counts each sprite's width less 24 as the body, so the buffers sit in
// those 24 pixels.
const int kCarWidth[4] = {84, 60, 96, 120};
const int kCarHeight = 44;

std::vector<Frame> carFrames() {
    std::vector<Frame> frames;
    for (int kind = 0; kind < 4; ++kind) {
        frames.push_back(Frame{kCarWidth[kind], kCarHeight, [kind](cairo_t* cr, double w, double h) {
                                   drawCar(cr, kind, 0, 0, w, h);
                               }});
    }
    // The coupling: a short draw bar with a link at each end.
    frames.push_back(Frame{32, 10, [](cairo_t* cr, double w, double h) {
                               roundedRect(cr, 3, h / 2 - 2, w - 6, 4, 2);
                               fillVertical(cr, Color::hex(0x4A4F57), h / 2 - 2, h / 2 + 2);
                               strokeOutline(cr, 1.0);
                               cairo_new_path(cr);
                               for (int k = 0; k < 2; ++k) {
                                   cairo_arc(cr, k == 0 ? 5 : w - 5, h / 2, 3.5, 0, 2 * M_PI);
                                   setColor(cr, palette::steel);
                                   cairo_fill_preserve(cr);
                                   strokeOutline(cr, 1.2);
                                   cairo_new_path(cr);
                               }
                           }});
    return frames;
}

void writeCars(const Output& out) { writeSheet(out, "gfx/car.tga", carFrames()); }

void writeDocks(const Output& out) {
    std::vector<Frame> frames;
    for (int i = 0; i < 9; ++i) {
        frames.push_back(Frame{36, 36, [i](cairo_t* cr, double w, double h) {
                                   drawDock(cr, w / 2, h / 2, 16);
                                   if (i > 0) {
                                       drawCargoMark(cr, i - 1, w / 2, h / 2, 9.5);
                                   }
                               }});
    }
    writeSheet(out, "gfx/dock.tga", frames);
}

void writeCargo(const Output& out) {
    std::vector<Frame> frames;
    for (int i = 0; i < 8; ++i) {
        frames.push_back(Frame{40, 40, [i](cairo_t* cr, double w, double h) { drawCargo(cr, i, w / 2, h / 2, 16); }});
    }
    writeSheet(out, "gfx/cargo.tga", frames);
}

void writeSpecials(const Output& out) {
    writeSheet(out, "gfx/fireball.tga",
               {Frame{44, 44, [](cairo_t* cr, double w, double h) { drawFireball(cr, w / 2, h / 2, 18); }}});
    writeSheet(out, "gfx/wildcard.tga",
               {Frame{40, 40, [](cairo_t* cr, double w, double h) { drawWildcard(cr, w / 2, h / 2, 16); }}});
    std::vector<Frame> bonus;
    for (int i = 0; i < 8; ++i) {
        bonus.push_back(Frame{40, 40, [i](cairo_t* cr, double w, double h) { drawBonus(cr, i, w / 2, h / 2, 17); }});
    }
    writeSheet(out, "gfx/bonus.tga", bonus);
}

void writePlacementIcons(const Output& out) {
    std::vector<Frame> frames;
    // A wrong piece: a cross (drawn pulsing grey to white).
    frames.push_back(Frame{28, 28, [](cairo_t* cr, double w, double h) {
                               cairo_new_path(cr);
                               cairo_move_to(cr, 7, 7);
                               cairo_line_to(cr, w - 7, h - 7);
                               cairo_move_to(cr, w - 7, 7);
                               cairo_line_to(cr, 7, h - 7);
                               setColor(cr, palette::outline);
                               cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
                               cairo_set_line_width(cr, 8);
                               cairo_stroke_preserve(cr);
                               setColor(cr, Color{1, 1, 1, 1});
                               cairo_set_line_width(cr, 4.5);
                               cairo_stroke(cr);
                           }});
    // A bonus: a ring of inward chevrons that says "grab me" (tinted).
    frames.push_back(Frame{44, 44, [](cairo_t* cr, double w, double h) {
                               const double cx = w / 2;
                               const double cy = h / 2;
                               cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
                               cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
                               for (int pass = 0; pass < 2; ++pass) {
                                   for (int i = 0; i < 4; ++i) {
                                       const double a = M_PI / 4 + i * M_PI / 2;
                                       const double ca = std::cos(a);
                                       const double sa = std::sin(a);
                                       const double tipR = 14;
                                       const double backR = 20;
                                       cairo_move_to(cr, cx + backR * ca - 5 * sa, cy + backR * sa + 5 * ca);
                                       cairo_line_to(cr, cx + tipR * ca, cy + tipR * sa);
                                       cairo_line_to(cr, cx + backR * ca + 5 * sa, cy + backR * sa - 5 * ca);
                                   }
                                   setColor(cr, pass == 0 ? palette::outline : Color{1, 1, 1, 1});
                                   cairo_set_line_width(cr, pass == 0 ? 5.5 : 2.8);
                                   cairo_stroke(cr);
                               }
                           }});
    writeSheet(out, "gfx/placementicons.tga", frames);
}

void writeLauncher(const Output& out) {
    std::vector<Frame> frames;
    frames.push_back(Frame{64, 64, [](cairo_t* cr, double w, double h) { drawLauncherBase(cr, w / 2, h / 2, 29); }});
    frames.push_back(Frame{64, 64, [](cairo_t* cr, double w, double h) { drawBow(cr, w / 2, h / 2, 64); }});
    // The claw head on a shank that reaches 64 pixels back, to where the
    // chain ends.
    frames.push_back(Frame{128, 32, [](cairo_t* cr, double w, double h) {
                               roundedRect(cr, 1, h / 2 - 3, w / 2, 6, 3);
                               fillVertical(cr, palette::steel, h / 2 - 3, h / 2 + 3, 0.4, 0.3);
                               strokeOutline(cr, 1.2);
                               cairo_new_path(cr);
                               drawClaw(cr, w / 2, h / 2, 32);
                           }});
    writeSheet(out, "gfx/launcher.tga", frames);

    std::vector<Frame> strings;
    const int n = 8;
    for (int i = 0; i < n; ++i) {
        strings.push_back(Frame{64, 64, [i](cairo_t* cr, double w, double h) {
                                    drawBowString(cr, w / 2, h / 2, 64, i / double(n - 1));
                                }});
    }
    writeSheet(out, "gfx/bowstring.tga", strings);
}

// A texture that the game repeats horizontally: its width is one whole
// texture, 256 pixels, so the pattern tiles seamlessly.
void writeChain(const Output& out) {
    writeSheet(out, "gfx/chain.tga", {Frame{256, 12, [](cairo_t* cr, double w, double h) {
                                            const double step = 16;
                                            for (double x = 0; x < w; x += step) {
                                                // Alternating flat and edge-on links.
                                                roundedRect(cr, x + 1, h / 2 - 4, step - 2 + 4, 8, 4);
                                                cairo_new_path(cr);
                                                roundedRect(cr, x + 1, h / 2 - 4, step + 2, 8, 4);
                                                roundedRect(cr, x + 4, h / 2 - 1.5, step - 4, 3, 1.5);
                                                cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
                                                fillVertical(cr, palette::steel, h / 2 - 4, h / 2 + 4, 0.4, 0.3);
                                                strokeOutline(cr, 1.2);
                                                cairo_new_path(cr);
                                                cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
                                                roundedRect(cr, x + step - 3, h / 2 - 1.5, 8, 3, 1.5);
                                                setColor(cr, palette::steel.darker(0.2));
                                                cairo_fill_preserve(cr);
                                                strokeOutline(cr, 1.0);
                                                cairo_new_path(cr);
                                            }
                                        }}});
}

void writeBeam(const Output& out) {
    writeSheet(out, "gfx/beam.tga", {Frame{256, 16, [](cairo_t* cr, double w, double h) {
                                           // A dotted aiming line that fades towards its far end.
                                           for (double x = 6; x < w - 4; x += 12) {
                                               const double fade = 1.0 - x / w;
                                               glow(cr, x, h / 2, 6, Color{1, 1, 1, 0.45 * fade});
                                               cairo_arc(cr, x, h / 2, 2.4, 0, 2 * M_PI);
                                               setColor(cr, Color{1, 1, 1, 0.95 * fade + 0.05});
                                               cairo_fill(cr);
                                           }
                                       }}});
}

} // namespace

void writeGameplayImages(const Output& out) {
    writeCars(out);
    writeDocks(out);
    writeCargo(out);
    writeSpecials(out);
    writePlacementIcons(out);
    writeLauncher(out);
    writeChain(out);
    writeBeam(out);
}

} // namespace assetgen
