#include "images/SharedDrawings.h"

#include <cmath>

#include "core/Paint.h"

namespace assetgen {

void leafPath(cairo_t* cr, double len) {
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, len * 0.3, -len * 0.45, len * 0.8, -len * 0.4, len, 0);
    cairo_curve_to(cr, len * 0.8, len * 0.4, len * 0.3, len * 0.45, 0, 0);
    cairo_close_path(cr);
}

namespace {

const Color kLeaf = Color::hex(0x4FB83A);
const Color kStem = Color::hex(0x7A4A26);

void leaf(cairo_t* cr, double x, double y, double len, double angle) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_new_path(cr);
    leafPath(cr, len);
    fillVertical(cr, kLeaf, -len * 0.4, len * 0.4, 0.3, 0.2);
    strokeOutline(cr, len * 0.12);
    cairo_new_path(cr);
    cairo_restore(cr);
}

void stem(cairo_t* cr, double x0, double y0, double x1, double y1, double width) {
    cairo_new_path(cr);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, width + 2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke_preserve(cr);
    setColor(cr, kStem);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

// The outline path of each piece, used both for the coloured piece and for
// its silhouette mark.
void cargoPath(cairo_t* cr, int colour, double cx, double cy, double r) {
    cairo_new_path(cr);
    switch (colour) {
    case 0: { // apple: round, with a dip at the top
        cairo_move_to(cr, cx, cy - r * 0.62);
        cairo_curve_to(cr, cx + r * 0.35, cy - r * 0.98, cx + r * 1.0, cy - r * 0.85, cx + r * 0.98, cy - r * 0.05);
        cairo_curve_to(cr, cx + r * 0.96, cy + r * 0.6, cx + r * 0.5, cy + r * 0.98, cx + r * 0.22, cy + r * 0.9);
        cairo_curve_to(cr, cx + r * 0.1, cy + r * 0.86, cx - r * 0.1, cy + r * 0.86, cx - r * 0.22, cy + r * 0.9);
        cairo_curve_to(cr, cx - r * 0.5, cy + r * 0.98, cx - r * 0.96, cy + r * 0.6, cx - r * 0.98, cy - r * 0.05);
        cairo_curve_to(cr, cx - r * 1.0, cy - r * 0.85, cx - r * 0.35, cy - r * 0.98, cx, cy - r * 0.62);
        cairo_close_path(cr);
        break;
    }
    case 1: // orange: a full round fruit
        cairo_arc(cr, cx, cy + r * 0.05, r * 0.93, 0, 2 * M_PI);
        break;
    case 2: { // lemon: an oval with pointed ends
        cairo_move_to(cr, cx - r, cy);
        cairo_curve_to(cr, cx - r * 0.8, cy - r * 0.78, cx + r * 0.8, cy - r * 0.78, cx + r, cy);
        cairo_curve_to(cr, cx + r * 0.8, cy + r * 0.78, cx - r * 0.8, cy + r * 0.78, cx - r, cy);
        cairo_close_path(cr);
        break;
    }
    case 3: { // pear: small top, round bottom
        cairo_move_to(cr, cx, cy - r * 0.85);
        cairo_curve_to(cr, cx + r * 0.35, cy - r * 0.85, cx + r * 0.4, cy - r * 0.35, cx + r * 0.55, cy - r * 0.05);
        cairo_curve_to(cr, cx + r * 1.0, cy + r * 0.35, cx + r * 0.8, cy + r * 0.98, cx, cy + r * 0.98);
        cairo_curve_to(cr, cx - r * 0.8, cy + r * 0.98, cx - r * 1.0, cy + r * 0.35, cx - r * 0.55, cy - r * 0.05);
        cairo_curve_to(cr, cx - r * 0.4, cy - r * 0.35, cx - r * 0.35, cy - r * 0.85, cx, cy - r * 0.85);
        cairo_close_path(cr);
        break;
    }
    case 4: { // star fruit: a plump five-pointed star
        for (int i = 0; i < 5; ++i) {
            const double a0 = -M_PI / 2 + i * 2 * M_PI / 5;
            const double a1 = a0 + M_PI / 5;
            const double a2 = a0 + 2 * M_PI / 5;
            const double ro = r * 0.98;
            const double ri = r * 0.5;
            if (i == 0) {
                cairo_move_to(cr, cx + ro * std::cos(a0), cy + ro * std::sin(a0));
            }
            cairo_curve_to(cr, cx + ro * std::cos(a0 + 0.25), cy + ro * std::sin(a0 + 0.25),
                           cx + ri * std::cos(a1 - 0.3), cy + ri * std::sin(a1 - 0.3), cx + ri * std::cos(a1),
                           cy + ri * std::sin(a1));
            cairo_curve_to(cr, cx + ri * std::cos(a1 + 0.3), cy + ri * std::sin(a1 + 0.3),
                           cx + ro * std::cos(a2 - 0.25), cy + ro * std::sin(a2 - 0.25), cx + ro * std::cos(a2),
                           cy + ro * std::sin(a2));
        }
        cairo_close_path(cr);
        break;
    }
    case 5: // blueberries: three berries
        for (int i = 0; i < 3; ++i) {
            const double a = -M_PI / 2 + i * 2 * M_PI / 3;
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx + r * 0.45 * std::cos(a), cy + r * 0.45 * std::sin(a) + r * 0.05, r * 0.52, 0, 2 * M_PI);
        }
        break;
    case 6: { // aubergine: a long curved drop
        cairo_move_to(cr, cx - r * 0.95, cy - r * 0.35);
        cairo_curve_to(cr, cx - r * 0.75, cy - r * 0.75, cx - r * 0.2, cy - r * 0.5, cx + r * 0.3, cy - r * 0.55);
        cairo_curve_to(cr, cx + r * 1.1, cy - r * 0.65, cx + r * 1.15, cy + r * 0.7, cx + r * 0.35, cy + r * 0.7);
        cairo_curve_to(cr, cx - r * 0.3, cy + r * 0.7, cx - r * 0.5, cy + r * 0.15, cx - r * 0.75, cy + r * 0.05);
        cairo_curve_to(cr, cx - r * 1.0, cy - r * 0.05, cx - r * 1.05, cy - r * 0.2, cx - r * 0.95, cy - r * 0.35);
        cairo_close_path(cr);
        break;
    }
    default: { // garlic: an onion-shaped bulb with a tip
        cairo_move_to(cr, cx, cy - r * 0.98);
        cairo_curve_to(cr, cx + r * 0.1, cy - r * 0.6, cx + r * 1.0, cy - r * 0.4, cx + r * 0.95, cy + r * 0.3);
        cairo_curve_to(cr, cx + r * 0.9, cy + r * 0.85, cx + r * 0.4, cy + r * 0.95, cx, cy + r * 0.95);
        cairo_curve_to(cr, cx - r * 0.4, cy + r * 0.95, cx - r * 0.9, cy + r * 0.85, cx - r * 0.95, cy + r * 0.3);
        cairo_curve_to(cr, cx - r * 1.0, cy - r * 0.4, cx - r * 0.1, cy - r * 0.6, cx, cy - r * 0.98);
        cairo_close_path(cr);
        break;
    }
    }
}

} // namespace

