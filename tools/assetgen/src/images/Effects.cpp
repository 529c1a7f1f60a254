// Particles, glows, the bonus heart and the award rosettes.
#include <cmath>

#include "core/Paint.h"
#include "core/Sheet.h"
#include "images/Images.h"
#include "images/SharedDrawings.h"

namespace assetgen {

namespace {

void writeFlare(const Output& out) {
    writeSheet(out, "gfx/flare.tga", {Frame{64, 64, [](cairo_t* cr, double w, double h) {
                                            const double cx = w / 2;
                                            const double cy = h / 2;
                                            // A small halo, so that a heart's glow or a
                                            // big spark does not cover what lies around it.
                                            glow(cr, cx, cy, 18, Color{1, 1, 1, 0.7});
                                            // Four soft rays.
                                            for (int i = 0; i < 4; ++i) {
                                                cairo_save(cr);
                                                cairo_translate(cr, cx, cy);
                                                cairo_rotate(cr, i * M_PI / 4);
                                                cairo_scale(cr, 1.0, i % 2 == 0 ? 0.09 : 0.06);
                                                glow(cr, 0, 0, i % 2 == 0 ? 31 : 22, Color{1, 1, 1, 0.9});
                                                cairo_restore(cr);
                                            }
                                            glow(cr, cx, cy, 8, Color{1, 1, 1, 1});
                                        }}});
}

void writeSmoke(const Output& out) {
    std::vector<Frame> frames;
    const int n = 8;
    for (int i = 0; i < n; ++i) {
        frames.push_back(Frame{48, 48, [i](cairo_t* cr, double w, double h) {
                                   const double t = i / double(n - 1);
                                   const double r = 9 + 12 * t;
                                   const double alpha = 0.95 - 0.65 * t;
                                   Rng rng(101 + static_cast<uint32_t>(i));
                                   // A cluster of soft balls: dense and small at first,
                                   // thin and wide as the puff dies.
                                   for (int k = 0; k < 6; ++k) {
                                       const double a = k * M_PI / 3 + rng.range(-0.3, 0.3);
                                       const double d = r * 0.45;
                                       const double bx = w / 2 + d * std::cos(a);
                                       const double by = h / 2 + d * std::sin(a);
                                       cairo_new_path(cr);
                                       cairo_arc(cr, bx, by, r * 0.6, 0, 2 * M_PI);
                                       cairo_pattern_t* p =
                                           cairo_pattern_create_radial(bx - r * 0.2, by - r * 0.25, 0, bx, by, r * 0.6);
                                       cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, alpha);
                                       cairo_pattern_add_color_stop_rgba(p, 0.7, 0.88, 0.88, 0.9, alpha * 0.8);
                                       cairo_pattern_add_color_stop_rgba(p, 1, 0.8, 0.8, 0.85, 0);
                                       cairo_set_source(cr, p);
                                       cairo_fill(cr);
                                       cairo_pattern_destroy(p);
                                   }
                                   glow(cr, w / 2, h / 2, r, Color{1, 1, 1, alpha * 0.6});
                               }});
    }
    writeSheet(out, "gfx/smoke.tga", frames);
}

void writeCircle(const Output& out) {
    writeSheet(out, "gfx/circle.tga", {Frame{64, 64, [](cairo_t* cr, double w, double h) {
                                             cairo_new_path(cr);
                                             cairo_arc(cr, w / 2, h / 2, 29, 0, 2 * M_PI);
                                             cairo_pattern_t* p =
                                                 cairo_pattern_create_radial(w / 2, h / 2, 20, w / 2, h / 2, 30);
                                             cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.25);
                                             cairo_pattern_add_color_stop_rgba(p, 0.8, 1, 1, 1, 1);
                                             cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
                                             cairo_set_source(cr, p);
                                             cairo_fill(cr);
                                             cairo_pattern_destroy(p);
                                         }}});
}

// The bonus heart: one beat per cycle, with a glint that runs across.
void writeHeart(const Output& out) {
    std::vector<Frame> frames;
    const int n = 8;
    for (int i = 0; i < n; ++i) {
        frames.push_back(Frame{44, 44, [i](cairo_t* cr, double w, double h) {
                                   const double t = i / double(n - 1);
                                   const double beat = 1.0 + 0.14 * std::exp(-std::pow((t - 0.2) * 7, 2)) +
                                                       0.08 * std::exp(-std::pow((t - 0.45) * 8, 2));
                                   drawHeart(cr, w / 2, h / 2 + 1, 14 * beat);
                                   const double gx = w * 0.2 + w * 0.6 * t;
                                   cairo_save(cr);
                                   heartPath(cr, w / 2, h / 2 + 1, 14 * beat);
                                   cairo_clip(cr);
                                   cairo_translate(cr, gx, h / 2);
                                   cairo_rotate(cr, 0.5);
                                   cairo_scale(cr, 0.25, 1.0);
                                   glow(cr, 0, 0, 20, Color{1, 1, 1, 0.55});
                                   cairo_restore(cr);
                               }});
    }
    writeSheet(out, "gfx/star.tga", frames);
}

