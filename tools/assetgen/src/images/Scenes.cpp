// The intro backdrop behind the menus, the world map and its markers.
#include <cmath>
#include <vector>

#include "core/Paint.h"
#include "core/Sheet.h"
#include "images/Images.h"
#include "images/SharedDrawings.h"

namespace assetgen {

namespace {

void cloud(cairo_t* cr, double x, double y, double s, double alpha) {
    static const double puffs[][3] = {{0, 0, 1.0}, {0.9, 0.15, 0.75}, {-0.9, 0.2, 0.7}, {0.4, -0.45, 0.75},
                                      {-0.35, -0.35, 0.65}, {1.55, 0.35, 0.5}, {-1.5, 0.4, 0.45}};
    cairo_new_path(cr);
    for (const auto& p : puffs) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + p[0] * s, y + p[1] * s, p[2] * s, 0, 2 * M_PI);
    }
    cairo_save(cr);
    cairo_translate(cr, 0, s * 0.18);
    setColor(cr, Color::hex(0x9FC4DE, alpha * 0.6));
    cairo_fill_preserve(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
    for (const auto& p : puffs) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + p[0] * s, y + p[1] * s, p[2] * s, 0, 2 * M_PI);
    }
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y - s, 0, y + s);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, alpha);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.9, 0.95, 1, alpha);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// A rolling hill line across the picture, filled down to the bottom.
void hill(cairo_t* cr, double w, double h, double baseY, double amp, double phase, double freq, const Color& c) {
    cairo_new_path(cr);
    cairo_move_to(cr, 0, h);
    for (double x = 0; x <= w; x += 8) {
        const double y = baseY + amp * std::sin(x * freq + phase) + amp * 0.4 * std::sin(x * freq * 2.3 + phase * 1.7);
        cairo_line_to(cr, x, y);
    }
    cairo_line_to(cr, w, h);
    cairo_close_path(cr);
    fillVertical(cr, c, baseY - amp, baseY + 200, 0.15, 0.2);
    cairo_new_path(cr);
}

double hillY(double x, double baseY, double amp, double phase, double freq) {
    return baseY + amp * std::sin(x * freq + phase) + amp * 0.4 * std::sin(x * freq * 2.3 + phase * 1.7);
}

void tree(cairo_t* cr, double x, double y, double s, bool fruit, Rng& rng) {
    cairo_new_path(cr);
    cairo_rectangle(cr, x - s * 0.12, y - s * 0.6, s * 0.24, s * 0.6);
    setColor(cr, palette::woodDark);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 1.2);
    cairo_new_path(cr);
    cairo_arc(cr, x, y - s * 0.95, s * 0.55, 0, 2 * M_PI);
    fillBall(cr, Color::hex(0x4FA83A), x, y - s * 0.95, s * 0.55);
    strokeOutline(cr, 1.5);
    cairo_new_path(cr);
    if (fruit) {
        for (int i = 0; i < 5; ++i) {
            const double a = rng.range(0, 2 * M_PI);
            const double d = rng.range(0.1, 0.4) * s;
            cairo_arc(cr, x + d * std::cos(a), y - s * 0.95 + d * std::sin(a), s * 0.07, 0, 2 * M_PI);
            setColor(cr, i % 2 ? palette::cargo[0] : palette::cargo[1]);
            cairo_fill(cr);
        }
    }
}

void pine(cairo_t* cr, double x, double y, double s, const Color& c) {
    cairo_new_path(cr);
    cairo_move_to(cr, x, y - s);
    cairo_line_to(cr, x + s * 0.38, y - s * 0.1);
    cairo_line_to(cr, x - s * 0.38, y - s * 0.1);
    cairo_close_path(cr);
    fillVertical(cr, c, y - s, y, 0.2, 0.2);
    strokeOutline(cr, 1.0);
    cairo_new_path(cr);
    cairo_rectangle(cr, x - s * 0.06, y - s * 0.1, s * 0.12, s * 0.14);
    setColor(cr, palette::woodDark);
    cairo_fill(cr);
}

void house(cairo_t* cr, double x, double y, double s, const Color& roof) {
    cairo_new_path(cr);
    cairo_rectangle(cr, x - s * 0.5, y - s * 0.6, s, s * 0.6);
    fillVertical(cr, palette::cream, y - s * 0.6, y, 0.1, 0.15);
    strokeOutline(cr, 1.4);
    cairo_new_path(cr);
    cairo_move_to(cr, x - s * 0.62, y - s * 0.58);
    cairo_line_to(cr, x, y - s * 1.05);
    cairo_line_to(cr, x + s * 0.62, y - s * 0.58);
    cairo_close_path(cr);
    fillVertical(cr, roof, y - s * 1.05, y - s * 0.58, 0.2, 0.2);
    strokeOutline(cr, 1.4);
    cairo_new_path(cr);
    cairo_rectangle(cr, x - s * 0.12, y - s * 0.3, s * 0.24, s * 0.3);
    setColor(cr, palette::woodDark);
    cairo_fill(cr);
    cairo_rectangle(cr, x + s * 0.2, y - s * 0.45, s * 0.18, s * 0.16);
    setColor(cr, Color::hex(0x8FD3F5));
    cairo_fill(cr);
}