void drawCargo(cairo_t* cr, int colour, double cx, double cy, double r) {
    const Color base = palette::cargo[colour];
    cairo_save(cr);
    // A soft contact shadow under every piece keeps them readable on any scene.
    cargoPath(cr, colour, cx + r * 0.08, cy + r * 0.12, r);
    setColor(cr, palette::outline.withAlpha(0.3));
    cairo_set_line_width(cr, r * 0.2);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);

    cargoPath(cr, colour, cx, cy, r);
    fillBall(cr, base, cx, cy, r);
    strokeOutline(cr, r * 0.13);
    cairo_new_path(cr);

    switch (colour) {
    case 0:
        stem(cr, cx, cy - r * 0.55, cx + r * 0.12, cy - r * 0.95, r * 0.12);
        leaf(cr, cx + r * 0.1, cy - r * 0.78, r * 0.55, -0.5);
        glossSpot(cr, cx - r * 0.4, cy - r * 0.3, r * 0.22, r * 0.3);
        break;
    case 1: {
        // Citrus segments seen through the peel, and a small navel.
        cairo_set_line_width(cr, r * 0.06);
        setColor(cr, base.lighter(0.45).withAlpha(0.8));
        for (int i = 0; i < 8; ++i) {
            const double a = i * M_PI / 4;
            cairo_move_to(cr, cx + r * 0.18 * std::cos(a), cy + r * 0.05 + r * 0.18 * std::sin(a));
            cairo_line_to(cr, cx + r * 0.72 * std::cos(a), cy + r * 0.05 + r * 0.72 * std::sin(a));
        }
        cairo_stroke(cr);
        starPath(cr, cx, cy + r * 0.05, r * 0.2, r * 0.09, 5, 0);
        setColor(cr, kLeaf);
        cairo_fill_preserve(cr);
        strokeOutline(cr, r * 0.05);
        cairo_new_path(cr);
        glossSpot(cr, cx - r * 0.4, cy - r * 0.38, r * 0.24, r * 0.2);
        break;
    }
    case 2:
        // Pores on the peel and a little leaf at the stalk end.
        setColor(cr, base.darker(0.15));
        for (int i = 0; i < 7; ++i) {
            cairo_arc(cr, cx + r * (-0.5 + 0.17 * i), cy + r * (i % 2 ? 0.25 : 0.05), r * 0.04, 0, 2 * M_PI);
            cairo_fill(cr);
        }
        leaf(cr, cx + r * 0.85, cy - r * 0.1, r * 0.5, -1.2);
        glossSpot(cr, cx - r * 0.15, cy - r * 0.3, r * 0.45, r * 0.17);
        break;
    case 3:
        stem(cr, cx, cy - r * 0.8, cx - r * 0.1, cy - r * 1.0, r * 0.12);
        leaf(cr, cx, cy - r * 0.85, r * 0.5, -0.3);
        glossSpot(cr, cx - r * 0.35, cy + r * 0.1, r * 0.2, r * 0.3);
        break;
    case 4:
        cairo_set_line_width(cr, r * 0.07);
        setColor(cr, base.darker(0.25));
        for (int i = 0; i < 5; ++i) {
            const double a = -M_PI / 2 + i * 2 * M_PI / 5;
            cairo_move_to(cr, cx, cy);
            cairo_line_to(cr, cx + r * 0.65 * std::cos(a), cy + r * 0.65 * std::sin(a));
        }
        cairo_stroke(cr);
        glossSpot(cr, cx - r * 0.25, cy - r * 0.35, r * 0.18, r * 0.2);
        break;
    case 5:
        for (int i = 0; i < 3; ++i) {
            const double a = -M_PI / 2 + i * 2 * M_PI / 3;
            const double bx = cx + r * 0.45 * std::cos(a);
            const double by = cy + r * 0.45 * std::sin(a) + r * 0.05;
            starPath(cr, bx, by, r * 0.16, r * 0.07, 5, 0);
            setColor(cr, base.darker(0.5));
            cairo_fill(cr);
            glossSpot(cr, bx - r * 0.2, by - r * 0.22, r * 0.12, r * 0.1, 0.7);
        }
        break;
    case 6: {
        // The green cap at the stalk end.
        cairo_new_path(cr);
        cairo_move_to(cr, cx - r * 1.05, cy - r * 0.42);
        cairo_curve_to(cr, cx - r * 0.8, cy - r * 0.55, cx - r * 0.55, cy - r * 0.55, cx - r * 0.45, cy - r * 0.3);
        cairo_curve_to(cr, cx - r * 0.6, cy - r * 0.05, cx - r * 0.75, cy + r * 0.05, cx - r * 0.85, cy - r * 0.05);
        cairo_curve_to(cr, cx - r * 0.95, cy - r * 0.15, cx - r * 1.05, cy - r * 0.3, cx - r * 1.05, cy - r * 0.42);
        cairo_close_path(cr);
        fillVertical(cr, kLeaf, cy - r * 0.55, cy, 0.3, 0.2);
        strokeOutline(cr, r * 0.09);
        cairo_new_path(cr);
        glossSpot(cr, cx + r * 0.3, cy - r * 0.3, r * 0.35, r * 0.12);
        break;
    }
    default:
        cairo_set_line_width(cr, r * 0.06);
        setColor(cr, Color::hex(0xC9B9A6));
        for (int i = -1; i <= 1; ++i) {
            cairo_move_to(cr, cx + i * r * 0.05, cy - r * 0.7);
            cairo_curve_to(cr, cx + i * r * 0.6, cy - r * 0.3, cx + i * r * 0.6, cy + r * 0.6, cx + i * r * 0.2,
                           cy + r * 0.93);
        }
        cairo_stroke(cr);
        glossSpot(cr, cx - r * 0.4, cy - r * 0.05, r * 0.18, r * 0.3);
        break;
    }
    cairo_restore(cr);
}

