// The levels family: a painted scene and a decoration sheet for every level
// file. The scene holds the landscape, the rails with their sleepers where
// the camera sees the path, the hills over tunnels, the launcher platforms
// and the scenery; the decoration sheet holds what passes over the cars -
// tunnel portals and tree crowns - one skin per decoration depth, each
// skin's origin the centre of the scene, since the game draws every
// decoration at the origin.
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

constexpr double HILL_RADIUS = 30.0;

// A grassy or rocky mound over a hidden stretch.
void mound(cairo_t* cr, const LaidTrack& track, double from, double to, const Landscape& land)
{
    std::vector<RailSample> cover;
    for (const RailSample& s : track.samples) {
        if (s.lambda >= from && s.lambda <= to) {
            cover.push_back(s);
        }
    }
    if (cover.empty()) {
        return;
    }
    for (int pass = 0; pass < 2; ++pass) {
        cairo_new_path(cr);
        for (size_t i = 0; i < cover.size(); i += 2) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, cover[i].x + (pass == 0 ? SHADOW_X : 0), cover[i].y + (pass == 0 ? SHADOW_Y : 0), HILL_RADIUS, 0,
                      2 * M_PI);
        }
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        if (pass == 0) {
            setColor(cr, Color::hex(0x000000, 0.18));
            cairo_fill(cr);
        } else {
            fillVertical(cr, land.hill, cover.front().y - 40, cover.front().y + 40, 0.3, 0.2);
            cairo_new_path(cr);
        }
    }
}

// A stone portal across the path at a sample, facing along it.
void portal(cairo_t* cr, const RailSample& s, bool inward)
{
    cairo_save(cr);
    cairo_translate(cr, s.x, s.y);
    cairo_rotate(cr, s.heading + (inward ? 0.0 : M_PI));
    // Seen from above: a thick arch across the rails, the dark mouth behind it.
    cairo_new_path(cr);
    roundedRect(cr, -4, -24, 12, 48, 4);
    setColor(cr, Color::hex(0x000000, 0.25));
    cairo_fill(cr);
    cairo_new_path(cr);
    roundedRect(cr, -10, -26, 14, 52, 5);
    fillVertical(cr, Color::hex(0x9A9088), -26, 26, 0.3, 0.25);
    strokeOutline(cr, 1.6);
    cairo_new_path(cr);
    for (int k = -2; k <= 2; ++k) {
        cairo_move_to(cr, -10, k * 10.0);
        cairo_line_to(cr, 4, k * 10.0);
    }
    setColor(cr, palette::outline.withAlpha(0.45));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_restore(cr);
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

// The sample nearest a lambda.
const RailSample& sampleAt(const LaidTrack& track, double lambda)
{
    size_t best = 0;
    for (size_t i = 0; i < track.samples.size(); ++i) {
        if (std::fabs(track.samples[i].lambda - lambda) < std::fabs(track.samples[best].lambda - lambda)) {
            best = i;
        }
    }
    return track.samples[best];
}

void paintLevel(const Output& out, const LevelLayout& level)
{
    const Landscape& land = landscapeOf(level.data.landscape);
    Rng rng(seedOf(level.data.id));
    std::vector<Overlay> overlays;
    // The hill over a hidden stretch between two portal lines, drawn again
    // over the cars that go under it (cut square at the portals), with the
    // rails that run over it at a greater height.
    auto hillOver = [&](const LaidTrack& track, double from, double to) {
        const RailSample at = sampleAt(track, from);
        double left = at.x, top = at.y, right = at.x, bottom = at.y;
        for (const RailSample& s : track.samples) {
            if (s.lambda >= from && s.lambda <= to) {
                left = std::min(left, s.x);
                top = std::min(top, s.y);
                right = std::max(right, s.x);
                bottom = std::max(bottom, s.y);
            }
        }
        const double reach = HILL_RADIUS + std::max(SHADOW_X, SHADOW_Y) + 4.0;
        left -= reach;
        top -= reach;
        right += reach;
        bottom += reach;
        overlays.push_back({left, top, right, bottom, [&, from, to, reach, z = at.z](cairo_t* cr) {
                                cairo_save(cr);
                                cairo_new_path(cr);
                                const RailSample* previous = nullptr;
                                for (const RailSample& s : track.samples) {
                                    if (s.lambda < from || s.lambda > to) {
                                        continue;
                                    }
                                    if (previous != nullptr) {
                                        const double ax = -std::sin(previous->heading) * reach;
                                        const double ay = std::cos(previous->heading) * reach;
                                        const double bx = -std::sin(s.heading) * reach;
                                        const double by = std::cos(s.heading) * reach;
                                        cairo_move_to(cr, previous->x + ax, previous->y + ay);
                                        cairo_line_to(cr, s.x + bx, s.y + by);
                                        cairo_line_to(cr, s.x - bx, s.y - by);
                                        cairo_line_to(cr, previous->x - ax, previous->y - ay);
                                        cairo_close_path(cr);
                                    }
                                    previous = &s;
                                }
                                cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
                                cairo_clip(cr);
                                mound(cr, track, from - HILL_RADIUS, to + HILL_RADIUS, land);
                                rails(cr, level, land, z - 8.0);
                                cairo_restore(cr);
                            }, at.z});
    };
    for (const LaidTrack& track : level.tracks) {
        const RailSample mouth = sampleAt(track, track.tunnelLambda);
        // A car goes into the hill before its rear passes the mark and the
        // game stops drawing it.
        hillOver(track, track.tunnelLambda, std::min(track.tunnelLambda + 76.0, tunnelHillEnd(level, track)));
        overlays.push_back({mouth.x - 30, mouth.y - 30, mouth.x + 30, mouth.y + 30,
                            [mouth](cairo_t* cr) { portal(cr, mouth, true); }, mouth.z});
        for (const LevelSpan& span : track.spans) {
            hillOver(track, span.start + 5.0, span.end - 5.0);
            const RailSample in = sampleAt(track, span.start + 5.0);
            const RailSample outOf = sampleAt(track, span.end - 5.0);
            overlays.push_back({in.x - 30, in.y - 30, in.x + 30, in.y + 30,
                                [in](cairo_t* cr) { portal(cr, in, true); }, in.z});
            overlays.push_back({outOf.x - 30, outOf.y - 30, outOf.x + 30, outOf.y + 30,
                                [outOf](cairo_t* cr) { portal(cr, outOf, false); }, outOf.z});
        }
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
        for (const LaidTrack& track : level.tracks) {
            for (const LevelSpan& span : track.spans) {
                mound(cr, track, span.start + 5.0, span.end - 5.0, land);
            }
            mound(cr, track, track.tunnelLambda + 4.0, tunnelHillEnd(level, track), land);
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