void barn(cairo_t* cr, double x, double y, double s) {
    cairo_new_path(cr);
    cairo_move_to(cr, x - s * 0.55, y);
    cairo_line_to(cr, x - s * 0.55, y - s * 0.55);
    cairo_line_to(cr, x - s * 0.3, y - s * 0.85);
    cairo_line_to(cr, x + s * 0.3, y - s * 0.85);
    cairo_line_to(cr, x + s * 0.55, y - s * 0.55);
    cairo_line_to(cr, x + s * 0.55, y);
    cairo_close_path(cr);
    fillVertical(cr, Color::hex(0xC8322C), y - s * 0.85, y, 0.2, 0.2);
    strokeOutline(cr, 1.6);
    cairo_new_path(cr);
    cairo_rectangle(cr, x - s * 0.18, y - s * 0.42, s * 0.36, s * 0.42);
    setColor(cr, palette::cream);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 1.2);
    cairo_new_path(cr);
    cairo_move_to(cr, x - s * 0.18, y - s * 0.42);
    cairo_line_to(cr, x + s * 0.18, y);
    cairo_move_to(cr, x + s * 0.18, y - s * 0.42);
    cairo_line_to(cr, x - s * 0.18, y);
    setColor(cr, Color::hex(0xC8322C));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

void windmill(cairo_t* cr, double x, double y, double s) {
    cairo_new_path(cr);
    cairo_move_to(cr, x - s * 0.22, y);
    cairo_line_to(cr, x - s * 0.12, y - s);
    cairo_line_to(cr, x + s * 0.12, y - s);
    cairo_line_to(cr, x + s * 0.22, y);
    cairo_close_path(cr);
    fillVertical(cr, palette::cream, y - s, y, 0.1, 0.2);
    strokeOutline(cr, 1.4);
    cairo_new_path(cr);
    for (int i = 0; i < 4; ++i) {
        const double a = 0.4 + i * M_PI / 2;
        cairo_save(cr);
        cairo_translate(cr, x, y - s);
        cairo_rotate(cr, a);
        cairo_rectangle(cr, 0, -s * 0.07, s * 0.7, s * 0.14);
        cairo_restore(cr);
    }
    fillVertical(cr, palette::wood, y - s * 1.7, y - s * 0.3, 0.2, 0.2);
    strokeOutline(cr, 1.2);
    cairo_new_path(cr);
    cairo_arc(cr, x, y - s, s * 0.06, 0, 2 * M_PI);
    setColor(cr, palette::outline);
    cairo_fill(cr);
}

// A field of crop rows on a slope, as a parallelogram of stripes.
void field(cairo_t* cr, double x, double y, double w, double h, double skew, const Color& c) {
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, x + skew, y);
    cairo_line_to(cr, x + w + skew, y);
    cairo_line_to(cr, x + w, y + h);
    cairo_line_to(cr, x, y + h);
    cairo_close_path(cr);
    setColor(cr, c);
    cairo_fill_preserve(cr);
    cairo_clip(cr);
    setColor(cr, c.darker(0.18));
    for (double k = 0; k < w + 2 * std::fabs(skew); k += 7) {
        cairo_move_to(cr, x + k + skew * 1.5, y - 2);
        cairo_line_to(cr, x + k - skew * 0.5, y + h + 2);
    }
    cairo_set_line_width(cr, 2.4);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void birds(cairo_t* cr, double x, double y, double s) {
    cairo_new_path(cr);
    cairo_move_to(cr, x - s, y - s * 0.3);
    cairo_curve_to(cr, x - s * 0.6, y - s * 0.7, x - s * 0.2, y - s * 0.5, x, y);
    cairo_curve_to(cr, x + s * 0.2, y - s * 0.5, x + s * 0.6, y - s * 0.7, x + s, y - s * 0.3);
    setColor(cr, Color::hex(0x3A4A5A, 0.8));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
}

// A disc's rim lit from above: the disc less the same disc lowered, fading
// out before the disc's middle.
void litRim(cairo_t* cr, double cx, double cy, double r, const Color& light) {
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_clip(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, cx - r - 1, cy - r - 1, 2 * r + 2, 2 * r + 2);
    cairo_arc(cr, cx + r * 0.12, cy + r * 0.36, r, 0, 2 * M_PI);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, cy - r, 0, cy);
    cairo_pattern_add_color_stop_rgba(g, 0, light.r, light.g, light.b, light.a);
    cairo_pattern_add_color_stop_rgba(g, 1, light.r, light.g, light.b, 0);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
}

// A small pointed leaf from (x, y) along the angle, filled flat.
void leafBlade(cairo_t* cr, double x, double y, double len, double angle, const Color& c) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_new_path(cr);
    leafPath(cr, len);
    setColor(cr, c);
    cairo_fill(cr);
    cairo_restore(cr);
}

// A five-petalled blossom with a golden eye.
void blossom(cairo_t* cr, double x, double y, double r, const Color& petal) {
    cairo_new_path(cr);
    for (int i = 0; i < 5; ++i) {
        const double a = i * 2 * M_PI / 5 - M_PI / 2;
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + r * 0.62 * std::cos(a), y + r * 0.62 * std::sin(a), r * 0.5, 0, 2 * M_PI);
    }
    setColor(cr, petal);
    cairo_fill(cr);
    cairo_arc(cr, x, y, r * 0.36, 0, 2 * M_PI);
    setColor(cr, palette::gold);
    cairo_fill(cr);
}