void drawCargoMark(cairo_t* cr, int colour, double cx, double cy, double r) {
    cairo_save(cr);
    // The white rim first, the dark shape over it: overlapping parts of a
    // shape (the berries) then show no inner lines.
    cargoPath(cr, colour, cx, cy, r);
    setColor(cr, Color{1, 1, 1, 0.9});
    cairo_set_line_width(cr, r * 0.32);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    setColor(cr, palette::outline.withAlpha(0.85));
    cairo_fill(cr);
    cairo_restore(cr);
}

void drawDock(cairo_t* cr, double cx, double cy, double r) {
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx + 1, cy + 1.5, r, 0, 2 * M_PI);
    setColor(cr, palette::outline.withAlpha(0.35));
    cairo_fill(cr);
    // A white ring with a bevel, then a recessed dish: tinted in the game.
    cairo_arc(cr, cx, cy, r - 1, 0, 2 * M_PI);
    cairo_pattern_t* ring = cairo_pattern_create_linear(cx - r, cy - r, cx + r, cy + r);
    cairo_pattern_add_color_stop_rgba(ring, 0, 1, 1, 1, 1);
    cairo_pattern_add_color_stop_rgba(ring, 1, 0.62, 0.62, 0.62, 1);
    cairo_set_source(cr, ring);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(ring);
    strokeOutline(cr, 2.0);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r * 0.72, 0, 2 * M_PI);
    cairo_pattern_t* dish = cairo_pattern_create_radial(cx + r * 0.2, cy + r * 0.25, r * 0.1, cx, cy, r * 0.72);
    cairo_pattern_add_color_stop_rgba(dish, 0, 0.95, 0.95, 0.95, 1);
    cairo_pattern_add_color_stop_rgba(dish, 1, 0.55, 0.55, 0.55, 1);
    cairo_set_source(cr, dish);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(dish);
    setColor(cr, palette::outline.withAlpha(0.6));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawCar(cairo_t* cr, int kind, double x, double y, double w, double h) {
    cairo_save(cr);
    const double inset = 8;
    const double bx = x + inset;
    const double bw = w - 2 * inset;
    // Buffers at both ends reach into the part of the sprite that the layout
    // does not count, so neighbouring cars meet buffer to buffer.
    for (int side = 0; side < 2; ++side) {
        const double px = side == 0 ? x + 2 : x + w - inset - 1;
        for (int k = 0; k < 2; ++k) {
            const double py = y + h * (k == 0 ? 0.3 : 0.7) - 3;
            roundedRect(cr, px, py, inset - 1, 6, 2);
            fillVertical(cr, palette::steel, py, py + 6);
            strokeOutline(cr, 1.2);
            cairo_new_path(cr);
        }
    }
    // Wheels peeking out on both sides.
    const int axles = kind == 0 ? 3 : kind + 1;
    for (int i = 0; i < axles; ++i) {
        const double ax = bx + bw * (i + 0.5) / axles;
        for (int k = 0; k < 2; ++k) {
            const double wy = k == 0 ? y + 2 : y + h - 8;
            roundedRect(cr, ax - 6, wy, 12, 6, 2);
            setColor(cr, Color::hex(0x3A3F47));
            cairo_fill_preserve(cr);
            strokeOutline(cr, 1.0);
            cairo_new_path(cr);
        }
    }
    const double by = y + 5;
    const double bh = h - 10;
    if (kind == 0) {
        const Color body = Color::hex(0xD93A32);
        // Cab at the back, boiler in front, cow-catcher at the nose.
        cairo_new_path(cr);
        cairo_move_to(cr, bx + bw - 2, by + 4);
        cairo_line_to(cr, bx + bw + 6, by + bh / 2);
        cairo_line_to(cr, bx + bw - 2, by + bh - 4);
        cairo_close_path(cr);
        setColor(cr, palette::gold);
        cairo_fill_preserve(cr);
        strokeOutline(cr, 1.5);
        cairo_new_path(cr);
        roundedRect(cr, bx + bw * 0.3, by + 4, bw * 0.7, bh - 8, (bh - 8) / 2);
        cairo_pattern_t* boiler = cairo_pattern_create_linear(0, by + 4, 0, by + bh - 4);
        cairo_pattern_add_color_stop_rgb(boiler, 0, 0.25, 0.55, 0.3);
        cairo_pattern_add_color_stop_rgb(boiler, 0.35, 0.45, 0.78, 0.45);
        cairo_pattern_add_color_stop_rgb(boiler, 1, 0.12, 0.32, 0.16);
        cairo_set_source(cr, boiler);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(boiler);
        strokeOutline(cr, 2);
        cairo_new_path(cr);
        for (int i = 1; i <= 3; ++i) {
            const double gx = bx + bw * 0.3 + bw * 0.7 * i / 4.2;
            cairo_rectangle(cr, gx - 1.5, by + 5, 3, bh - 10);
            setColor(cr, palette::gold);
            cairo_fill(cr);
        }
        roundedRect(cr, bx, by, bw * 0.36, bh, 5);
        fillVertical(cr, body, by, by + bh);
        strokeOutline(cr, 2);
        cairo_new_path(cr);
        roundedRect(cr, bx + 3, by + 3, bw * 0.36 - 6, bh - 6, 3);
        setColor(cr, Color::hex(0x2B2B33));
        cairo_fill(cr);
        roundedRect(cr, bx + 5, by + 5, bw * 0.36 - 10, bh - 10, 2);
        fillVertical(cr, body.lighter(0.1), by + 5, by + bh - 5, 0.3, 0.1);
        cairo_new_path(cr);
        // Chimney (where the smoke comes out) and steam dome.
        const double chimneyX = x + w / 2 + 4;
        cairo_arc(cr, chimneyX + 10, y + h / 2, 5, 0, 2 * M_PI);
        setColor(cr, palette::gold);
        cairo_fill_preserve(cr);
        strokeOutline(cr, 1.5);
        cairo_new_path(cr);
        cairo_arc(cr, chimneyX, y + h / 2, 7, 0, 2 * M_PI);
        setColor(cr, Color::hex(0x2B2B33));
        cairo_fill_preserve(cr);
        strokeOutline(cr, 2);
        cairo_new_path(cr);
        cairo_arc(cr, chimneyX, y + h / 2, 4, 0, 2 * M_PI);
        setColor(cr, Color::hex(0x111111));
        cairo_fill(cr);
        cairo_arc(cr, bx + bw - 4, y + h / 2, 3, 0, 2 * M_PI);
        setColor(cr, Color::hex(0xFFF4A0));
        cairo_fill_preserve(cr);
        strokeOutline(cr, 1);
        cairo_new_path(cr);
    } else {
        // A wooden flat wagon with a painted frame.
        roundedRect(cr, bx, by, bw, bh, 5);
        fillVertical(cr, Color::hex(0x2F6FB5), by, by + bh);
        strokeOutline(cr, 2);
        cairo_new_path(cr);
        roundedRect(cr, bx + 3, by + 3, bw - 6, bh - 6, 3);
        fillVertical(cr, palette::wood, by + 3, by + bh - 3, 0.2, 0.15);
        cairo_new_path(cr);
        setColor(cr, palette::woodDark.withAlpha(0.7));
        cairo_set_line_width(cr, 1);
        for (double py = by + 3 + 5; py < by + bh - 4; py += 5) {
            cairo_move_to(cr, bx + 3, py);
            cairo_line_to(cr, bx + bw - 3, py);
        }
        cairo_stroke(cr);
        for (int c = 0; c < 4; ++c) {
            const double cxp = c % 2 == 0 ? bx + 4 : bx + bw - 4;
            const double cyp = c / 2 == 0 ? by + 4 : by + bh - 4;
            cairo_arc(cr, cxp, cyp, 1.6, 0, 2 * M_PI);
            setColor(cr, palette::gold);
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
}

void drawWildcard(cairo_t* cr, double cx, double cy, double r) {
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    strokeOutline(cr, r * 0.14);
    cairo_clip(cr);
    for (int i = 0; i < 8; ++i) {
        const int colour = i == 7 ? 6 : i;
        cairo_new_path(cr);
        cairo_move_to(cr, cx, cy);
        cairo_arc(cr, cx, cy, r * 1.1, i * M_PI / 4, (i + 1) * M_PI / 4);
        cairo_close_path(cr);
        setColor(cr, palette::cargo[colour == 7 ? 6 : colour]);
        cairo_fill(cr);
    }
    cairo_reset_clip(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_pattern_t* shade = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.3, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(shade, 0, 1, 1, 1, 0.35);
    cairo_pattern_add_color_stop_rgba(shade, 0.6, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0.35);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    strokeOutline(cr, r * 0.12);
    cairo_new_path(cr);
    starPath(cr, cx, cy, r * 0.62, r * 0.28, 5, 0);
    setColor(cr, Color{1, 1, 1, 1});
    cairo_fill_preserve(cr);
    strokeOutline(cr, r * 0.09);
    cairo_new_path(cr);
    glossSpot(cr, cx - r * 0.35, cy - r * 0.45, r * 0.3, r * 0.16);
    cairo_restore(cr);
}

void drawFireball(cairo_t* cr, double cx, double cy, double r) {
    cairo_save(cr);
    glow(cr, cx, cy, r * 1.2, Color::hex(0xFF7A00, 0.6));
    // Flame tongues all around (the piece spins, so no side is special).
    cairo_new_path(cr);
    const int tongues = 9;
    for (int i = 0; i < tongues; ++i) {
        const double a = i * 2 * M_PI / tongues;
        const double len = (i % 2 == 0) ? r * 1.0 : r * 0.85;
        const double x0 = cx + r * 0.55 * std::cos(a - 0.35);
        const double y0 = cy + r * 0.55 * std::sin(a - 0.35);
        const double x1 = cx + len * std::cos(a + 0.25);
        const double y1 = cy + len * std::sin(a + 0.25);
        const double x2 = cx + r * 0.55 * std::cos(a + 0.35);
        const double y2 = cy + r * 0.55 * std::sin(a + 0.35);
        if (i == 0) {
            cairo_move_to(cr, x0, y0);
        } else {
            cairo_line_to(cr, x0, y0);
        }
        cairo_curve_to(cr, x0 + (x1 - x0) * 0.6, y0 + (y1 - y0) * 0.3, x1, y1, x1, y1);
        cairo_curve_to(cr, x1, y1, x2 + (x1 - x2) * 0.2, y2 + (y1 - y2) * 0.5, x2, y2);
    }
    cairo_close_path(cr);
    cairo_pattern_t* flame = cairo_pattern_create_radial(cx, cy, r * 0.2, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(flame, 0, 1.0, 0.95, 0.5);
    cairo_pattern_add_color_stop_rgb(flame, 0.55, 1.0, 0.6, 0.05);
    cairo_pattern_add_color_stop_rgb(flame, 1, 0.85, 0.15, 0.05);
    cairo_set_source(cr, flame);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(flame);
    strokeOutline(cr, r * 0.08, Color::hex(0x8A1E05));
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r * 0.45, 0, 2 * M_PI);
    fillBall(cr, Color::hex(0xFFE27A), cx, cy, r * 0.45);
    cairo_new_path(cr);
    cairo_restore(cr);
}

void drawHeart(cairo_t* cr, double cx, double cy, double size) {
    cairo_save(cr);
    heartPath(cr, cx, cy, size);
    fillBall(cr, Color::hex(0xF03A5A), cx, cy, size);
    strokeOutline(cr, size * 0.12);
    cairo_new_path(cr);
    glossSpot(cr, cx - size * 0.45, cy - size * 0.38, size * 0.25, size * 0.16, 0.75);
    cairo_restore(cr);
}

void drawBonus(cairo_t* cr, int bonus, double cx, double cy, double r) {
    static const uint32_t badge[8] = {0xE0322E, 0x3D7FE0, 0xFFFFFF, 0xE8E8E8, 0xFF8A14, 0xFFFFFF, 0xFF7FB0, 0x4DB848};
    cairo_save(cr);
    cairo_new_path(cr);
    if (bonus == 3) {
        // The colour bomb: a light bomb that the game tints with its colour.
        cairo_arc(cr, cx, cy + r * 0.12, r * 0.78, 0, 2 * M_PI);
        fillBall(cr, Color::hex(0xF2F2F2), cx, cy + r * 0.12, r * 0.78);
        strokeOutline(cr, r * 0.12);
        cairo_new_path(cr);
        roundedRect(cr, cx - r * 0.22, cy - r * 0.8, r * 0.44, r * 0.3, r * 0.06);
        setColor(cr, Color::hex(0x9A9A9A));
        cairo_fill_preserve(cr);
        strokeOutline(cr, r * 0.08);
        cairo_new_path(cr);
        cairo_move_to(cr, cx, cy - r * 0.8);
        cairo_curve_to(cr, cx + r * 0.1, cy - r * 1.0, cx + r * 0.4, cy - r * 1.0, cx + r * 0.55, cy - r * 0.85);
        setColor(cr, palette::outline);
        cairo_set_line_width(cr, r * 0.1);
        cairo_stroke(cr);
        starPath(cr, cx + r * 0.6, cy - r * 0.82, r * 0.28, r * 0.1, 6, 0.2);
        setColor(cr, palette::gold);
        cairo_fill(cr);
        glossSpot(cr, cx - r * 0.3, cy - r * 0.2, r * 0.22, r * 0.16, 0.8);
        cairo_restore(cr);
        return;
    }
    if (bonus == 0) {
        // Stop: an octagon sign.
        for (int i = 0; i < 8; ++i) {
            const double a = M_PI / 8 + i * M_PI / 4;
            if (i == 0) {
                cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
            } else {
                cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
            }
        }
        cairo_close_path(cr);
    } else {
        cairo_arc(cr, cx, cy, r * 0.95, 0, 2 * M_PI);
    }
    fillBall(cr, Color::hex(badge[bonus]), cx, cy, r);
    strokeOutline(cr, r * 0.12);
    cairo_new_path(cr);
    const Color white{1, 1, 1, 1};
    switch (bonus) {
    case 0:
        roundedRect(cr, cx - r * 0.6, cy - r * 0.17, r * 1.2, r * 0.34, r * 0.08);
        setColor(cr, white);
        cairo_fill_preserve(cr);
        strokeOutline(cr, r * 0.06);
        break;
    case 1:
        // Rewind: two arrows pointing back.
        for (int k = 0; k < 2; ++k) {
            const double ox = cx + (k == 0 ? -r * 0.05 : r * 0.5);
            cairo_move_to(cr, ox - r * 0.55, cy);
            cairo_line_to(cr, ox, cy - r * 0.42);
            cairo_line_to(cr, ox, cy + r * 0.42);
            cairo_close_path(cr);
        }
        setColor(cr, white);
        cairo_fill_preserve(cr);
        strokeOutline(cr, r * 0.07);
        break;
    case 2:
        drawWildcard(cr, cx, cy, r * 0.75);
        break;
    case 4:
        drawFireball(cr, cx, cy, r * 0.62);
        break;
    case 5:
        for (int ring = 0; ring < 4; ++ring) {
            cairo_new_path(cr);
            cairo_arc(cr, cx, cy, r * (0.8 - ring * 0.2), 0, 2 * M_PI);
            setColor(cr, ring % 2 == 0 ? Color::hex(0xE0322E) : white);
            cairo_fill(cr);
        }
        cairo_new_path(cr);
        cairo_move_to(cr, cx + r * 0.9, cy - r * 0.9);
        cairo_line_to(cr, cx + r * 0.05, cy - r * 0.05);
        setColor(cr, palette::outline);
        cairo_set_line_width(cr, r * 0.12);
        cairo_stroke(cr);
        cairo_move_to(cr, cx + r * 0.95, cy - r * 0.95);
        cairo_line_to(cr, cx + r * 0.6, cy - r * 0.9);
        cairo_line_to(cr, cx + r * 0.9, cy - r * 0.6);
        cairo_close_path(cr);
        setColor(cr, palette::gold);
        cairo_fill_preserve(cr);
        strokeOutline(cr, r * 0.05);
        break;
    case 6:
        drawHeart(cr, cx, cy + r * 0.05, r * 0.55);
        break;
    default: {
        // Slow: a snail.
        cairo_new_path(cr);
        cairo_move_to(cr, cx - r * 0.7, cy + r * 0.4);
        cairo_line_to(cr, cx + r * 0.55, cy + r * 0.4);
        cairo_curve_to(cr, cx + r * 0.75, cy + r * 0.4, cx + r * 0.75, cy - r * 0.05, cx + r * 0.55, cy - r * 0.05);
        cairo_line_to(cr, cx + r * 0.45, cy + r * 0.2);
        cairo_close_path(cr);
        setColor(cr, Color::hex(0xFFE0A0));
        cairo_fill_preserve(cr);
        strokeOutline(cr, r * 0.06);
        cairo_new_path(cr);
        cairo_move_to(cr, cx + r * 0.55, cy - r * 0.05);
        cairo_line_to(cr, cx + r * 0.6, cy - r * 0.35);
        cairo_move_to(cr, cx + r * 0.6, cy - r * 0.05);
        cairo_line_to(cr, cx + r * 0.75, cy - r * 0.3);
        setColor(cr, palette::outline);
        cairo_set_line_width(cr, r * 0.06);
        cairo_stroke(cr);
        cairo_arc(cr, cx - r * 0.1, cy + r * 0.02, r * 0.42, 0, 2 * M_PI);
        fillBall(cr, Color::hex(0xC9803E), cx - r * 0.1, cy, r * 0.42);
        strokeOutline(cr, r * 0.07);
        cairo_new_path(cr);
        for (double t = 0; t < 3 * M_PI; t += 0.1) {
            const double rr = r * 0.3 * (1 - t / (3.2 * M_PI));
            const double px = cx - r * 0.1 + rr * std::cos(t);
            const double py = cy + r * 0.02 + rr * std::sin(t);
            if (t == 0) {
                cairo_move_to(cr, px, py);
            } else {
                cairo_line_to(cr, px, py);
            }
        }
        setColor(cr, palette::outline);
        cairo_set_line_width(cr, r * 0.05);
        cairo_stroke(cr);
        break;
    }
    }
    cairo_new_path(cr);
    if (bonus != 2 && bonus != 4) {
        glossSpot(cr, cx - r * 0.2, cy - r * 0.55, r * 0.5, r * 0.25, 0.45);
    }
    cairo_restore(cr);
}

void drawLauncherBase(cairo_t* cr, double cx, double cy, double r) {
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    fillVertical(cr, palette::wood, cy - r, cy + r, 0.25, 0.3);
    strokeOutline(cr, 2.5);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r * 0.78, 0, 2 * M_PI);
    fillBall(cr, palette::steel, cx, cy, r * 0.78);
    strokeOutline(cr, 1.5);
    cairo_new_path(cr);
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        cairo_arc(cr, cx + r * 0.89 * std::cos(a), cy + r * 0.89 * std::sin(a), r * 0.06, 0, 2 * M_PI);
        setColor(cr, palette::gold);
        cairo_fill(cr);
    }
    // An arrow notch shows which way the turntable faces.
    cairo_move_to(cr, cx + r * 0.7, cy);
    cairo_line_to(cr, cx + r * 0.35, cy - r * 0.2);
    cairo_line_to(cr, cx + r * 0.35, cy + r * 0.2);
    cairo_close_path(cr);
    setColor(cr, palette::berry);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 1.2);
    cairo_new_path(cr);
    cairo_restore(cr);
}