void writeAwards(const Output& out) {
    // The star is light grey so that the game's tint gives bronze, silver or gold.
    writeSheet(out, "gfx/award-star.tga", {Frame{128, 128, [](cairo_t* cr, double w, double h) {
                                                 const double cx = w / 2;
                                                 const double cy = h / 2 + 2;
                                                 starPath(cr, cx + 2, cy + 3, 60, 30, 5, 0);
                                                 setColor(cr, palette::outline.withAlpha(0.35));
                                                 cairo_fill(cr);
                                                 starPath(cr, cx, cy, 60, 30, 5, 0);
                                                 fillBall(cr, Color::hex(0xE6E6E6), cx, cy, 60);
                                                 strokeOutline(cr, 4);
                                                 cairo_new_path(cr);
                                                 // Bevel: each point lit on one side.
                                                 for (int i = 0; i < 5; ++i) {
                                                     const double a = -M_PI / 2 + i * 2 * M_PI / 5;
                                                     const double b = a + M_PI / 5;
                                                     cairo_move_to(cr, cx, cy);
                                                     cairo_line_to(cr, cx + 57 * std::cos(a), cy + 57 * std::sin(a));
                                                     cairo_line_to(cr, cx + 28 * std::cos(b), cy + 28 * std::sin(b));
                                                     cairo_close_path(cr);
                                                     setColor(cr, Color{0, 0, 0, 0.12});
                                                     cairo_fill(cr);
                                                 }
                                                 // A darker face in the middle, under the award's points,
                                                 // which the game prints in the star's own tint.
                                                 starPath(cr, cx, cy, 38, 19, 5, 0);
                                                 setColor(cr, Color{0, 0, 0, 0.45});
                                                 cairo_fill(cr);
                                             }}});
    // 280 high so that the banner at the foot of the tails carries the
    // award's name, which the results page prints 120 below the star.
    writeSheet(out, "gfx/award-ribbon.tga", {Frame{192, 280, [](cairo_t* cr, double w, double h) {
                                                   const double cx = w / 2;
                                                   const double cy = h / 2;
                                                   const Color blue = Color::hex(0x2F6FD6);
                                                   // Two tails hanging down from behind the star.
                                                   for (int k = -1; k <= 1; k += 2) {
                                                       cairo_new_path(cr);
                                                       cairo_move_to(cr, cx + k * 6, cy);
                                                       cairo_line_to(cr, cx + k * 42, cy + 100);
                                                       cairo_line_to(cr, cx + k * 30, cy + 92);
                                                       cairo_line_to(cr, cx + k * 20, cy + 108);
                                                       cairo_line_to(cr, cx - k * 14, cy + 8);
                                                       cairo_close_path(cr);
                                                       fillVertical(cr, k < 0 ? blue : palette::berry, cy, cy + 108);
                                                       strokeOutline(cr, 3);
                                                   }
                                                   // The name banner: deep navy with folded ends, dark enough
                                                   // for the bronze, silver and gold names alike.
                                                   const double by = cy + 120;
                                                   for (int k = -1; k <= 1; k += 2) {
                                                       cairo_new_path(cr);
                                                       cairo_move_to(cr, cx + k * 78, by - 10);
                                                       cairo_line_to(cr, cx + k * 94, by - 10);
                                                       cairo_line_to(cr, cx + k * 86, by + 2);
                                                       cairo_line_to(cr, cx + k * 94, by + 16);
                                                       cairo_line_to(cr, cx + k * 78, by + 16);
                                                       cairo_close_path(cr);
                                                       setColor(cr, Color::hex(0x0F2347));
                                                       cairo_fill_preserve(cr);
                                                       strokeOutline(cr, 2);
                                                   }
                                                   cairo_new_path(cr);
                                                   roundedRect(cr, cx - 84, by - 15, 168, 28, 5);
                                                   fillVertical(cr, Color::hex(0x16305E), by - 15, by + 13, 0.1, 0.2);
                                                   strokeOutline(cr, 2.5);
                                                   cairo_new_path(cr);
                                                   // The pleated rosette behind the star.
                                                   cairo_new_path(cr);
                                                   for (int i = 0; i < 32; ++i) {
                                                       const double a = i * M_PI / 16;
                                                       const double r = i % 2 == 0 ? 62 : 54;
                                                       if (i == 0) {
                                                           cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
                                                       } else {
                                                           cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
                                                       }
                                                   }
                                                   cairo_close_path(cr);
                                                   fillBall(cr, blue, cx, cy, 62);
                                                   strokeOutline(cr, 3);
                                                   cairo_new_path(cr);
                                                   cairo_arc(cr, cx, cy, 46, 0, 2 * M_PI);
                                                   setColor(cr, palette::gold);
                                                   cairo_set_line_width(cr, 3);
                                                   cairo_stroke(cr);
                                               }}});
}

} // namespace

void writeEffectImages(const Output& out) {
    writeFlare(out);
    writeSmoke(out);
    writeCircle(out);
    writeHeart(out);
    writeAwards(out);
}

} // namespace assetgen
