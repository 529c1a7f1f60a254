#include "core/Paint.h"

#include <cmath>
#include <mutex>

#include <fontconfig/fontconfig.h>

namespace assetgen {

Color Color::hex(uint32_t rgb, double alpha) {
    return Color{((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

Color Color::lighter(double t) const { return mix(Color{1, 1, 1, a}, t); }
Color Color::darker(double t) const { return mix(Color{0, 0, 0, a}, t); }
Color Color::withAlpha(double alpha) const { return Color{r, g, b, alpha}; }
Color Color::mix(const Color& o, double t) const {
    return Color{r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t, a + (o.a - a) * t};
}

namespace palette {
const Color outline = Color::hex(0x3B2418);
const Color cream = Color::hex(0xFFF6DE);
const Color sky = Color::hex(0x8FD3F5);
const Color skyDeep = Color::hex(0x4AA3DF);
const Color grass = Color::hex(0x8CCB4E);
const Color grassDeep = Color::hex(0x4E9A35);
const Color wood = Color::hex(0xC98B4F);
const Color woodDark = Color::hex(0x8A5530);
const Color gold = Color::hex(0xFFC933);
const Color rail = Color::hex(0x7D858F);
const Color steel = Color::hex(0xA9B4C2);
const Color panel = Color::hex(0x3E7CC9);
const Color panelDeep = Color::hex(0x24528F);
const Color berry = Color::hex(0xE5484D);
const Color cargo[8] = {
    Color::hex(0xF0322E), Color::hex(0xFF8A14), Color::hex(0xFFE02E), Color::hex(0x3DBA3A),
    Color::hex(0x38E0E8), Color::hex(0x2F5BFF), Color::hex(0xC55BF0), Color::hex(0xF4F4F4),
};
} // namespace palette

void setColor(cairo_t* cr, const Color& c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::fmin(r, std::fmin(w, h) / 2.0);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void starPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points, double rotation) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < points * 2; ++i) {
        const double a = rotation - M_PI / 2 + i * M_PI / points;
        const double r = (i % 2 == 0) ? outer : inner;
        if (i == 0) {
            cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
        } else {
            cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
        }
    }
    cairo_close_path(cr);
}

void heartPath(cairo_t* cr, double cx, double cy, double s) {
    cairo_new_sub_path(cr);
    cairo_move_to(cr, cx, cy + 0.85 * s);
    cairo_curve_to(cr, cx - 0.15 * s, cy + 0.65 * s, cx - 1.0 * s, cy + 0.25 * s, cx - 1.0 * s, cy - 0.25 * s);
    cairo_curve_to(cr, cx - 1.0 * s, cy - 0.75 * s, cx - 0.35 * s, cy - 0.95 * s, cx, cy - 0.45 * s);
    cairo_curve_to(cr, cx + 0.35 * s, cy - 0.95 * s, cx + 1.0 * s, cy - 0.75 * s, cx + 1.0 * s, cy - 0.25 * s);
    cairo_curve_to(cr, cx + 1.0 * s, cy + 0.25 * s, cx + 0.15 * s, cy + 0.65 * s, cx, cy + 0.85 * s);
    cairo_close_path(cr);
}

void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

namespace {

// Fills the current path (kept) with a gradient of three stops, and frees it.
void fillThreeStops(cairo_t* cr, cairo_pattern_t* p, const Color& a, const Color& b, double middle, const Color& c) {
    cairo_pattern_add_color_stop_rgba(p, 0, a.r, a.g, a.b, a.a);
    cairo_pattern_add_color_stop_rgba(p, middle, b.r, b.g, b.b, b.a);
    cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, c.a);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
}

} // namespace

void fillVertical(cairo_t* cr, const Color& base, double y0, double y1, double light, double dark) {
    fillThreeStops(cr, cairo_pattern_create_linear(0, y0, 0, y1), base.lighter(light), base, 0.5, base.darker(dark));
}

void fillBall(cairo_t* cr, const Color& base, double cx, double cy, double r) {
    fillThreeStops(cr, cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.1, cx, cy, r * 1.05),
                   base.lighter(0.45), base, 0.55, base.darker(0.35));
}

void polygonPath(cairo_t* cr, const double (*points)[2], size_t count, double dx, double dy) {
    cairo_new_sub_path(cr);
    for (size_t i = 0; i < count; ++i) {
        cairo_line_to(cr, points[i][0] + dx, points[i][1] + dy);
    }
    cairo_close_path(cr);
}

void strokeOutline(cairo_t* cr, double width, const Color& color) {
    setColor(cr, color);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke_preserve(cr);
}

void glossSpot(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha) {
    cairo_save(cr);
    cairo_new_path(cr);
    ellipsePath(cr, cx, cy, rx, ry);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, cy - ry, 0, cy + ry);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

void glow(cairo_t* cr, double cx, double cy, double r, const Color& c) {
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, c.a);
    cairo_pattern_add_color_stop_rgba(p, 0.35, c.r, c.g, c.b, c.a * 0.55);
    cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

std::unique_lock<std::mutex> lockText() {
    // Cairo shares scaled fonts between threads through one cache, which
    // is not safe against fonts drawn and let go on several threads at once.
    static std::mutex textMutex;
    return std::unique_lock<std::mutex>(textMutex);
}

void drawText(cairo_t* cr, const std::string& text, double x, double y, double size, bool bold, bool centred) {
    const std::unique_lock<std::mutex> lock = lockText();
    cairo_save(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    const double startX = centred ? x - ext.width / 2 - ext.x_bearing : x;
    cairo_move_to(cr, startX, y);
    cairo_show_text(cr, text.c_str());
    cairo_restore(cr);
}

void drawTitle(cairo_t* cr, const std::string& text, double cx, double baseline, double size, const Color& top,
               const Color& bottom, double outlineWidth) {
    const std::unique_lock<std::mutex> lock = lockText();
    cairo_save(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    const double x = cx - ext.width / 2 - ext.x_bearing;
    cairo_new_path(cr);
    cairo_move_to(cr, x + outlineWidth * 0.35, baseline + outlineWidth * 0.5);
    cairo_text_path(cr, text.c_str());
    setColor(cr, palette::outline.withAlpha(0.35));
    cairo_set_line_width(cr, outlineWidth * 2.0);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
    cairo_move_to(cr, x, baseline);
    cairo_text_path(cr, text.c_str());
    strokeOutline(cr, outlineWidth * 2.0);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, baseline - ext.height, 0, baseline);
    cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, top.a);
    cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, bottom.a);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_move_to(cr, x, baseline);
    cairo_restore(cr);
}

void releaseDrawingCaches() {
    cairo_debug_reset_static_data();
    FcFini();
}

uint32_t Rng::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

double Rng::uniform() { return (next() >> 8) * (1.0 / 16777216.0); }

} // namespace assetgen