void drawBow(cairo_t* cr, double cx, double cy, double s) {
    // The bow's arc bulges forward (+x); its tips are where the string ends.
    cairo_save(cr);
    const double tipX = cx + s * 0.22;
    const double tipY = s * 0.42;
    cairo_new_path(cr);
    cairo_move_to(cr, tipX, cy - tipY);
    cairo_curve_to(cr, cx + s * 0.5, cy - tipY * 0.7, cx + s * 0.5, cy + tipY * 0.7, tipX, cy + tipY);
    setColor(cr, palette::outline);
    cairo_set_line_width(cr, s * 0.13);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* wood = cairo_pattern_create_linear(cx, 0, cx + s * 0.45, 0);
    cairo_pattern_add_color_stop_rgb(wood, 0, 0.86, 0.58, 0.3);
    cairo_pattern_add_color_stop_rgb(wood, 1, 0.55, 0.32, 0.15);
    cairo_set_source(cr, wood);
    cairo_set_line_width(cr, s * 0.08);
    cairo_stroke(cr);
    cairo_pattern_destroy(wood);
    // Grip in the middle of the arc, gold tips.
    roundedRect(cr, cx + s * 0.34, cy - s * 0.1, s * 0.1, s * 0.2, s * 0.03);
    setColor(cr, palette::berry);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 1.2);
    cairo_new_path(cr);
    for (int k = -1; k <= 1; k += 2) {
        cairo_arc(cr, tipX, cy + k * tipY, s * 0.05, 0, 2 * M_PI);
        setColor(cr, palette::gold);
        cairo_fill_preserve(cr);
        strokeOutline(cr, 1.0);
        cairo_new_path(cr);
    }
    cairo_restore(cr);
}