// A trimmed hedge of leafy clumps between left and right, its clumps rising
// a little above top and its foot on bottom. Its middle stays a dark, even
// green for a label printed on it; the light falls on its crown and ends,
// where its few bright leaves and blossoms grow.
void hedge(cairo_t* cr, double left, double right, double top, double bottom) {
    const Color leafDeep = Color::hex(0x2D6A2A);
    const Color shade = Color::hex(0x1E4A1C);
    const Color sunlit = Color::hex(0x7CC24E);
    const Color outline = Color::hex(0x1A3A17);
    const double mid = (left + right) / 2;
    // Its shadow on the grass at its foot.
    cairo_save(cr);
    cairo_translate(cr, mid + 6, bottom + 1);
    cairo_scale(cr, 1, 0.06);
    glow(cr, 0, 0, (right - left) / 2 + 14, Color::hex(0x173A12, 0.55));
    cairo_restore(cr);

    // The clumps of its crown, a back row peeking between a front row, and
    // its rounded ends: centre and radius.
    struct Clump {
        double x, y, r;
    };
    std::vector<Clump> back, front;
    Rng rng(46);
    // The crown swells and dips gently along its length.
    auto crown = [&](double x) { return 2.5 * std::sin((x - left) * 0.021 + 0.6); };
    for (double x = left + 22; x < right - 14; x += rng.range(20, 26)) {
        back.push_back({x, top + 4 + crown(x) + rng.range(-2, 2), rng.range(8.5, 11)});
    }
    for (double x = left + 12; x < right - 6; x += rng.range(16, 21)) {
        front.push_back({x, top + 11 + crown(x) + rng.range(-1.5, 1.5), rng.range(11, 13.5)});
    }
    front.push_back({left + 10, top + 26, 13});
    front.push_back({right - 10, top + 24, 13});
    const double footR = 7;
    auto silhouette = [&](const std::vector<Clump>& clumps, bool body) {
        cairo_new_path(cr);
        for (const Clump& c : clumps) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, c.x, c.y, c.r, 0, 2 * M_PI);
        }
        if (body) {
            cairo_new_sub_path(cr);
            roundedRect(cr, left, top + 10, right - left, bottom - 4 - top - 10, 12);
            for (double x = left + 12; x <= right - 12; x += 15) {
                cairo_new_sub_path(cr);
                cairo_arc(cr, x, bottom - footR + 0.6 * std::sin(x * 0.7), footR, 0, 2 * M_PI);
            }
        }
    };
    // The back row, in the shade of the front one.
    silhouette(back, false);
    strokeOutline(cr, 2.6, outline);
    setColor(cr, shade);
    cairo_fill(cr);
    for (const Clump& c : back) {
        litRim(cr, c.x, c.y, c.r, leafDeep.lighter(0.3).withAlpha(0.8));
    }
    // The front: outlined round its edge only, deepening towards its foot.
    silhouette(front, true);
    strokeOutline(cr, 2.8, outline);
    fillVertical(cr, leafDeep, top - 4, bottom, 0.1, 0.18);
    cairo_new_path(cr);
    // Each clump of the crown lit on top, with a shaded hollow under it:
    // deep at the ends, faint behind the middle.
    for (const Clump& c : front) {
        litRim(cr, c.x, c.y, c.r, sunlit.withAlpha(0.85));
        cairo_new_path(cr);
        cairo_arc(cr, c.x, c.y, c.r - 1.5, M_PI * 0.15, M_PI * 0.85);
        setColor(cr, shade.withAlpha(c.x < left + 40 || c.x > right - 40 ? 0.7 : 0.3));
        cairo_set_line_width(cr, 1.8);
        cairo_stroke(cr);
    }
    // Leaf marks in the body, darker than it: thick along the foot and the
    // ends, sparse and faint behind the middle.
    Rng marks(7);
    for (int i = 0; i < 150; ++i) {
        const double x = marks.range(left + 6, right - 6);
        const double y = marks.range(top + 18, bottom - 4);
        const bool quiet = x > left + 40 && x < right - 40 && y < bottom - 14;
        if (quiet && marks.uniform() < 0.7) {
            continue;
        }
        cairo_new_path(cr);
        cairo_arc(cr, x, y - 3, 4, M_PI * 0.2, M_PI * 0.8);
        setColor(cr, shade.withAlpha(quiet ? 0.35 : 0.7));
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
    // Bright young leaves on the crown and the ends.
    Rng leaves(12);
    for (const Clump& c : front) {
        for (int k = 0; k < 2; ++k) {
            const double a = -M_PI / 2 + leaves.range(-1.1, 1.1);
            leafBlade(cr, c.x + c.r * 0.8 * std::cos(a), c.y + c.r * 0.8 * std::sin(a), leaves.range(4, 6),
                      a + leaves.range(-0.5, 0.5), Color::hex(0x9CD66A, 0.9));
        }
    }
    // Blossoms and berries on the crown and round the ends.
    const double blooms[][3] = {{left + 6, top + 22, 0},   {left + 14, top + 36, 1}, {left + 9, bottom - 12, 0},
                                       {left + 62, top + 1, 1},   {left + 130, top - 2, 0}, {left + 205, top + 1, 1},
                                       {left + 268, top - 1, 0},  {right - 8, top + 20, 1}, {right - 16, top + 34, 0},
                                       {right - 7, bottom - 13, 1}};
    for (const auto& b : blooms) {
        blossom(cr, b[0], b[1], 2.6, b[2] > 0 ? Color::hex(0xFFB3C8) : palette::cream);
    }
    const double berries[][2] = {{left + 20, bottom - 8}, {left + 96, top + 4}, {right - 22, bottom - 9},
                                        {right - 60, top + 3}};
    for (const auto& b : berries) {
        for (int k = 0; k < 3; ++k) {
            const double x = b[0] + (k - 1) * 3.4;
            const double y = b[1] + (k == 1 ? -2.6 : 0.0);
            cairo_new_path(cr);
            cairo_arc(cr, x, y, 2.1, 0, 2 * M_PI);
            setColor(cr, palette::berry);
            cairo_fill(cr);
            cairo_arc(cr, x - 0.7, y - 0.7, 0.7, 0, 2 * M_PI);
            setColor(cr, Color{1, 1, 1, 0.8});
            cairo_fill(cr);
        }
    }
    cairo_new_path(cr);
}

