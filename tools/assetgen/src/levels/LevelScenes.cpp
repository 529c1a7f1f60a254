// The levels family: a painted scene and a decoration sheet for every level
// file. The scene holds the landscape, the rails with their sleepers where
// the camera sees the path, the hills over tunnels, the launcher platforms
// and the scenery; the decoration sheet holds what passes over the cars -
// each hill again with the stone arches of its portals, and tree crowns -
// one skin per decoration depth, each skin's origin the centre of the
// scene, since the game draws every decoration at the origin.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/Families.h"
#include "core/Paint.h"
#include "core/Sheet.h"
#include "levels/LevelLayout.h"

#ifndef VABO_LEVEL_DIR
#error "VABO_LEVEL_DIR names the folder of the level files"
#endif

namespace assetgen {

namespace {

// Light falls from the upper left: shadows go down and to the right.
constexpr double SHADOW_X = 6.0;
constexpr double SHADOW_Y = 6.0;
constexpr double RAIL_GAUGE = 9.0;
constexpr double SLEEPER_SPACING = 12.0;
constexpr double PLATFORM_RADIUS = 44.0;

struct Landscape {
    const char* name;
    Color ground;
    Color patch;
    Color crown;
    Color crownDeep;
    Color bed;
    Color hill;
};

const Landscape landscapes[] = {
    {"meadow", Color::hex(0x8CCB4E), Color::hex(0xA6DA63), Color::hex(0x4FA83A), Color::hex(0x2F7D2A),
     Color::hex(0xB59A74), Color::hex(0x6DB547)},
    {"autumn", Color::hex(0xB7C25A), Color::hex(0xD2B65A), Color::hex(0xE07A2E), Color::hex(0xB5472A),
     Color::hex(0xA88E6E), Color::hex(0x9BA84A)},
    {"desert", Color::hex(0xE9CF8C), Color::hex(0xF3DDA2), Color::hex(0x6FAE4A), Color::hex(0x3F7D35),
     Color::hex(0xC2A378), Color::hex(0xD9A760)},
    {"snow", Color::hex(0xE8F1F7), Color::hex(0xFFFFFF), Color::hex(0x3E8A5E), Color::hex(0x24603F),
     Color::hex(0xA9A7A4), Color::hex(0xC9DCEA)},
    {"lake", Color::hex(0x7FC25A), Color::hex(0x98D36B), Color::hex(0x3F9A45), Color::hex(0x24703A),
     Color::hex(0xB59A74), Color::hex(0x5FAE4A)},
};

const Landscape& landscapeOf(const std::string& name)
{
    for (const Landscape& l : landscapes) {
        if (name == l.name) {
            return l;
        }
    }
    return landscapes[0];
}

uint32_t seedOf(const std::string& id)
{
    uint32_t h = 2166136261u;
    for (char c : id) {
        h = (h ^ uint8_t(c)) * 16777619u;
    }
    return h;
}

// Whether a spot is clear of every visible rail and platform by the margin.
bool clearOfRails(const LevelLayout& level, double x, double y, double margin)
{
    for (const LaidTrack& track : level.tracks) {
        for (const RailSample& s : track.samples) {
            if (s.lambda < track.createLambda - 200.0 || s.lambda > track.tunnelLambda + 60.0) {
                continue;
            }
            if (std::hypot(s.x - x, s.y - y) < margin) {
                return false;
            }
        }
    }
    for (const auto& [lx, ly] : level.launchers) {
        if (std::hypot(lx - x, ly - y) < PLATFORM_RADIUS + margin) {
            return false;
        }
    }
    return true;
}

void ground(cairo_t* cr, const LevelLayout& level, const Landscape& land, Rng& rng)
{
    cairo_rectangle(cr, 0, 0, SCENE_WIDTH, SCENE_HEIGHT);
    fillVertical(cr, land.ground, 0, SCENE_HEIGHT, 0.12, 0.12);
    cairo_new_path(cr);
    for (int i = 0; i < 26; ++i) {
        const double x = rng.range(-40, SCENE_WIDTH + 40);
        const double y = rng.range(-40, SCENE_HEIGHT + 40);
        ellipsePath(cr, x, y, rng.range(40, 110), rng.range(25, 60));
        setColor(cr, land.patch.withAlpha(0.45));
        cairo_fill(cr);
    }
    if (std::string(land.name) == "lake") {
        // A lake in a corner the rails leave free.
        for (int tries = 0; tries < 40; ++tries) {
            const double x = rng.range(80, SCENE_WIDTH - 80);
            const double y = rng.range(80, SCENE_HEIGHT - 80);
            if (clearOfRails(level, x, y, 95)) {
                ellipsePath(cr, x, y, 90, 55);
                setColor(cr, Color::hex(0xC9B27E));
                cairo_fill(cr);
                ellipsePath(cr, x, y, 80, 47);
                fillVertical(cr, Color::hex(0x4FA7D8), y - 47, y + 47, 0.25, 0.2);
                cairo_new_path(cr);
                break;
            }
        }
    }
    // Small details: flowers, pebbles, tufts.
    for (int i = 0; i < 260; ++i) {
        const double x = rng.range(0, SCENE_WIDTH);
        const double y = rng.range(0, SCENE_HEIGHT);
        const int kind = int(rng.uniform() * 3);
        if (kind == 0) {
            cairo_arc(cr, x, y, 2.2, 0, 2 * M_PI);
            setColor(cr, palette::cargo[int(rng.uniform() * 8)].lighter(0.2));
            cairo_fill(cr);
        } else if (kind == 1) {
            ellipsePath(cr, x, y, 3.5, 2.4);
            setColor(cr, land.bed.darker(0.1).withAlpha(0.6));
            cairo_fill(cr);
        } else {
            cairo_move_to(cr, x - 3, y);
            cairo_line_to(cr, x, y - 6);
            cairo_line_to(cr, x + 3, y);
            setColor(cr, land.crownDeep.withAlpha(0.4));
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        }
    }
}

// The visible runs of one track between two lambdas, as polylines.
std::vector<std::vector<RailSample>> runs(const LaidTrack& track, double from, double to,
                                         double nearerThan = INFINITY)
{
    std::vector<std::vector<RailSample>> out;
    std::vector<RailSample> run;
    for (const RailSample& s : track.samples) {
        const bool draw = !s.hidden && s.lambda >= from && s.lambda <= to && s.z < nearerThan;
        if (draw) {
            run.push_back(s);
        } else if (!run.empty()) {
            out.push_back(run);
            run.clear();
        }
    }
    if (!run.empty()) {
        out.push_back(run);
    }
    return out;
}

void strokeRun(cairo_t* cr, const std::vector<RailSample>& run, double offset, double width, const Color& c)
{
    cairo_new_path(cr);
    for (size_t i = 0; i < run.size(); ++i) {
        const double nx = -std::sin(run[i].heading) * offset;
        const double ny = std::cos(run[i].heading) * offset;
        if (i == 0) {
            cairo_move_to(cr, run[i].x + nx, run[i].y + ny);
        } else {
            cairo_line_to(cr, run[i].x + nx, run[i].y + ny);
        }
    }
    setColor(cr, c);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// The visible rails, or only those nearer the camera than a depth.
void rails(cairo_t* cr, const LevelLayout& level, const Landscape& land, double nearerThan = INFINITY)
{
    std::vector<std::vector<RailSample>> all;
    for (const LaidTrack& track : level.tracks) {
        for (auto& run : runs(track, 0.0, track.tunnelLambda, nearerThan)) {
            all.push_back(run);
        }
    }
    for (const auto& run : all) {
        strokeRun(cr, run, 0.0, 34.0, land.bed.darker(0.25).withAlpha(0.35));
    }
    for (const auto& run : all) {
        strokeRun(cr, run, 0.0, 30.0, land.bed);
    }
    for (const auto& run : all) {
        double next = run.front().lambda;
        for (const RailSample& s : run) {
            if (s.lambda < next) {
                continue;
            }
            next = s.lambda + SLEEPER_SPACING;
            const double nx = -std::sin(s.heading);
            const double ny = std::cos(s.heading);
            cairo_move_to(cr, s.x - nx * 14, s.y - ny * 14);
            cairo_line_to(cr, s.x + nx * 14, s.y + ny * 14);
        }
        setColor(cr, palette::woodDark);
        cairo_set_line_width(cr, 5.0);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
        cairo_stroke(cr);
    }
    for (const auto& run : all) {
        for (double side : {-RAIL_GAUGE, RAIL_GAUGE}) {
            strokeRun(cr, run, side + 0.8, 3.2, palette::outline.withAlpha(0.6));
            strokeRun(cr, run, side, 2.6, palette::rail.lighter(0.25));
        }
    }
}

// Where the hill a tunnel runs into ends: at most 160 past the mouth, and
// short of any rail in sight it would otherwise cover.
double tunnelHillEnd(const LevelLayout& level, const LaidTrack& own)
{
    const double longest = own.tunnelLambda + 160.0;
    for (const RailSample& s : own.samples) {
        if (s.lambda <= own.tunnelLambda + 4.0 || s.lambda > longest) {
            continue;
        }
        for (const LaidTrack& track : level.tracks) {
            for (const RailSample& r : track.samples) {
                const bool mouth = &track == &own && r.lambda > own.tunnelLambda - 120.0;
                if (r.hidden || mouth || r.lambda < track.createLambda - 200.0) {
                    continue;
                }
                if (std::hypot(r.x - s.x, r.y - s.y) < 48.0) {
                    return s.lambda;
                }
            }
        }
    }
    return longest;
}

// A hill is narrowest at its portals and swells over the middle of the
// stretch it covers; its portals are stone arches on its flat faces.
constexpr double HILL_FOOT = 30.0;
constexpr double HILL_CROWN = 50.0;
constexpr double PORTAL_OPENING = 15.0;
constexpr double PORTAL_RING = 25.0;

// The stretch of a track a hill covers, with the hill's half width at each
// sample.
struct Hill {
    std::vector<RailSample> cover;
    std::vector<double> width;
    bool portalAtEnd; // a hidden span's far end; a tunnel hill ends round
};

// How far a tunnel's hill reaches past its mouth: further than a car
// goes before the game stops drawing it.
constexpr double TUNNEL_HILL = 120.0;
// Half a rail bed and a little grass.
constexpr double RAIL_CLEARANCE = 20.0;

Hill hillOver(const LevelLayout& level, const LaidTrack& track, double from, double to, bool portalAtEnd)
{
    Hill hill{{}, {}, portalAtEnd};
    for (const RailSample& s : track.samples) {
        if (s.lambda >= from && s.lambda <= to) {
            hill.cover.push_back(s);
        }
    }
    const double length = std::max(to - from, 1.0);
    const double crown = std::min(HILL_CROWN, HILL_FOOT + length * 0.25);
    for (const RailSample& s : hill.cover) {
        const double t = (s.lambda - from) / length;
        // A tunnel hill keeps its breadth to its far end, where it rounds off.
        const double swell = portalAtEnd ? std::sin(M_PI * t) : std::sin(M_PI * std::min(t * 1.6, 1.0) * 0.5);
        double width = HILL_FOOT + (crown - HILL_FOOT) * swell;
        // Never over a rail in sight, its own ones before and after included.
        for (const LaidTrack& other : level.tracks) {
            for (const RailSample& r : other.samples) {
                const bool own = &other == &track && r.lambda > from - 2.0 * HILL_CROWN &&
                                 r.lambda < (portalAtEnd ? to + 2.0 * HILL_CROWN : INFINITY);
                if (!r.hidden && !own && r.lambda >= other.createLambda - 200.0) {
                    width = std::min(width, std::hypot(r.x - s.x, r.y - s.y) - RAIL_CLEARANCE);
                }
            }
        }
        hill.width.push_back(std::max(width, HILL_FOOT * 0.5));
    }
    return hill;
}

// The discs whose union is the hill, grown by `grow` and moved by (dx, dy).
void hillPath(cairo_t* cr, const Hill& hill, double grow, double dx = 0.0, double dy = 0.0, double scale = 1.0)
{
    cairo_new_path(cr);
    for (size_t i = 0; i < hill.cover.size(); ++i) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, hill.cover[i].x + dx, hill.cover[i].y + dy, hill.width[i] * scale + grow, 0, 2 * M_PI);
    }
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

// Clips to the hill's reach cut square at its portals: a band along the
// stretch, and a disc past a tunnel hill's far end.
void clipToHill(cairo_t* cr, const Hill& hill)
{
    const double reach = HILL_CROWN + std::max(SHADOW_X, SHADOW_Y) + 6.0;
    cairo_new_path(cr);
    for (size_t i = 1; i < hill.cover.size(); ++i) {
        const RailSample& a = hill.cover[i - 1];
        const RailSample& b = hill.cover[i];
        const double ax = -std::sin(a.heading) * reach;
        const double ay = std::cos(a.heading) * reach;
        const double bx = -std::sin(b.heading) * reach;
        const double by = std::cos(b.heading) * reach;
        cairo_move_to(cr, a.x + ax, a.y + ay);
        cairo_line_to(cr, b.x + bx, b.y + by);
        cairo_line_to(cr, b.x - bx, b.y - by);
        cairo_line_to(cr, a.x - ax, a.y - ay);
        cairo_close_path(cr);
    }
    if (!hill.portalAtEnd && !hill.cover.empty()) {
        // The round far end, never reaching back past the portal; turned as
        // the band's pieces are, so that the windings add up.
        const RailSample& mouth = hill.cover.front();
        const RailSample& end = hill.cover.back();
        const double ux = std::cos(mouth.heading);
        const double uy = std::sin(mouth.heading);
        cairo_new_sub_path(cr);
        for (int k = 0; k <= 48; ++k) {
            const double a = -2.0 * M_PI * k / 48;
            double x = end.x + std::cos(a) * reach;
            double y = end.y + std::sin(a) * reach;
            const double behind = (x - mouth.x) * ux + (y - mouth.y) * uy;
            if (behind < 0.0) {
                x -= behind * ux;
                y -= behind * uy;
            }
            cairo_line_to(cr, x, y);
        }
        cairo_close_path(cr);
    }
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_clip(cr);
}

void treeCrown(cairo_t* cr, double x, double y, double r, const Landscape& land, bool shadow)
{
    if (shadow) {
        cairo_new_path(cr);
        cairo_arc(cr, x + SHADOW_X * 1.5, y + SHADOW_Y * 1.5, r, 0, 2 * M_PI);
        setColor(cr, Color::hex(0x000000, 0.2));
        cairo_fill(cr);
    }
    cairo_new_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    fillBall(cr, land.crown, x, y, r);
    strokeOutline(cr, 1.5);
    cairo_new_path(cr);
    cairo_arc(cr, x - r * 0.3, y - r * 0.3, r * 0.45, 0, 2 * M_PI);
    setColor(cr, land.crown.lighter(0.25).withAlpha(0.5));
    cairo_fill(cr);
}

// A grassy or rocky hill over a stretch: its shadow, an outlined body lit
// from the upper left, and a few tufts and stones on top. Drawn the same in
// the scene and over the cars, so the two meet without a seam.
void mound(cairo_t* cr, const Hill& hill, const Landscape& land)
{
    if (hill.cover.empty()) {
        return;
    }
    cairo_save(cr);
    clipToHill(cr, hill);
    hillPath(cr, hill, 0.0, SHADOW_X, SHADOW_Y);
    setColor(cr, Color::hex(0x000000, 0.2));
    cairo_fill(cr);
    hillPath(cr, hill, 2.0);
    setColor(cr, palette::outline.withAlpha(0.8));
    cairo_fill(cr);
    // Lit as a dome: brightest up and left of its crown.
    const size_t middle = hill.cover.size() / 2;
    const RailSample& crown = hill.cover[middle];
    const double half = std::abs(hill.cover.back().lambda - hill.cover.front().lambda) / 2.0;
    const double w = hill.width[middle];
    const double cx = crown.x - w * 0.3;
    const double cy = crown.y - w * 0.35;
    hillPath(cr, hill, 0.0);
    setColor(cr, land.hill.darker(0.28));
    cairo_fill(cr);
    hillPath(cr, hill, -3.0, -1.5, -2.0);
    cairo_pattern_t* dome = cairo_pattern_create_radial(cx, cy, w * 0.1, cx, cy, std::max(half, w) * 1.3);
    const Color stops[3] = {land.hill.lighter(0.4), land.hill, land.hill.darker(0.16)};
    const double at[3] = {0.0, 0.45, 1.0};
    for (int k = 0; k < 3; ++k) {
        cairo_pattern_add_color_stop_rgb(dome, at[k], stops[k].r, stops[k].g, stops[k].b);
    }
    cairo_set_source(cr, dome);
    cairo_fill(cr);
    cairo_pattern_destroy(dome);
    // Tufts and pebbles on the crown, the same wherever the hill is drawn.
    const RailSample& first = hill.cover.front();
    Rng rng(uint32_t(first.x * 131.0 + first.y * 7.0 + first.lambda));
    for (size_t i = hill.cover.size() / 5; i + hill.cover.size() / 5 < hill.cover.size(); i += 5) {
        const RailSample& s = hill.cover[i];
        const double side = rng.range(-0.6, 0.6) * hill.width[i];
        const double x = s.x - std::sin(s.heading) * side;
        const double y = s.y + std::cos(s.heading) * side;
        if (rng.uniform() < 0.6) {
            cairo_new_path(cr);
            for (double k : {-1.0, 0.0, 1.0}) {
                cairo_move_to(cr, x + k * 3.0, y);
                cairo_line_to(cr, x + k * 4.0, y - 5.0 - (k == 0.0 ? 2.0 : 0.0));
            }
            setColor(cr, land.crownDeep.withAlpha(0.55));
            cairo_set_line_width(cr, 1.4);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_stroke(cr);
        } else {
            cairo_new_path(cr);
            ellipsePath(cr, x, y, 3.4, 2.4);
            setColor(cr, Color::hex(0xB9B2A6));
            cairo_fill_preserve(cr);
            strokeOutline(cr, 1.0, palette::outline.withAlpha(0.6));
            cairo_new_path(cr);
        }
    }
    // A bush or two on a hill long enough to hold them.
    if (hill.cover.size() > 25) {
        for (double t : {0.45, 0.75}) {
            const size_t i = size_t(t * double(hill.cover.size() - 1));
            const RailSample& s = hill.cover[i];
            const double side = (t < 0.5 ? -0.4 : 0.35) * hill.width[i];
            const double r = std::min(9.0, hill.width[i] * 0.22);
            const double x = s.x - std::sin(s.heading) * side;
            const double y = s.y + std::cos(s.heading) * side;
            cairo_new_path(cr);
            cairo_arc(cr, x + 3.0, y + 3.0, r, 0, 2 * M_PI);
            setColor(cr, Color::hex(0x000000, 0.18));
            cairo_fill(cr);
            treeCrown(cr, x, y, r, land, false);
        }
    }
    cairo_restore(cr);
}

// The stone arch of a portal on a hill's face, its dark opening over the
// rails: seen from above and laid back onto the hill, the track running
// into it. `inward` when the track goes into the hill here.
void portal(cairo_t* cr, const RailSample& s, bool inward, double ring)
{
    const double opening = ring * PORTAL_OPENING / PORTAL_RING;
    cairo_save(cr);
    cairo_translate(cr, s.x, s.y);
    cairo_rotate(cr, s.heading + (inward ? 0.0 : M_PI));
    // Local x runs into the hill, y across the rails.
    cairo_new_path(cr);
    cairo_arc(cr, 2.0, 2.0, ring + 1.0, -M_PI / 2, M_PI / 2);
    cairo_close_path(cr);
    setColor(cr, Color::hex(0x000000, 0.22));
    cairo_fill(cr);
    // The opening, darkest deep inside.
    cairo_new_path(cr);
    cairo_arc(cr, 0.0, 0.0, opening, -M_PI / 2, M_PI / 2);
    cairo_close_path(cr);
    cairo_pattern_t* dark = cairo_pattern_create_linear(0, 0, opening, 0);
    cairo_pattern_add_color_stop_rgb(dark, 0.0, 0.27, 0.2, 0.16);
    cairo_pattern_add_color_stop_rgb(dark, 1.0, 0.1, 0.07, 0.06);
    cairo_set_source(cr, dark);
    cairo_fill(cr);
    cairo_pattern_destroy(dark);
    // The arch: seven stones and a keystone at the crown.
    const Color stone = Color::hex(0xC9C0B3);
    const int stones = 7;
    for (int k = 0; k < stones; ++k) {
        const double a0 = -M_PI / 2 + M_PI * k / stones;
        const double a1 = -M_PI / 2 + M_PI * (k + 1) / stones;
        const bool key = k == stones / 2;
        const double outer = ring + (key ? 3.0 : 0.0);
        cairo_new_path(cr);
        cairo_arc(cr, 0.0, 0.0, outer, a0, a1);
        cairo_arc_negative(cr, 0.0, 0.0, opening, a1, a0);
        cairo_close_path(cr);
        const Color c = (k % 2 == 0 ? stone : stone.darker(0.08)).lighter(key ? 0.12 : 0.0);
        cairo_pattern_t* shade = cairo_pattern_create_linear(-outer, -outer, outer, outer);
        cairo_pattern_add_color_stop_rgb(shade, 0.0, c.lighter(0.25).r, c.lighter(0.25).g, c.lighter(0.25).b);
        cairo_pattern_add_color_stop_rgb(shade, 1.0, c.darker(0.2).r, c.darker(0.2).g, c.darker(0.2).b);
        cairo_set_source(cr, shade);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(shade);
        strokeOutline(cr, 1.3);
        cairo_new_path(cr);
    }
    // The feet of the arch, square blocks where it meets the ground.
    for (double side : {-1.0, 1.0}) {
        cairo_new_path(cr);
        roundedRect(cr, -5.0, side > 0 ? opening - 1.0 : -ring - 2.0, 7.0, ring - opening + 3.0,
                    1.5);
        fillVertical(cr, stone.darker(0.05), -ring, ring, 0.2, 0.2);
        strokeOutline(cr, 1.3);
        cairo_new_path(cr);
    }
    cairo_restore(cr);
}

void platform(cairo_t* cr, double x, double y)
{
    cairo_new_path(cr);
    cairo_arc(cr, x + SHADOW_X, y + SHADOW_Y, PLATFORM_RADIUS, 0, 2 * M_PI);
    setColor(cr, Color::hex(0x000000, 0.2));
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_arc(cr, x, y, PLATFORM_RADIUS, 0, 2 * M_PI);
    fillVertical(cr, Color::hex(0xD8CFC0), y - PLATFORM_RADIUS, y + PLATFORM_RADIUS, 0.3, 0.2);
    strokeOutline(cr, 2.0);
    cairo_new_path(cr);
    cairo_arc(cr, x, y, PLATFORM_RADIUS * 0.72, 0, 2 * M_PI);
    setColor(cr, Color::hex(0xB8AC98));
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
}

// Something that lies over the cars, drawn into a decoration skin.
struct Overlay {
    double left, top, right, bottom;
    std::function<void(cairo_t*)> draw;
    double z; // the depth of the rails it must cover
};

void paintLevel(const Output& out, const LevelLayout& level)
{
    const Landscape& land = landscapeOf(level.data.landscape);
    Rng rng(seedOf(level.data.id));
    std::vector<Overlay> overlays;
    // Every hill: the tunnel's at the end of each track, from its mouth as
    // far as the rails around allow, and one over each hidden span.
    std::vector<Hill> hills;
    for (const LaidTrack& track : level.tracks) {
        hills.push_back(hillOver(level, track, track.tunnelLambda,
                                 std::min(track.tunnelLambda + TUNNEL_HILL, tunnelHillEnd(level, track)), false));
        for (const LevelSpan& span : track.spans) {
            hills.push_back(hillOver(level, track, span.start + 5.0, span.end - 5.0, true));
        }
    }
    // Each hill again over the cars that go under it, with the rails that run
    // over it at a greater height and its portals, all in one skin so that
    // they lie in this order.
    for (const Hill& hill : hills) {
        if (hill.cover.empty()) {
            continue;
        }
        const double reach = HILL_CROWN + std::max(SHADOW_X, SHADOW_Y) + 6.0;
        double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
        for (const RailSample& s : hill.cover) {
            left = std::min(left, s.x - reach);
            top = std::min(top, s.y - reach);
            right = std::max(right, s.x + reach);
            bottom = std::max(bottom, s.y + reach);
        }
        const double z = hill.cover.front().z;
        overlays.push_back({left, top, right, bottom, [&level, &land, &hill, z](cairo_t* cr) {
                                mound(cr, hill, land);
                                cairo_save(cr);
                                clipToHill(cr, hill);
                                rails(cr, level, land, z - 8.0);
                                cairo_restore(cr);
                                // Two arches of a short hill keep apart.
                                const double length = std::hypot(hill.cover.back().x - hill.cover.front().x,
                                                                 hill.cover.back().y - hill.cover.front().y);
                                const double ring = hill.portalAtEnd ? std::min(PORTAL_RING, length * 0.3)
                                                                     : PORTAL_RING;
                                portal(cr, hill.cover.front(), true, ring);
                                if (hill.portalAtEnd) {
                                    portal(cr, hill.cover.back(), false, ring);
                                }
                            }, z});
    }
    // Trees whose crowns reach over the rails.
    std::vector<std::pair<double, double>> overhang;
    for (int tries = 0; tries < 400 && overhang.size() < 3; ++tries) {
        const LaidTrack& track = level.tracks[size_t(rng.uniform() * double(level.tracks.size()))];
        const RailSample& s = track.samples[size_t(rng.uniform() * double(track.samples.size()))];
        if (s.hidden || s.lambda < track.createLambda + 150 || s.lambda > track.tunnelLambda - 150 || s.x < 40 ||
            s.x > SCENE_WIDTH - 40 || s.y < 40 || s.y > SCENE_HEIGHT - 40) {
            continue;
        }
        const double side = rng.uniform() < 0.5 ? -1.0 : 1.0;
        const double x = s.x - std::sin(s.heading) * 30 * side;
        const double y = s.y + std::cos(s.heading) * 30 * side;
        if (clearOfRails(level, x, y, 26)) {
            overhang.push_back({x, y});
            overlays.push_back({x - 32, y - 32, x + 38, y + 38, [x, y, &land](cairo_t* cr) {
                                    treeCrown(cr, x, y, 24, land, true);
                                }, s.z});
        }
    }

    auto scene = [&](cairo_t* cr, double, double) {
        Rng detail(seedOf(level.data.id) ^ 0x5A5A5A5Au);
        ground(cr, level, land, detail);
        rails(cr, level, land);
        for (const Hill& hill : hills) {
            mound(cr, hill, land);
        }
        for (const auto& [x, y] : level.launchers) {
            platform(cr, x, y);
        }
        // Trunks of the trees whose crowns lie in the decorations.
        for (const auto& [x, y] : overhang) {
            cairo_new_path(cr);
            cairo_arc(cr, x, y, 6, 0, 2 * M_PI);
            setColor(cr, palette::woodDark);
            cairo_fill(cr);
        }
        // Scenery clear of the rails.
        for (int i = 0, placed = 0; i < 900 && placed < 22; ++i) {
            const double x = detail.range(10, SCENE_WIDTH - 10);
            const double y = detail.range(10, SCENE_HEIGHT - 10);
            const double r = detail.range(12, 22);
            if (!clearOfRails(level, x, y, r + 26)) {
                continue;
            }
            ++placed;
            if (std::string(land.name) == "desert" && placed % 3 == 0) {
                cairo_new_path(cr);
                ellipsePath(cr, x + SHADOW_X, y + SHADOW_Y, r * 0.9, r * 0.6);
                setColor(cr, Color::hex(0x000000, 0.18));
                cairo_fill(cr);
                cairo_new_path(cr);
                ellipsePath(cr, x, y, r * 0.9, r * 0.6);
                fillVertical(cr, Color::hex(0xB9A58E), y - r, y + r, 0.3, 0.2);
                strokeOutline(cr, 1.4);
                cairo_new_path(cr);
            } else {
                treeCrown(cr, x, y, r, land, true);
            }
        }
    };
    writeSheet(out, "gfx/scene-" + level.data.id + ".jpg", {Frame{SCENE_WIDTH, SCENE_HEIGHT, scene}}, 1024,
               ImageFormat::Jpeg);

    const size_t skins = level.data.decorationDepths.size();
    if (skins == 0) {
        return;
    }
    // Each overlay goes to the least filled skin whose depth lies nearer the
    // camera than the rails it covers (so it is drawn over their cars), or
    // to the nearest skin when none does.
    const std::vector<float>& depths = level.data.decorationDepths;
    std::vector<std::vector<const Overlay*>> bySkin(skins);
    for (const Overlay& o : overlays) {
        size_t chosen = size_t(std::min_element(depths.begin(), depths.end()) - depths.begin());
        bool covering = false;
        for (size_t k = 0; k < skins; ++k) {
            if (depths[k] < o.z && (!covering || bySkin[k].size() < bySkin[chosen].size())) {
                chosen = k;
                covering = true;
            }
        }
        bySkin[chosen].push_back(&o);
    }
    std::vector<Frame> frames;
    for (size_t k = 0; k < skins; ++k) {
        const std::vector<const Overlay*>& mine = bySkin[k];
        double left = 0, top = 0, right = 8, bottom = 8;
        if (!mine.empty()) {
            left = mine.front()->left;
            top = mine.front()->top;
            right = mine.front()->right;
            bottom = mine.front()->bottom;
            for (const Overlay* o : mine) {
                left = std::min(left, o->left);
                top = std::min(top, o->top);
                right = std::max(right, o->right);
                bottom = std::max(bottom, o->bottom);
            }
        }
        left = std::floor(std::max(left, 0.0));
        top = std::floor(std::max(top, 0.0));
        right = std::ceil(std::min(right, double(SCENE_WIDTH)));
        bottom = std::ceil(std::min(bottom, double(SCENE_HEIGHT)));
        const int w = std::max(8, int(right - left));
        const int h = std::max(8, int(bottom - top));
        Frame frame{w, h, [mine, left, top](cairo_t* cr, double, double) {
                        cairo_translate(cr, -left, -top);
                        for (const Overlay* o : mine) {
                            o->draw(cr);
                        }
                    }};
        // The game draws every decoration at the centre of the scene.
        frame.originX = SCENE_WIDTH / 2.0 - left;
        frame.originY = SCENE_HEIGHT / 2.0 - top;
        frames.push_back(frame);
    }
    writeSheet(out, "gfx/decoration-" + level.data.id + ".tga", frames, 1024);
}

} // namespace

void generateLevels(const Output& out)
{
    const std::vector<LevelLayout> levels = layLevels(VABO_LEVEL_DIR);
    runParallel(levels.size(), [&](size_t i) { paintLevel(out, levels[i]); });
}

} // namespace assetgen
