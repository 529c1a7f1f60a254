// The pictures of the help pages: how to play, the chain reaction and the
// claw fetching a bonus.
#include <cmath>

#include "core/Paint.h"
#include "core/Sheet.h"
#include "images/Images.h"
#include "images/SharedDrawings.h"

namespace assetgen {

namespace {

constexpr int kW = 256;
constexpr int kH = 128;

void card(cairo_t* cr, double w, double h) {
    roundedRect(cr, 2, 2, w - 4, h - 4, 12);
    fillVertical(cr, Color::hex(0xA9D77A), 2, h - 2, 0.25, 0.15);
    strokeOutline(cr, 2.5);
    cairo_new_path(cr);
}

// A car with its docks, centred at (cx, cy), docks filled with the given
// pieces (-1 for an empty dock of the colour).
void carWithDocks(cairo_t* cr, int kind, double cx, double cy, int colour, const int* filled) {
    static const double offsets[4][3] = {{0, 0, 0}, {-1, 0, 0}, {14, -19, 0}, {31, 0, -31}};
    static const int widths[4] = {84, 60, 96, 120};
    drawCar(cr, kind, cx - widths[kind] / 2.0, cy - 22, widths[kind], 44);
    for (int d = 0; d < kind; ++d) {
        const double dx = cx + offsets[kind][d];
        if (filled != nullptr && filled[d] >= 0) {
            drawCargo(cr, filled[d], dx, cy, 14);
        } else {
            cairo_save(cr);
            drawDock(cr, dx, cy, 14);
            cairo_new_path(cr);
            cairo_arc(cr, dx, cy, 13, 0, 2 * M_PI);
            cairo_set_operator(cr, CAIRO_OPERATOR_MULTIPLY);
            setColor(cr, palette::cargo[colour]);
            cairo_fill(cr);
            cairo_restore(cr);
        }
    }
}

void howToPlay(cairo_t* cr, double w, double h) {
    card(cr, w, h);
    // Rails and a train heading right.
    cairo_rectangle(cr, 6, 36, w - 12, 2);
    cairo_rectangle(cr, 6, 62, w - 12, 2);
    setColor(cr, palette::rail);
    cairo_fill(cr);
    const int full[3] = {2, 2, -1};
    carWithDocks(cr, 3, 84, 50, 2, full);
    carWithDocks(cr, 0, 190, 50, 0, nullptr);
    // The launcher below, aiming up at the empty dock.
    drawLauncherBase(cr, 118, 104, 18);
    cairo_save(cr);
    cairo_translate(cr, 118, 104);
    cairo_rotate(cr, -1.9);
    drawBow(cr, 0, 0, 40);
    drawBowString(cr, 0, 0, 40, 0.6);
    cairo_restore(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, 112, 90);
    cairo_line_to(cr, 58, 54);
    setColor(cr, Color{1, 1, 1, 0.9});
    cairo_set_line_width(cr, 2.5);
    cairo_set_dash(cr, (const double[]){4, 5}, 2, 0);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    drawCargo(cr, 2, 78, 68, 11);
    drawCargo(cr, 2, 118, 104, 12);
}

void chainReaction(cairo_t* cr, double w, double h) {
    card(cr, w, h);
    const int red[2] = {0, 0};
    const int red1[1] = {0};
    carWithDocks(cr, 2, 74, 64, 0, red);
    carWithDocks(cr, 1, 150, 64, 0, red1);
    glow(cr, 118, 64, 40, Color::hex(0xFFF3A0, 0.9));
    starPath(cr, 118, 64, 26, 11, 5, 0.2);
    fillBall(cr, palette::gold, 118, 64, 26);
    strokeOutline(cr, 2.5);
    cairo_new_path(cr);
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4 + 0.3;
        starPath(cr, 118 + 44 * std::cos(a), 64 + 36 * std::sin(a), 5, 2, 4, a);
        setColor(cr, Color{1, 1, 1, 0.95});
        cairo_fill(cr);
    }
    carWithDocks(cr, 0, 212, 64, 0, nullptr);
}

void bonusSlow(cairo_t* cr, double w, double h) {
    card(cr, w, h);
    carWithDocks(cr, 2, 160, 42, 3, nullptr);
    drawBonus(cr, 7, 174, 42, 14);
    // The claw on its chain reaching from the launcher to the bonus.
    drawLauncherBase(cr, 60, 100, 18);
    cairo_new_path(cr);
    cairo_move_to(cr, 70, 94);
    cairo_line_to(cr, 160, 50);
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, 5);
    cairo_stroke_preserve(cr);
    setColor(cr, palette::steel);
    cairo_set_line_width(cr, 3);
    cairo_set_dash(cr, (const double[]){5, 2}, 2, 0);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    cairo_save(cr);
    cairo_translate(cr, 160, 50);
    cairo_rotate(cr, std::atan2(50.0 - 94.0, 160.0 - 70.0));
    drawClaw(cr, 0, 0, 30);
    cairo_restore(cr);
}

} // namespace

void writeHelpImages(const Output& out) {
    writeSheet(out, "gfx/howtoplay.tga",
               {Frame{kW, kH, howToPlay}, Frame{kW, kH, chainReaction}, Frame{kW, kH, bonusSlow}});
}

} // namespace assetgen