void drawBowString(cairo_t* cr, double cx, double cy, double s, double tension) {
    cairo_save(cr);
    const double tipX = cx + s * 0.22;
    const double tipY = s * 0.42;
    const double pullX = tipX - tension * s * 0.5;
    cairo_new_path(cr);
    cairo_move_to(cr, tipX, cy - tipY);
    cairo_line_to(cr, pullX, cy);
    cairo_line_to(cr, tipX, cy + tipY);
    setColor(cr, palette::outline.withAlpha(0.8));
    cairo_set_line_width(cr, 2.6);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    setColor(cr, palette::cream);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    if (tension > 0.05) {
        cairo_arc(cr, pullX, cy, 2.2, 0, 2 * M_PI);
        setColor(cr, palette::berry);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void drawClaw(cairo_t* cr, double cx, double cy, double s) {
    cairo_save(cr);
    // Two curved prongs reaching forward (+x) from a round hub.
    for (int k = -1; k <= 1; k += 2) {
        cairo_new_path(cr);
        cairo_move_to(cr, cx - s * 0.05, cy + k * s * 0.12);
        cairo_curve_to(cr, cx + s * 0.2, cy + k * s * 0.5, cx + s * 0.45, cy + k * s * 0.4, cx + s * 0.42,
                       cy + k * s * 0.12);
        setColor(cr, palette::outline);
        cairo_set_line_width(cr, s * 0.17);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke_preserve(cr);
        setColor(cr, palette::steel.lighter(0.2));
        cairo_set_line_width(cr, s * 0.09);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
    cairo_arc(cr, cx - s * 0.08, cy, s * 0.2, 0, 2 * M_PI);
    fillBall(cr, palette::gold, cx - s * 0.08, cy, s * 0.2);
    strokeOutline(cr, s * 0.06);
    cairo_new_path(cr);
    cairo_restore(cr);
}

// A little engine seen from the side, facing right, standing on y (its
// wheels' bottom); s = 1 is 44 x 30 pixels. The world map's marker is this
// engine at s = 1.
void drawSideEngine(cairo_t* cr, double x, double y, double s) {
    cairo_save(cr);
    cairo_translate(cr, x, y - 30 * s);
    cairo_scale(cr, s, s);
    roundedRect(cr, 4, 6, 13, 18, 2);
    fillVertical(cr, palette::berry, 6, 24);
    strokeOutline(cr, 1.6);
    cairo_new_path(cr);
    roundedRect(cr, 6, 9, 9, 6, 1);
    setColor(cr, Color::hex(0xFFF2B0));
    cairo_fill(cr);
    roundedRect(cr, 2, 3, 17, 4, 1.5);
    setColor(cr, Color::hex(0x2B2B33));
    cairo_fill_preserve(cr);
    strokeOutline(cr, 1.2);
    cairo_new_path(cr);
    roundedRect(cr, 15, 13, 24, 11, 5);
    fillVertical(cr, Color::hex(0x3F9A4A), 13, 24);
    strokeOutline(cr, 1.6);
    cairo_new_path(cr);
    for (double gx : {22.0, 30.0}) {
        cairo_rectangle(cr, gx, 13.5, 1.6, 10);
        setColor(cr, palette::gold);
        cairo_fill(cr);
    }
    // The chimney: its top is 9 right of the bottom centre and 15 above it.
    cairo_move_to(cr, 27, 15);
    cairo_line_to(cr, 26.5, 11);
    cairo_line_to(cr, 34.5, 11);
    cairo_line_to(cr, 34, 15);
    cairo_close_path(cr);
    setColor(cr, Color::hex(0x2B2B33));
    cairo_fill_preserve(cr);
    strokeOutline(cr, 1.2);
    cairo_new_path(cr);
    cairo_move_to(cr, 39, 18);
    cairo_line_to(cr, 43, 25);
    cairo_line_to(cr, 37, 25);
    cairo_close_path(cr);
    setColor(cr, palette::gold);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 1.0);
    cairo_new_path(cr);
    for (double wx : {10.0, 22.0, 32.0}) {
        cairo_arc(cr, wx, 25, wx < 12 ? 4.2 : 3.4, 0, 2 * M_PI);
        setColor(cr, Color::hex(0x333840));
        cairo_fill_preserve(cr);
        strokeOutline(cr, 1.2);
        cairo_new_path(cr);
        cairo_arc(cr, wx, 25, 1.2, 0, 2 * M_PI);
        setColor(cr, palette::gold);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

// A wagon seen from the side, heaped with produce.
void drawSideWagon(cairo_t* cr, double x, double y, double s, int firstColour) {
    cairo_save(cr);
    cairo_translate(cr, x, y - 30 * s);
    cairo_scale(cr, s, s);
    for (int i = 0; i < 5; ++i) {
        drawCargo(cr, (firstColour + i) % 8, 8 + i * 7, 10 - (i % 2) * 3, 5.5);
    }
    roundedRect(cr, 2, 12, 40, 12, 2);
    fillVertical(cr, palette::wood, 12, 24, 0.25, 0.2);
    strokeOutline(cr, 1.6);
    cairo_new_path(cr);
    setColor(cr, palette::woodDark);
    cairo_set_line_width(cr, 1);
    for (double px = 10; px < 40; px += 8) {
        cairo_move_to(cr, px, 13);
        cairo_line_to(cr, px, 23);
    }
    cairo_stroke(cr);
    cairo_rectangle(cr, -2, 20, 5, 2);
    setColor(cr, Color::hex(0x4A4F57));
    cairo_fill(cr);
    for (double wx : {11.0, 33.0}) {
        cairo_arc(cr, wx, 25, 3.6, 0, 2 * M_PI);
        setColor(cr, Color::hex(0x333840));
        cairo_fill_preserve(cr);
        strokeOutline(cr, 1.2);
        cairo_new_path(cr);
    }
    cairo_restore(cr);
}

} // namespace assetgen