void intro(cairo_t* cr, double w, double h) {
    // Sky: deep at the top, pale towards the horizon.
    const double horizon = 690;
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, horizon);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.42, 0.74, 0.95);
    cairo_pattern_add_color_stop_rgb(sky, 0.6, 0.67, 0.87, 0.99);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.93, 0.97, 1.0);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    glow(cr, 640, 170, 190, Color::hex(0xFFF6C0, 0.85));
    cairo_new_path(cr);
    cairo_arc(cr, 640, 170, 48, 0, 2 * M_PI);
    setColor(cr, Color::hex(0xFFF3B0));
    cairo_fill(cr);
    Rng rng(2024);
    for (int i = 0; i < 14; ++i) {
        const double y = 50 + i * 44 + rng.range(-15, 15);
        const double x = rng.range(-40, w + 40);
        cloud(cr, x, y, rng.range(18, 34) * (1.0 - y / 1400.0), 0.92);
    }
    // Far mountains in the shade of the afternoon, high enough that the
    // menus' rows below the sky never meet it.
    cairo_new_path(cr);
    cairo_move_to(cr, 0, horizon + 20);
    const double peaks[][2] = {{0, 540}, {90, 482}, {170, 556}, {260, 470}, {360, 548},
                               {450, 486}, {540, 560}, {620, 500}, {720, 546}, {800, 490}};
    for (const auto& p : peaks) {
        cairo_line_to(cr, p[0], p[1]);
    }
    cairo_line_to(cr, w, horizon + 20);
    cairo_close_path(cr);
    fillVertical(cr, Color::hex(0x4A6290), 470, horizon + 20, 0.12, 0.15);
    cairo_new_path(cr);
    for (size_t i = 1; i + 1 < sizeof(peaks) / sizeof(peaks[0]); ++i) {
        if (peaks[i][1] < peaks[i - 1][1] && peaks[i][1] < peaks[i + 1][1]) {
            cairo_move_to(cr, peaks[i][0], peaks[i][1]);
            cairo_line_to(cr, peaks[i][0] - 18, peaks[i][1] + 16);
            cairo_line_to(cr, peaks[i][0] - 6, peaks[i][1] + 12);
            cairo_line_to(cr, peaks[i][0] + 4, peaks[i][1] + 18);
            cairo_line_to(cr, peaks[i][0] + 18, peaks[i][1] + 16);
            cairo_close_path(cr);
        }
    }
    setColor(cr, Color{1, 1, 1, 0.9});
    cairo_fill(cr);
    // A mist bank in the saddle behind the main menu's greeting: mid-tone,
    // so that its grey lines and its white hovered name both read, and
    // clear of the option rows and score columns on either side.
    static const double mist[][3] = {{326, 601, 14}, {352, 596, 19}, {388, 592, 22}, {425, 596, 21},
                                     {446, 606, 13}, {398, 620, 21}, {436, 624, 18}};
    cairo_new_path(cr);
    for (const auto& p : mist) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, p[0], p[1], p[2], 0, 2 * M_PI);
    }
    cairo_new_sub_path(cr);
    roundedRect(cr, 296, 630, 182, 14, 7);
    // Its lower edge billows, the upper one stays under the rows beside it.
    for (double x = 306; x < 470; x += 15) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x, 644 + std::fmod(x * 0.37, 3), 7 + std::fmod(x * 0.61, 3), 0, 2 * M_PI);
    }
    setColor(cr, Color::hex(0x7F93B5));
    cairo_fill(cr);
    // The wooded valley: deep, quiet greens that the menus' rows and the
    // score table stand on; pines barely darker than the slopes.
    hill(cr, w, h, 690, 14, 0.5, 0.012, Color::hex(0x2F6A2B));
    for (double x = 6; x < w; x += 19) {
        pine(cr, x, hillY(x, 690, 14, 0.5, 0.012) + 10, 30 + std::fmod(x * 7.3, 12), Color::hex(0x285F26));
    }
    hill(cr, w, h, 770, 18, 2.0, 0.009, Color::hex(0x275D24));
    for (double x = 18; x < w; x += 27) {
        pine(cr, x, hillY(x, 770, 18, 2.0, 0.009) + 12, 24 + std::fmod(x * 3.1, 10), Color::hex(0x24572A));
    }
    Rng trees(77);
    // The sunny near slope with the farm and Marrowdale, below the rows.
    hill(cr, w, h, 880, 14, 4.0, 0.007, Color::hex(0x7DC04B));
    field(cr, 90, 896, 130, 26, -16, Color::hex(0xE6C95A));
    field(cr, 250, 902, 110, 22, -12, Color::hex(0xB6D86A));
    windmill(cr, 40, 918, 36);
    barn(cr, 395, 906, 28);
    const Color roofs[] = {palette::berry, Color::hex(0xE07A2E), Color::hex(0x3E7CC9), palette::berry};
    for (int i = 0; i < 6; ++i) {
        const double x = 585 + i * 36;
        house(cr, x, hillY(x, 880, 14, 4.0, 0.007) + 22, 24 + (i % 3) * 3, roofs[i % 4]);
    }
    for (double x = 150; x < 560; x += trees.range(60, 90)) {
        tree(cr, x, hillY(x, 880, 14, 4.0, 0.007) + 30, 26, true, trees);
    }
    hill(cr, w, h, 935, 12, 1.0, 0.01, Color::hex(0x69B03E));
    for (int i = 0; i < 4; ++i) {
        birds(cr, 180 + i * 22, 300 + (i % 2) * 10, 7);
    }
    birds(cr, 520, 420, 8);
    birds(cr, 545, 430, 6);
    // The railway in the foreground, with a produce train on it.
    const double railY = 975;
    cairo_new_path(cr);
    cairo_rectangle(cr, 0, railY - 18, w, 36);
    setColor(cr, Color::hex(0xC8A878));
    cairo_fill(cr);
    for (double x = 0; x < w; x += 22) {
        roundedRect(cr, x + 3, railY - 16, 10, 32, 2);
        setColor(cr, palette::woodDark);
        cairo_fill(cr);
    }
    for (double y : {railY - 9.0, railY + 7.0}) {
        cairo_rectangle(cr, 0, y - 2.5, w, 5);
        fillVertical(cr, palette::steel, y - 2.5, y + 2.5, 0.4, 0.3);
        cairo_new_path(cr);
    }
    // The train stands left of the middle, so that it and its smoke stay
    // clear of the network wizard's check box on the right.
    drawSideWagon(cr, 20, railY - 6, 2.6, 0);
    drawSideWagon(cr, 140, railY - 6, 2.6, 3);
    drawSideEngine(cr, 260, railY - 6, 2.6);
    // The smoke drifts low, under the score table.
    for (int i = 0; i < 4; ++i) {
        glow(cr, 336 - i * 28, railY - 6 - 30 * 2.6 - 12 - i * 8, 16 + i * 3, Color{1, 1, 1, 0.75 - i * 0.15});
    }
    // The meadow below the rails lies in the shade, deep enough for the
    // menus' white hint lines along the bottom.
    cairo_new_path(cr);
    cairo_move_to(cr, 0, h);
    for (double x = 0; x <= w; x += 6) {
        cairo_line_to(cr, x, railY + 18 + 2 * std::fabs(std::sin(x * 0.21)));
    }
    cairo_line_to(cr, w, h);
    cairo_close_path(cr);
    fillVertical(cr, Color::hex(0x3E7A2A), railY + 18, h, 0.05, 0.15);
    cairo_new_path(cr);
    // Flowers in the sunny grass above the rails.
    Rng flowers(9);
    for (int i = 0; i < 120; ++i) {
        const double x = flowers.range(0, w);
        const double y = flowers.range(900, h);
        if (y > railY - 24) {
            continue;
        }
        cairo_arc(cr, x, y, flowers.range(1.5, 3.0), 0, 2 * M_PI);
        setColor(cr, palette::cargo[flowers.next() % 8].withAlpha(0.9));
        cairo_fill(cr);
    }
    // A low, deep hedge in front of Marrowdale, behind the network wizard's
    // check box and its label.
    hedge(cr, 430, 768, 902, railY - 22);
}

