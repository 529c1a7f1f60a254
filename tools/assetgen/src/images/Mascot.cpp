// The bear mascot: its body (placed by its origin in the lower right of the
// screen), the blinking eyes drawn over it, and the waving arm.
#include <cmath>

#include "core/Paint.h"
#include "core/Sheet.h"
#include "images/Images.h"

namespace assetgen {

namespace {

const Color kFur = Color::hex(0xA8683A);
const Color kFurLight = Color::hex(0xE8C08A);
const Color kCap = Color::hex(0x2F5FB8);

// The body frame is 200 x 250; drawn with its right edge on the right of an
// 800 x 600 view and its bottom on the bottom edge.
constexpr int kBodyW = 200;
constexpr int kBodyH = 250;
constexpr double kHeadX = 100;
constexpr double kHeadY = 100;
constexpr double kHeadR = 60;
constexpr double kEyeY = 96;
constexpr double kEyeDx = 22;
// The eye patch: the part of the body that the blink frames redraw.
constexpr int kEyeLeft = 62;
constexpr int kEyeTop = 80;
constexpr int kEyeW = 76;
constexpr int kEyeH = 30;

void headFill(cairo_t* cr) {
    cairo_pattern_t* p = cairo_pattern_create_radial(kHeadX - 20, kHeadY - 25, 8, kHeadX, kHeadY, kHeadR * 1.1);
    const Color hi = kFur.lighter(0.3);
    const Color lo = kFur.darker(0.3);
    cairo_pattern_add_color_stop_rgb(p, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(p, 0.6, kFur.r, kFur.g, kFur.b);
    cairo_pattern_add_color_stop_rgb(p, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
}

void head(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_arc(cr, kHeadX, kHeadY, kHeadR, 0, 2 * M_PI);
    headFill(cr);
}

void eyes(cairo_t* cr, bool open) {
    for (int k = -1; k <= 1; k += 2) {
        const double ex = kHeadX + k * kEyeDx;
        cairo_new_path(cr);
        if (open) {
            ellipsePath(cr, ex, kEyeY, 7.5, 9);
            setColor(cr, Color{1, 1, 1, 1});
            cairo_fill_preserve(cr);
            strokeOutline(cr, 2);
            cairo_new_path(cr);
            cairo_arc(cr, ex + k * 1.5, kEyeY + 2, 4.5, 0, 2 * M_PI);
            setColor(cr, Color::hex(0x2A1A10));
            cairo_fill(cr);
            cairo_arc(cr, ex + k * 1.5 - 1.5, kEyeY - 0.5, 1.6, 0, 2 * M_PI);
            setColor(cr, Color{1, 1, 1, 1});
            cairo_fill(cr);
        } else {
            cairo_move_to(cr, ex - 7, kEyeY + 1);
            cairo_curve_to(cr, ex - 3, kEyeY + 6, ex + 3, kEyeY + 6, ex + 7, kEyeY + 1);
            setColor(cr, palette::outline);
            cairo_set_line_width(cr, 2.6);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_stroke(cr);
        }
        // Brows.
        cairo_move_to(cr, ex - 7, kEyeY - 13 + (k < 0 ? 1 : 0));
        cairo_curve_to(cr, ex - 2, kEyeY - 17, ex + 2, kEyeY - 17, ex + 7, kEyeY - 13 + (k > 0 ? 1 : 0));
        setColor(cr, kFur.darker(0.5));
        cairo_set_line_width(cr, 2.4);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
}

void body(cairo_t* cr) {
    // Shoulders and chest, cut by the bottom of the screen.
    cairo_new_path(cr);
    ellipsePath(cr, 100, 262, 98, 100);
    fillVertical(cr, kFur, 160, 250, 0.15, 0.2);
    strokeOutline(cr, 3);
    cairo_new_path(cr);
    ellipsePath(cr, 100, 250, 50, 60);
    setColor(cr, kFurLight.withAlpha(0.9));
    cairo_fill(cr);
    // Ears.
    for (int k = -1; k <= 1; k += 2) {
        cairo_new_path(cr);
        cairo_arc(cr, kHeadX + k * 46, kHeadY - 44, 19, 0, 2 * M_PI);
        fillBall(cr, kFur, kHeadX + k * 46, kHeadY - 44, 19);
        strokeOutline(cr, 3);
        cairo_new_path(cr);
        cairo_arc(cr, kHeadX + k * 46, kHeadY - 44, 10, 0, 2 * M_PI);
        setColor(cr, kFurLight.darker(0.1));
        cairo_fill(cr);
    }
    head(cr);
    strokeOutline(cr, 3);
    cairo_new_path(cr);
    // Neckerchief.
    cairo_move_to(cr, 58, 158);
    cairo_curve_to(cr, 80, 170, 120, 170, 142, 158);
    cairo_line_to(cr, 100, 205);
    cairo_close_path(cr);
    fillVertical(cr, palette::berry, 158, 205);
    strokeOutline(cr, 3);
    cairo_new_path(cr);
    for (int i = 0; i < 5; ++i) {
        cairo_arc(cr, 78 + i * 11, 168 + (i % 2) * 8, 2.2, 0, 2 * M_PI);
        setColor(cr, Color{1, 1, 1, 0.85});
        cairo_fill(cr);
    }
    // Muzzle, nose and smile.
    cairo_new_path(cr);
    ellipsePath(cr, kHeadX, kHeadY + 28, 30, 22);
    fillVertical(cr, kFurLight, kHeadY + 6, kHeadY + 50, 0.2, 0.1);
    strokeOutline(cr, 2);
    cairo_new_path(cr);
    ellipsePath(cr, kHeadX, kHeadY + 16, 10, 7);
    fillBall(cr, Color::hex(0x3A2218), kHeadX, kHeadY + 16, 10);
    cairo_new_path(cr);
    glossSpot(cr, kHeadX - 3, kHeadY + 13, 4, 2, 0.8);
    cairo_move_to(cr, kHeadX, kHeadY + 23);
    cairo_line_to(cr, kHeadX, kHeadY + 30);
    cairo_move_to(cr, kHeadX - 14, kHeadY + 30);
    cairo_curve_to(cr, kHeadX - 8, kHeadY + 40, kHeadX + 8, kHeadY + 40, kHeadX + 14, kHeadY + 30);
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, 2.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    // Cheeks.
    for (int k = -1; k <= 1; k += 2) {
        glow(cr, kHeadX + k * 40, kHeadY + 22, 11, Color::hex(0xFF7A7A, 0.45));
    }
    eyes(cr, true);
    // The conductor's cap.
    cairo_new_path(cr);
    cairo_move_to(cr, 50, 64);
    cairo_curve_to(cr, 52, 24, 148, 24, 150, 64);
    cairo_close_path(cr);
    fillVertical(cr, kCap, 30, 64, 0.3, 0.3);
    strokeOutline(cr, 3);
    cairo_new_path(cr);
    cairo_move_to(cr, 46, 62);
    cairo_curve_to(cr, 70, 76, 130, 76, 154, 62);
    cairo_curve_to(cr, 130, 68, 70, 68, 46, 62);
    cairo_close_path(cr);
    setColor(cr, Color::hex(0x1B2A48));
    cairo_fill_preserve(cr);
    strokeOutline(cr, 2.5);
    cairo_new_path(cr);
    starPath(cr, 100, 47, 9, 4, 5, 0);
    setColor(cr, palette::gold);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 1.5);
    cairo_new_path(cr);
}

void eyePatch(cairo_t* cr, bool open) {
    // Redraw the head under the eyes, then the eyes: the patch fits the body
    // exactly, so the blink shows no seam.
    cairo_save(cr);
    cairo_translate(cr, -kEyeLeft, -kEyeTop);
    cairo_new_path(cr);
    ellipsePath(cr, kHeadX, kEyeY - 2, kEyeW / 2.0 - 1, kEyeH / 2.0 - 1);
    cairo_clip(cr);
    head(cr);
    cairo_new_path(cr);
    eyes(cr, open);
    cairo_restore(cr);
}

// The arm, paw up; the game turns it a quarter turn and anchors it at the
// shoulder end (the bottom of this picture).
void arm(cairo_t* cr, double w, double h) {
    cairo_new_path(cr);
    roundedRect(cr, w / 2 - 15, 30, 30, h - 34, 15);
    fillVertical(cr, kFur, 30, h, 0.1, 0.1);
    cairo_pattern_t* side = cairo_pattern_create_linear(w / 2 - 15, 0, w / 2 + 15, 0);
    cairo_pattern_add_color_stop_rgba(side, 0, 1, 1, 1, 0.2);
    cairo_pattern_add_color_stop_rgba(side, 1, 0, 0, 0, 0.25);
    cairo_set_source(cr, side);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(side);
    strokeOutline(cr, 3);
    cairo_new_path(cr);
    // The paw with its pads.
    cairo_arc(cr, w / 2, 30, 24, 0, 2 * M_PI);
    fillBall(cr, kFur, w / 2, 30, 24);
    strokeOutline(cr, 3);
    cairo_new_path(cr);
    ellipsePath(cr, w / 2, 36, 12, 10);
    setColor(cr, kFurLight);
    cairo_fill(cr);
    for (int i = 0; i < 4; ++i) {
        const double a = -M_PI / 2 + (i - 1.5) * 0.5;
        cairo_arc(cr, w / 2 + 17 * std::cos(a), 30 + 17 * std::sin(a) + 2, 4.5, 0, 2 * M_PI);
        setColor(cr, kFurLight);
        cairo_fill(cr);
    }
}

} // namespace

void writeMascotImages(const Output& out) {
    std::vector<Frame> frames;
    Frame bodyFrame{kBodyW, kBodyH, [](cairo_t* cr, double, double) { body(cr); }};
    // Origin: the view's centre lies 200 pixels left of and 50 above the
    // frame's top-left corner.
    const double originX = -(400.0 - kBodyW);
    const double originY = -(300.0 - kBodyH);
    bodyFrame.originX = originX;
    bodyFrame.originY = originY;
    frames.push_back(bodyFrame);
    for (int blink = 0; blink < 2; ++blink) {
        Frame f{kEyeW, kEyeH, [blink](cairo_t* cr, double, double) { eyePatch(cr, blink == 0); }};
        f.originX = originX - kEyeLeft;
        f.originY = originY - kEyeTop;
        frames.push_back(f);
    }
    writeSheet(out, "gfx/bear.tga", frames);
    writeSheet(out, "gfx/bearHand.tga", {Frame{56, 200, [](cairo_t* cr, double w, double h) { arm(cr, w, h); }}});
}

} // namespace assetgen
