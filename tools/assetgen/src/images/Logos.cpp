// The maker's logo and the game's logo.
#include <cmath>

#include "core/Paint.h"
#include "core/Sheet.h"
#include "images/Images.h"
#include "images/Pieces.h"

namespace assetgen {

namespace {

void makerLogo(cairo_t* cr, double w, double) {
    const Color bronze = Color::hex(0xD08A3C);
    // A bronze disc with a mountain and a rising sun.
    const double cx = w / 2;
    const double cy = 78;
    glow(cr, cx, cy, 90, Color::hex(0xFFB050, 0.25));
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 62, 0, 2 * M_PI);
    fillBall(cr, bronze, cx, cy, 62);
    strokeOutline(cr, 4, Color::hex(0x5A3010));
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_arc(cr, cx, cy, 56, 0, 2 * M_PI);
    cairo_clip(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx + 14, cy - 6, 20, 0, 2 * M_PI);
    setColor(cr, Color::hex(0xFFE7A0));
    cairo_fill(cr);
    cairo_move_to(cr, cx - 70, cy + 60);
    cairo_line_to(cr, cx - 18, cy - 10);
    cairo_line_to(cr, cx + 4, cy + 14);
    cairo_line_to(cr, cx + 24, cy + 2);
    cairo_line_to(cr, cx + 70, cy + 60);
    cairo_close_path(cr);
    fillVertical(cr, Color::hex(0x6B3A16), cy - 10, cy + 60, 0.2, 0.2);
    cairo_new_path(cr);
    cairo_move_to(cr, cx - 18, cy - 10);
    cairo_line_to(cr, cx - 28, cy + 3);
    cairo_line_to(cr, cx - 18, cy);
    cairo_line_to(cr, cx - 9, cy + 1);
    cairo_close_path(cr);
    setColor(cr, Color::hex(0xFFF2DC));
    cairo_fill(cr);
    cairo_restore(cr);
    drawTitle(cr, "BRONTAL", cx, 176, 40, Color::hex(0xFFD9A0), bronze, 2.5);
    setColor(cr, Color::hex(0xF0C890));
    drawText(cr, "s t u d i o s", cx, 198, 15, false, true);
}

void gameLogo(cairo_t* cr, double w, double h) {
    // Rails across the bottom with a little train carrying produce.
    const double railY = h - 22;
    cairo_new_path(cr);
    for (double x = 40; x < w - 40; x += 14) {
        cairo_rectangle(cr, x, railY - 6, 6, 14);
    }
    setColor(cr, palette::woodDark);
    cairo_fill(cr);
    cairo_rectangle(cr, 30, railY - 3, w - 60, 3);
    cairo_rectangle(cr, 30, railY + 4, w - 60, 3);
    setColor(cr, palette::rail);
    cairo_fill(cr);
    // The title.
    drawTitle(cr, "Vabo", w / 2 - 10, 100, 104, Color::hex(0xFFF06A), Color::hex(0xFF7A1A), 5);
    // Produce bouncing around the title.
    drawCargo(cr, 0, 62, 52, 20);
    drawCargo(cr, 3, 410, 40, 18);
    drawCargo(cr, 2, 436, 92, 15);
    drawCargo(cr, 5, 40, 100, 14);
    // A short train running along the rails, under the title.
    cairo_save(cr);
    cairo_translate(cr, w / 2 - 150, railY - 30);
    drawCar(cr, 1, 0, 8, 60, 44 * 0.9);
    drawCar(cr, 2, 56, 8, 96, 44 * 0.9);
    drawCar(cr, 0, 148, 8, 84, 44 * 0.9);
    cairo_restore(cr);
    drawCargo(cr, 1, w / 2 - 150 + 29, railY - 30 + 8 + 20, 12);
    drawCargo(cr, 6, w / 2 - 150 + 56 + 48 + 14, railY - 30 + 8 + 20, 12);
    drawCargo(cr, 4, w / 2 - 150 + 56 + 48 - 19, railY - 30 + 8 + 20, 12);
}

} // namespace

void writeLogoImages(const Output& out) {
    writeSheet(out, "gfx/system/makerlogo.tga", {Frame{400, 210, makerLogo}}, 512);
    writeSheet(out, "gfx/logo.tga", {Frame{480, 150, gameLogo}}, 512);
}

} // namespace assetgen