// The world map path: 22 points with handles, scaled by 3.125, in world
// units (x right, y up, origin at the centre of the 800 x 600 map).
struct Pt {
    double x, y;
};

const double kPath[22][4] = {
    {-103.9, -10.3, -71.0, -12.0}, {-23.6, -27.4, -1.5, -34.5}, {6.1, -48.0, 19.0, -39.5},   {34.3, -60.7, 50.0, -46.5},
    {59.6, -79.8, 62.5, -91.5},    {70.6, -66.0, 59.5, -56.5},  {45.9, -42.6, 28.5, -39.0},  {-4.9, -23.0, -15.0, -12.0},
    {-1.9, 4.8, -21.5, 16.5},      {-57.8, 14.5, -76.0, 15.0},  {-101.1, 30.7, -80.0, 55.0}, {-23.9, 29.5, -3.0, 25.0},
    {42.9, 4.2, 57.0, 11.0},       {109.5, -6.7, 99.0, 15.0},   {95.7, 20.1, 85.0, 22.0},    {66.4, 18.7, 60.0, 31.0},
    {45.3, 45.7, 35.0, 50.0},      {21.3, 29.7, 14.0, 48.0},    {-2.9, 56.9, -12.0, 54.0},   {-29.3, 44.3, -43.0, 59.0},
    {-60.7, 70.2, -77.0, 75.0},    {-106.0, 75.0, -106.0, 75.0},
};

// Samples the path densely; each sample carries its arc length.
struct Sample {
    Pt p;
    double lambda;
};

std::vector<Sample> samplePath() {
    std::vector<Sample> samples;
    double lambda = 0;
    Pt prev{0, 0};
    for (int i = 0; i + 1 < 22; ++i) {
        const Pt p0{kPath[i][0] * 3.125, kPath[i][1] * 3.125};
        const Pt h0{(kPath[i][2] - kPath[i][0]) * 3.125, (kPath[i][3] - kPath[i][1]) * 3.125};
        const Pt p3{kPath[i + 1][0] * 3.125, kPath[i + 1][1] * 3.125};
        const bool last = i + 1 == 21;
        const Pt h3 = last ? Pt{0, 0}
                           : Pt{(kPath[i + 1][2] - kPath[i + 1][0]) * 3.125, (kPath[i + 1][3] - kPath[i + 1][1]) * 3.125};
        const Pt p1{p0.x + h0.x, p0.y + h0.y};
        const Pt p2{p3.x - h3.x, p3.y - h3.y};
        for (int k = (i == 0 ? 0 : 1); k <= 400; ++k) {
            const double t = k / 400.0;
            const double u = 1 - t;
            const Pt p{u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x,
                       u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y + t * t * t * p3.y};
            if (!samples.empty()) {
                lambda += std::hypot(p.x - prev.x, p.y - prev.y);
            }
            samples.push_back(Sample{p, lambda});
            prev = p;
        }
    }
    return samples;
}

