// The maker's logo and the game's logo.
#include <cmath>

#include "core/Paint.h"
#include "core/Sheet.h"
#include "images/Images.h"
#include "images/SharedDrawings.h"

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

void gameLogo(cairo_t* cr, double w, double h, bool holiday) {
    // The title over a rail line with a produce train on it.
    const double railY = h - 12;
    for (double x = 24; x < w - 24; x += 12) {
        roundedRect(cr, x, railY - 1, 8, 6, 1.5);
        setColor(cr, palette::woodDark);
        cairo_fill(cr);
    }
    cairo_rectangle(cr, 16, railY - 3, w - 32, 3.5);
    fillVertical(cr, palette::steel, railY - 3, railY + 0.5, 0.4, 0.3);
    strokeOutline(cr, 1.0);
    cairo_new_path(cr);
    const double trainX = w / 2 - 60;
    for (int i = 0; i < 4; ++i) {
        glow(cr, trainX + 96 + 31 - i * 16, railY - 3 - 20 - i * 5, 7 + i * 3, Color{1, 1, 1, 0.8 - i * 0.15});
    }
    drawSideWagon(cr, trainX, railY - 3, 1.0, 0);
    drawSideWagon(cr, trainX + 48, railY - 3, 1.0, 4);
    drawSideEngine(cr, trainX + 96, railY - 3, 1.0);
    drawTitle(cr, "Vabo", w / 2 - 10, 94, 96, Color::hex(0xFFF06A), Color::hex(0xFF7A1A), 5);
    drawCargo(cr, 0, 62, 50, 20);
    drawCargo(cr, 3, 410, 40, 18);
    drawCargo(cr, 5, 440, 88, 15);
    if (holiday) {
        // Snow on every upward edge of the letters: the letters less the
        // letters moved down a little.
        const std::unique_lock<std::mutex> lock = lockText();
        cairo_save(cr);
        cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
        cairo_set_font_size(cr, 96);
        cairo_text_extents_t ext;
        cairo_text_extents(cr, "Vabo", &ext);
        const double tx = w / 2 - 10 - ext.width / 2 - ext.x_bearing;
        cairo_push_group(cr);
        cairo_new_path(cr);
        cairo_move_to(cr, tx, 94);
        cairo_text_path(cr, "Vabo");
        setColor(cr, Color{1, 1, 1, 1});
        cairo_fill(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
        cairo_move_to(cr, tx, 94 + 9);
        cairo_text_path(cr, "Vabo");
        cairo_fill(cr);
        cairo_pop_group_to_source(cr);
        cairo_paint(cr);
        cairo_restore(cr);
        Rng flakes(12);
        for (int i = 0; i < 26; ++i) {
            const double x = flakes.range(8, w - 8);
            const double y = flakes.range(6, h - 30);
            starPath(cr, x, y, flakes.range(2.5, 5), 1.2, 6, 0);
            setColor(cr, Color{1, 1, 1, 0.9});
            cairo_fill_preserve(cr);
            strokeOutline(cr, 0.8, Color::hex(0x4A7AB0));
            cairo_new_path(cr);
        }
    }
}

} // namespace

void writeLogoImages(const Output& out) {
    writeSheet(out, "gfx/system/makerlogo.tga", {Frame{400, 210, makerLogo}}, 512);
    writeSheet(out, "gfx/logo.tga",
               {Frame{480, 150, [](cairo_t* cr, double w, double h) { gameLogo(cr, w, h, false); }}}, 512);
    // The holiday edition's logo: the same with snow.
    writeSheet(out, "gfx/logo-holiday.tga",
               {Frame{480, 150, [](cairo_t* cr, double w, double h) { gameLogo(cr, w, h, true); }}}, 512);
}

} // namespace assetgen
