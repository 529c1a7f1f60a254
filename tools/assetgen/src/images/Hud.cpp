// The in-game bar across the top of the screen, its icons and progress bar,
// and the track strip of the world map.
#include <cmath>

#include "core/Paint.h"
#include "core/Sheet.h"
#include "images/Images.h"
#include "images/SharedDrawings.h"

namespace assetgen {

namespace {

void inset(cairo_t* cr, double x, double y, double w, double h) {
    roundedRect(cr, x, y, w, h, h / 2);
    setColor(cr, Color::hex(0x5A3418, 0.75));
    cairo_fill_preserve(cr);
    setColor(cr, Color{1, 1, 1, 0.25});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// 800 wide: score at the left, lives and hearts, the progress bar in the
// middle and the level title. The same bar serves the world map, so the
// corner where a level prints its menu label is bare wood: nothing there
// looks like a button that does nothing.
void writeHudBar(const Output& out) {
    writeSheet(out, "gfx/gui/game/HUDbar.tga", {Frame{800, 38, [](cairo_t* cr, double w, double) {
                                                    const double h = 34;
                                                    // Square at the top, rounded at the bottom.
                                                    auto shape = [&](double dy) {
                                                        cairo_new_path(cr);
                                                        cairo_move_to(cr, 0, dy);
                                                        cairo_line_to(cr, w, dy);
                                                        cairo_line_to(cr, w, h - 10 + dy);
                                                        cairo_curve_to(cr, w, h + dy, w, h + dy, w - 10, h + dy);
                                                        cairo_line_to(cr, 10, h + dy);
                                                        cairo_curve_to(cr, 0, h + dy, 0, h + dy, 0, h - 10 + dy);
                                                        cairo_close_path(cr);
                                                    };
                                                    shape(3);
                                                    setColor(cr, Color{0, 0, 0, 0.3});
                                                    cairo_fill(cr);
                                                    shape(0);
                                                    fillVertical(cr, palette::wood, 0, h, 0.25, 0.25);
                                                    strokeOutline(cr, 2.5);
                                                    cairo_new_path(cr);
                                                    // Wood grain.
                                                    Rng rng(7);
                                                    setColor(cr, palette::woodDark.withAlpha(0.35));
                                                    cairo_set_line_width(cr, 1);
                                                    for (int i = 0; i < 26; ++i) {
                                                        const double y = rng.range(4, h - 4);
                                                        const double x = rng.range(0, w - 60);
                                                        cairo_move_to(cr, x, y);
                                                        cairo_curve_to(cr, x + 30, y - 1.5, x + 60, y + 1.5, x + rng.range(60, 120), y);
                                                    }
                                                    cairo_stroke(cr);
                                                    inset(cr, 2, 3, 176, 26);
                                                    inset(cr, 184, 3, 98, 26);
                                                    inset(cr, 292, 2, 216, 18);
                                                    inset(cr, 516, 3, 150, 26);
                                                    for (int i = 0; i < 2; ++i) {
                                                        const double nx = i == 0 ? 286 : 511;
                                                        cairo_arc(cr, nx, 12, 2.2, 0, 2 * M_PI);
                                                        setColor(cr, palette::gold);
                                                        cairo_fill(cr);
                                                    }
                                                }}});
}

void writeHudIcons(const Output& out) {
    std::vector<Frame> frames;
    // Lives: a small engine seen from the side.
    frames.push_back(Frame{26, 24, [](cairo_t* cr, double, double) {
                               roundedRect(cr, 3, 6, 8, 11, 2);
                               fillVertical(cr, palette::berry, 6, 17);
                               strokeOutline(cr, 1.5);
                               cairo_new_path(cr);
                               roundedRect(cr, 10, 9, 13, 8, 4);
                               fillVertical(cr, Color::hex(0x3F9A4A), 9, 17);
                               strokeOutline(cr, 1.5);
                               cairo_new_path(cr);
                               cairo_rectangle(cr, 18, 4, 4, 6);
                               setColor(cr, Color::hex(0x2B2B33));
                               cairo_fill_preserve(cr);
                               strokeOutline(cr, 1.2);
                               cairo_new_path(cr);
                               for (double x : {7.0, 14.0, 20.0}) {
                                   cairo_arc(cr, x, 19, 3, 0, 2 * M_PI);
                                   setColor(cr, palette::gold);
                                   cairo_fill_preserve(cr);
                                   strokeOutline(cr, 1.2);
                                   cairo_new_path(cr);
                               }
                           }});
    frames.push_back(Frame{24, 24, [](cairo_t* cr, double w, double h) { drawHeart(cr, w / 2, h / 2 + 1, 9); }});
    writeSheet(out, "gfx/gui/game/HUDicons.tga", frames);
}

void writeHudProgress(const Output& out) {
    std::vector<Frame> frames;
    frames.push_back(Frame{212, 16, [](cairo_t* cr, double w, double h) {
                               roundedRect(cr, 1, 1, w - 2, h - 2, (h - 2) / 2);
                               setColor(cr, Color::hex(0xFFF6DE));
                               cairo_fill_preserve(cr);
                               strokeOutline(cr, 1.5);
                           }});
    frames.push_back(Frame{212, 16, [](cairo_t* cr, double w, double h) {
                               roundedRect(cr, 3, 3, w - 6, h - 6, (h - 6) / 2);
                               cairo_pattern_t* p = cairo_pattern_create_linear(3, 0, w - 3, 0);
                               cairo_pattern_add_color_stop_rgb(p, 0, 0.45, 0.8, 0.3);
                               cairo_pattern_add_color_stop_rgb(p, 0.6, 1.0, 0.8, 0.2);
                               cairo_pattern_add_color_stop_rgb(p, 1, 0.95, 0.3, 0.25);
                               cairo_set_source(cr, p);
                               cairo_fill(cr);
                               cairo_pattern_destroy(p);
                               glossSpot(cr, w / 2, 5, w / 2 - 6, 2, 0.6);
                           }});
    writeSheet(out, "gfx/gui/game/HUDprogress.tga", frames);
}

// The world map's track: rails and sleepers in light tones that the game
// tints; 256 wide so that it repeats along the path.
void writeLadder(const Output& out) {
    writeSheet(out, "gfx/gui/game/dashedline.tga", {Frame{256, 16, [](cairo_t* cr, double w, double h) {
                                                        for (double x = 4; x < w; x += 16) {
                                                            roundedRect(cr, x - 3, 1, 6, h - 2, 1.5);
                                                            setColor(cr, Color::hex(0x9C8068));
                                                            cairo_fill_preserve(cr);
                                                            setColor(cr, Color::hex(0x4A3020, 0.8));
                                                            cairo_set_line_width(cr, 1);
                                                            cairo_stroke(cr);
                                                        }
                                                        for (double y : {4.5, h - 4.5}) {
                                                            cairo_rectangle(cr, 0, y - 1.5, w, 3);
                                                            setColor(cr, Color{1, 1, 1, 1});
                                                            cairo_fill(cr);
                                                            cairo_rectangle(cr, 0, y + 1.5, w, 0.8);
                                                            setColor(cr, Color::hex(0x4A3020, 0.7));
                                                            cairo_fill(cr);
                                                        }
                                                    }}});
}

} // namespace

void writeHudImages(const Output& out) {
    writeHudBar(out);
    writeHudIcons(out);
    writeHudProgress(out);
    writeLadder(out);
}

} // namespace assetgen