Pt pointAt(const std::vector<Sample>& s, double lambda) {
    for (size_t i = 1; i < s.size(); ++i) {
        if (s[i].lambda >= lambda) {
            return s[i].p;
        }
    }
    return s.back().p;
}

Pt toPixel(const Pt& p) { return Pt{p.x + 400.0, 300.0 - p.y}; }

const double kStationLambda[15] = {0, 220, 440, 660, 880, 1080, 1320, 1540, 1760, 1980, 2160, 2320, 2540, 2760, 3105};

void mountain(cairo_t* cr, double x, double y, double s, bool snow) {
    cairo_new_path(cr);
    cairo_move_to(cr, x - s, y);
    cairo_line_to(cr, x - s * 0.15, y - s * 1.1);
    cairo_line_to(cr, x + s * 0.2, y - s * 0.75);
    cairo_line_to(cr, x + s * 0.4, y - s * 0.95);
    cairo_line_to(cr, x + s, y);
    cairo_close_path(cr);
    fillVertical(cr, Color::hex(0x9A8A7A), y - s * 1.1, y, 0.25, 0.2);
    strokeOutline(cr, 1.5);
    cairo_new_path(cr);
    cairo_move_to(cr, x - s * 0.15, y - s * 1.1);
    cairo_line_to(cr, x - s * 0.15, y);
    cairo_line_to(cr, x + s, y);
    cairo_line_to(cr, x + s * 0.4, y - s * 0.95);
    cairo_line_to(cr, x + s * 0.2, y - s * 0.75);
    cairo_close_path(cr);
    setColor(cr, Color{0, 0, 0, 0.12});
    cairo_fill(cr);
    if (snow) {
        cairo_move_to(cr, x - s * 0.15, y - s * 1.1);
        cairo_line_to(cr, x - s * 0.42, y - s * 0.72);
        cairo_line_to(cr, x - s * 0.2, y - s * 0.8);
        cairo_line_to(cr, x + s * 0.05, y - s * 0.68);
        cairo_line_to(cr, x + s * 0.2, y - s * 0.75);
        cairo_close_path(cr);
        setColor(cr, Color{1, 1, 1, 0.95});
        cairo_fill(cr);
    }
}

void lake(cairo_t* cr, double x, double y, double rx, double ry) {
    cairo_new_path(cr);
    ellipsePath(cr, x, y, rx, ry);
    fillVertical(cr, Color::hex(0x6FC3EE), y - ry, y + ry, 0.2, 0.15);
    strokeOutline(cr, 2, Color::hex(0x3A7FB0));
    cairo_new_path(cr);
    glossSpot(cr, x - rx * 0.3, y - ry * 0.3, rx * 0.35, ry * 0.15, 0.6);
}

void worldMap(cairo_t* cr, double w, double h) {
    // Sea around the land.
    setColor(cr, Color::hex(0x5DB7E8));
    cairo_paint(cr);
    Rng rng(515);
    // The land: a big soft island covering the map.
    cairo_new_path(cr);
    const int n = 48;
    for (int i = 0; i < n; ++i) {
        const double a = i * 2 * M_PI / n;
        const double r = 1.0 + 0.035 * std::sin(a * 5) + 0.025 * std::sin(a * 11 + 1);
        const double x = w / 2 + (w / 2 + 6) * r * std::cos(a);
        const double y = h / 2 + (h / 2 + 4) * r * std::sin(a);
        if (i == 0) {
            cairo_move_to(cr, x, y);
        } else {
            cairo_line_to(cr, x, y);
        }
    }
    cairo_close_path(cr);
    cairo_pattern_t* land = cairo_pattern_create_radial(w / 2, h / 2, 80, w / 2, h / 2, 480);
    cairo_pattern_add_color_stop_rgb(land, 0, 0.62, 0.84, 0.42);
    cairo_pattern_add_color_stop_rgb(land, 0.75, 0.55, 0.78, 0.36);
    cairo_pattern_add_color_stop_rgb(land, 0.92, 0.93, 0.86, 0.6);
    cairo_pattern_add_color_stop_rgb(land, 1, 0.93, 0.86, 0.6);
    cairo_set_source(cr, land);
    cairo_fill(cr);
    cairo_pattern_destroy(land);
    // Meadow texture.
    for (int i = 0; i < 500; ++i) {
        const double x = rng.range(20, w - 20);
        const double y = rng.range(20, h - 20);
        cairo_arc(cr, x, y, rng.range(2, 6), 0, 2 * M_PI);
        setColor(cr, i % 3 ? Color::hex(0x4E9A35, 0.18) : Color::hex(0xFFFFFF, 0.12));
        cairo_fill(cr);
    }
    // A river from the north-west down to the sea in the south.
    const double river[2][4][2] = {{{60, -10}, {140, 120}, {60, 240}, {180, 330}},
                                   {{180, 330}, {300, 420}, {250, 520}, {330, 620}}};
    cairo_new_path(cr);
    cairo_move_to(cr, river[0][0][0], river[0][0][1]);
    for (const auto& seg : river) {
        cairo_curve_to(cr, seg[1][0], seg[1][1], seg[2][0], seg[2][1], seg[3][0], seg[3][1]);
    }
    setColor(cr, Color::hex(0x3A7FB0));
    cairo_set_line_width(cr, 12);
    cairo_stroke_preserve(cr);
    setColor(cr, Color::hex(0x6FC3EE));
    cairo_set_line_width(cr, 8);
    cairo_stroke(cr);

    const std::vector<Sample> path = samplePath();
    std::vector<Pt> stations;
    for (double l : kStationLambda) {
        stations.push_back(toPixel(pointAt(path, l)));
    }
    // Landmarks beside the stations, named after the worlds.
    lake(cr, stations[1].x - 20, stations[1].y + 44, 30, 14);        // Sugar Creek
    lake(cr, stations[5].x + 10, stations[5].y - 46, 34, 16);        // Sweetwater
    lake(cr, stations[10].x + 44, stations[10].y + 34, 26, 14);      // Crystal Creek
    lake(cr, stations[3].x - 62, stations[3].y - 22, 16, 10);        // Warm Springs
    for (int i = 0; i < 3; ++i) {
        glow(cr, stations[3].x - 68 + i * 6, stations[3].y - 36 - i * 6, 6, Color{1, 1, 1, 0.6});
    }
    // Farm fields and copses wherever the land is free.
    auto clearOfPath = [&](double x, double y, double margin) {
        for (size_t i = 0; i < path.size(); i += 6) {
            const Pt p = toPixel(path[i].p);
            if (std::hypot(p.x - x, p.y - y) < margin) {
                return false;
            }
        }
        return x > 60 && x < w - 60 && y > 50 && y < h - 50;
    };
    Rng farm(404);
    const Color crops[] = {Color::hex(0xE6C95A), Color::hex(0xB6D86A), Color::hex(0xD9A85A), Color::hex(0x9CCB5A)};
    int placed = 0;
    for (int attempt = 0; attempt < 400 && placed < 12; ++attempt) {
        const double x = farm.range(0, w);
        const double y = farm.range(0, h);
        if (!clearOfPath(x, y, 48)) {
            continue;
        }
        field(cr, x - 22, y - 10, 44, 20, farm.range(-8, 8), crops[placed % 4]);
        ++placed;
    }
    Rng copse(405);
    for (int attempt = 0, made = 0; attempt < 400 && made < 10; ++attempt) {
        const double x = copse.range(0, w);
        const double y = copse.range(0, h);
        if (!clearOfPath(x, y, 40)) {
            continue;
        }
        for (int k = 0; k < 3; ++k) {
            tree(cr, x + k * 9 - 9, y + (k % 2) * 5, 12, false, copse);
        }
        ++made;
    }
    // Mountains: Pikes Peak, Black Hills, North Pass, Klondike.
    mountain(cr, stations[4].x + 60, stations[4].y + 10, 34, true);
    mountain(cr, stations[4].x + 100, stations[4].y + 20, 26, true);
    mountain(cr, stations[6].x - 70, stations[6].y + 40, 24, false);
    mountain(cr, stations[6].x - 40, stations[6].y + 50, 18, false);
    mountain(cr, stations[11].x + 10, stations[11].y - 30, 30, true);
    mountain(cr, stations[13].x + 40, stations[13].y - 26, 36, true);
    mountain(cr, stations[13].x + 82, stations[13].y - 14, 28, true);
    // Forests: Big Timber and Pine Grove.
    Rng forest(3);
    for (int k : {7, 12, 2}) {
        for (int i = 0; i < 14; ++i) {
            const double x = stations[k].x + forest.range(-60, 60);
            const double y = stations[k].y + forest.range(24, 70);
            pine(cr, x, y, forest.range(14, 22), Color::hex(0x2E7D3A));
        }
    }
    // Boulders at Boulder Junction.
    for (int i = 0; i < 6; ++i) {
        const double x = stations[8].x - 50 + i * 16;
        const double y = stations[8].y - 36 + (i % 2) * 8;
        cairo_new_path(cr);
        ellipsePath(cr, x, y, 9, 7);
        fillBall(cr, Color::hex(0xB0A090), x, y, 9);
        strokeOutline(cr, 1.2);
    }
    // Twin Falls: two streaks of water down a cliff.
    cairo_new_path(cr);
    roundedRect(cr, stations[9].x + 26, stations[9].y - 70, 44, 40, 6);
    fillVertical(cr, Color::hex(0x9A8A7A), stations[9].y - 70, stations[9].y - 30, 0.2, 0.2);
    strokeOutline(cr, 1.5);
    cairo_new_path(cr);
    for (int k = 0; k < 2; ++k) {
        cairo_rectangle(cr, stations[9].x + 36 + k * 16, stations[9].y - 66, 7, 40);
    }
    setColor(cr, Color::hex(0xD8F2FF));
    cairo_fill(cr);
    // Orchards and farms near the start, and Marrowdale Central at the end.
    Rng orchard(12);
    for (int i = 0; i < 8; ++i) {
        tree(cr, stations[0].x + 10 + i * 14, stations[0].y - 26 - (i % 2) * 10, 14, true, orchard);
    }
    const Color roofs[] = {palette::berry, Color::hex(0xE07A2E), Color::hex(0x3E7CC9)};
    for (int i = 0; i < 9; ++i) {
        house(cr, stations[14].x + 30 + (i % 3) * 20, stations[14].y - 16 + (i / 3) * 18, 16, roofs[i % 3]);
    }
    // The railway bed along the whole path: the game lays its track on it.
    cairo_new_path(cr);
    for (size_t i = 0; i < path.size(); i += 4) {
        const Pt p = toPixel(path[i].p);
        if (i == 0) {
            cairo_move_to(cr, p.x, p.y);
        } else {
            cairo_line_to(cr, p.x, p.y);
        }
    }
    const Pt end = toPixel(path.back().p);
    cairo_line_to(cr, end.x, end.y);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setColor(cr, Color::hex(0x6B4A2A, 0.55));
    cairo_set_line_width(cr, 24);
    cairo_stroke_preserve(cr);
    setColor(cr, Color::hex(0xD9BE8C));
    cairo_set_line_width(cr, 19);
    cairo_stroke_preserve(cr);
    setColor(cr, Color::hex(0xB89A6A));
    cairo_set_line_width(cr, 2);
    cairo_set_dash(cr, (const double[]){6, 8}, 2, 0);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    // Bridges where the railway crosses the river.
    std::vector<Pt> riverPoints;
    for (const auto& seg : river) {
        for (int k = 0; k <= 200; ++k) {
            const double t = k / 200.0;
            const double u = 1 - t;
            riverPoints.push_back(Pt{u * u * u * seg[0][0] + 3 * u * u * t * seg[1][0] + 3 * u * t * t * seg[2][0] +
                                         t * t * t * seg[3][0],
                                     u * u * u * seg[0][1] + 3 * u * u * t * seg[1][1] + 3 * u * t * t * seg[2][1] +
                                         t * t * t * seg[3][1]});
        }
    }
    std::vector<Pt> bridges;
    for (size_t i = 8; i + 8 < path.size(); i += 2) {
        const Pt p = toPixel(path[i].p);
        bool nearRiver = false;
        for (const Pt& r : riverPoints) {
            nearRiver = nearRiver || std::hypot(r.x - p.x, r.y - p.y) < 3.0;
        }
        bool known = false;
        for (const Pt& b : bridges) {
            known = known || std::hypot(b.x - p.x, b.y - p.y) < 30.0;
        }
        if (!nearRiver || known) {
            continue;
        }
        bridges.push_back(p);
        const Pt ahead = toPixel(path[i + 8].p);
        const Pt behind = toPixel(path[i - 8].p);
        cairo_save(cr);
        cairo_translate(cr, p.x, p.y);
        cairo_rotate(cr, std::atan2(ahead.y - behind.y, ahead.x - behind.x));
        roundedRect(cr, -17, -13, 34, 26, 3);
        setColor(cr, palette::woodDark);
        cairo_fill_preserve(cr);
        strokeOutline(cr, 1.5);
        cairo_new_path(cr);
        for (double x = -15; x < 15; x += 5) {
            roundedRect(cr, x, -11, 4, 22, 1);
            setColor(cr, palette::wood);
            cairo_fill(cr);
        }
        for (int k = -1; k <= 1; k += 2) {
            cairo_rectangle(cr, -18, k * 13 - 1.5, 36, 3);
            setColor(cr, palette::berry);
            cairo_fill_preserve(cr);
            strokeOutline(cr, 1.0);
            cairo_new_path(cr);
        }
        cairo_restore(cr);
    }
    // A platform under every station.
    for (const Pt& s : stations) {
        cairo_new_path(cr);
        ellipsePath(cr, s.x, s.y + 2, 20, 11);
        setColor(cr, Color::hex(0x6B4A2A, 0.4));
        cairo_fill(cr);
        ellipsePath(cr, s.x, s.y, 18, 9);
        fillVertical(cr, Color::hex(0xE8D2A8), s.y - 9, s.y + 9, 0.2, 0.15);
        strokeOutline(cr, 1.5);
    }
    // Compass rose.
    cairo_new_path(cr);
    const double cx = 60;
    const double cy = h - 60;
    cairo_arc(cr, cx, cy, 26, 0, 2 * M_PI);
    setColor(cr, palette::cream.withAlpha(0.85));
    cairo_fill_preserve(cr);
    strokeOutline(cr, 2);
    cairo_new_path(cr);
    starPath(cr, cx, cy, 22, 5, 4, 0);
    setColor(cr, palette::berry);
    cairo_fill_preserve(cr);
    strokeOutline(cr, 1.2);
    cairo_new_path(cr);
    setColor(cr, palette::outline);
    drawText(cr, "N", cx, cy - 28, 12, true, true);
    // A soft vignette.
    cairo_pattern_t* v = cairo_pattern_create_radial(w / 2, h / 2, 250, w / 2, h / 2, 520);
    cairo_pattern_add_color_stop_rgba(v, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(v, 1, 0.1, 0.05, 0, 0.35);
    cairo_set_source(cr, v);
    cairo_paint(cr);
    cairo_pattern_destroy(v);
}

void writeMarkers(const Output& out) {
    std::vector<Frame> frames;
    // The train marker, a little engine seen from the side; its chimney top
    // lies 9 right of the bottom centre and 15 above it.
    frames.push_back(Frame{44, 30, [](cairo_t* cr, double, double h) { drawSideEngine(cr, 0, h, 1.0); }});
    // A station: a round sign with a station house.
    frames.push_back(Frame{36, 36, [](cairo_t* cr, double w, double h) {
                               cairo_arc(cr, w / 2, h / 2, 15, 0, 2 * M_PI);
                               fillBall(cr, palette::cream, w / 2, h / 2, 15);
                               strokeOutline(cr, 2);
                               cairo_new_path(cr);
                               cairo_arc(cr, w / 2, h / 2, 12, 0, 2 * M_PI);
                               setColor(cr, palette::berry);
                               cairo_set_line_width(cr, 2.5);
                               cairo_stroke(cr);
                               house(cr, w / 2, h / 2 + 7, 13, Color::hex(0x3E7CC9));
                           }});
    writeSheet(out, "gfx/worldmapmarkers2.tga", frames);
}

} // namespace

void writeIntroImage(const Output& out) {
    writeSheet(out, "gfx/intro.jpg", {Frame{800, 1024, intro}}, 1024, ImageFormat::Jpeg);
}

void writeWorldMapImages(const Output& out) {
    writeSheet(out, "gfx/worldmap.jpg", {Frame{800, 600, worldMap}}, 1024, ImageFormat::Jpeg);
    writeMarkers(out);
}

} // namespace assetgen
