// Menu frames, buttons, bubbles, pointers, the loading bar and the flags.
#include <cmath>

#include "core/Paint.h"
#include "core/Sheet.h"
#include "images/Images.h"

namespace assetgen {

namespace {

enum class Look { Normal, Focus, Disabled };

Color lookTint(const Color& c, Look look) {
    switch (look) {
    case Look::Focus:
        return c.lighter(0.25);
    case Look::Disabled:
        return c.mix(Color::hex(0x9A9A9A), 0.75);
    default:
        return c;
    }
}

// A glossy pill: the body of the menu buttons. `gloss` is the strength of
// the shine on its upper half; dark faces keep it faint so that light
// captions stay readable across the whole face.
void pill(cairo_t* cr, double w, double h, const Color& c, Look look, double radius, double gloss) {
    roundedRect(cr, 2, 3, w - 4, h - 4, radius);
    setColor(cr, palette::outline.withAlpha(0.35));
    cairo_fill(cr);
    roundedRect(cr, 2, 1, w - 4, h - 4, radius);
    fillVertical(cr, c, 1, h - 3, 0.12, 0.2);
    strokeOutline(cr, 2.0);
    cairo_new_path(cr);
    cairo_save(cr);
    roundedRect(cr, 6, 4, w - 12, (h - 6) * 0.42, radius * 0.7);
    cairo_pattern_t* shine = cairo_pattern_create_linear(0, 4, 0, 4 + (h - 6) * 0.42);
    cairo_pattern_add_color_stop_rgba(shine, 0, 1, 1, 1, look == Look::Disabled ? gloss * 0.4 : gloss);
    cairo_pattern_add_color_stop_rgba(shine, 1, 1, 1, 1, 0.0);
    cairo_set_source(cr, shine);
    cairo_fill(cr);
    cairo_pattern_destroy(shine);
    cairo_restore(cr);
    if (look == Look::Focus) {
        roundedRect(cr, 3.5, 2.5, w - 7, h - 7, radius - 1.5);
        setColor(cr, Color::hex(0xFFD75A, 0.95));
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    }
}

// A panel: cream border around a translucent blue field, lit a little at
// the top by `light`.
void panel(cairo_t* cr, double w, double h, Look look, double radius, const Color& field, double light = 0.15) {
    const Color border = lookTint(palette::cream, look);
    roundedRect(cr, 2, 3, w - 4, h - 4, radius);
    setColor(cr, palette::outline.withAlpha(0.3));
    cairo_fill(cr);
    roundedRect(cr, 2, 2, w - 4, h - 4, radius);
    fillVertical(cr, border, 2, h - 2, 0.2, 0.12);
    strokeOutline(cr, 2.0);
    cairo_new_path(cr);
    roundedRect(cr, 8, 8, w - 16, h - 16, radius * 0.6);
    fillVertical(cr, lookTint(field, look), 8, h - 8, light, 0.2);
    setColor(cr, palette::outline.withAlpha(0.5));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    if (look == Look::Focus) {
        roundedRect(cr, 4, 4, w - 8, h - 8, radius - 2);
        setColor(cr, palette::gold);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    }
}

std::vector<Frame> threeLooks(int w, int h, void (*draw)(cairo_t*, double, double, Look)) {
    std::vector<Frame> frames;
    for (Look look : {Look::Normal, Look::Focus, Look::Disabled}) {
        frames.push_back(Frame{w, h, [draw, look](cairo_t* cr, double fw, double fh) { draw(cr, fw, fh, look); }});
    }
    return frames;
}

void writeProgressBar(const Output& out) {
    std::vector<Frame> frames;
    frames.push_back(Frame{256, 28, [](cairo_t* cr, double w, double h) {
                               roundedRect(cr, 1, 1, w - 2, h - 2, (h - 2) / 2);
                               fillVertical(cr, Color::hex(0x24384F), 1, h - 1, 0.0, 0.3);
                               strokeOutline(cr, 2);
                               cairo_new_path(cr);
                               roundedRect(cr, 4, 4, w - 8, h - 8, (h - 8) / 2);
                               setColor(cr, Color::hex(0x0F1B29));
                               cairo_fill(cr);
                           }});
    frames.push_back(Frame{256, 28, [](cairo_t* cr, double w, double h) {
                               roundedRect(cr, 4, 4, w - 8, h - 8, (h - 8) / 2);
                               fillVertical(cr, Color::hex(0x6CCB3C), 4, h - 4, 0.45, 0.25);
                               cairo_new_path(cr);
                               cairo_save(cr);
                               roundedRect(cr, 4, 4, w - 8, h - 8, (h - 8) / 2);
                               cairo_clip(cr);
                               setColor(cr, Color{1, 1, 1, 0.18});
                               for (double x = -h; x < w; x += 18) {
                                   cairo_move_to(cr, x, h);
                                   cairo_line_to(cr, x + 9, h);
                                   cairo_line_to(cr, x + 9 + h, 0);
                                   cairo_line_to(cr, x + h, 0);
                                   cairo_close_path(cr);
                               }
                               cairo_fill(cr);
                               cairo_restore(cr);
                               glossSpot(cr, w / 2, 8, w / 2 - 10, 3, 0.5);
                           }});
    writeSheet(out, "gfx/gui/game/progressbar.tga", frames);
}

void writeMousePointer(const Output& out) {
    std::vector<Frame> frames;
    // The menu pointer: an arrow whose tip is the hot spot.
    Frame arrow{32, 32, [](cairo_t* cr, double, double) {
                    static const double shape[][2] = {{3, 2}, {3, 24}, {9, 19}, {13, 28}, {17, 26}, {13, 17}, {21, 17}};
                    cairo_new_path(cr);
                    polygonPath(cr, shape, 7, 1.5, 1.5);
                    setColor(cr, Color{0, 0, 0, 0.3});
                    cairo_fill(cr);
                    polygonPath(cr, shape, 7);
                    fillVertical(cr, Color::hex(0xFFFFFF), 2, 28, 0.0, 0.15);
                    strokeOutline(cr, 2);
                }};
    arrow.originX = 3;
    arrow.originY = 2;
    frames.push_back(arrow);
    // The game pointer: a white sight, tinted like the next piece.
    frames.push_back(Frame{32, 32, [](cairo_t* cr, double w, double h) {
                               const double cx = w / 2;
                               const double cy = h / 2;
                               for (int pass = 0; pass < 2; ++pass) {
                                   cairo_new_path(cr);
                                   cairo_arc(cr, cx, cy, 9, 0, 2 * M_PI);
                                   for (int i = 0; i < 4; ++i) {
                                       const double a = i * M_PI / 2;
                                       cairo_move_to(cr, cx + 5 * std::cos(a), cy + 5 * std::sin(a));
                                       cairo_line_to(cr, cx + 14 * std::cos(a), cy + 14 * std::sin(a));
                                   }
                                   setColor(cr, pass == 0 ? palette::outline : Color{1, 1, 1, 1});
                                   cairo_set_line_width(cr, pass == 0 ? 4.5 : 2.2);
                                   cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
                                   cairo_stroke(cr);
                               }
                               cairo_arc(cr, cx, cy, 1.8, 0, 2 * M_PI);
                               setColor(cr, Color{1, 1, 1, 1});
                               cairo_fill(cr);
                           }});
    writeSheet(out, "gfx/gui/game/mousepointer.tga", frames);
}

void drawMenuPanel(cairo_t* cr, double w, double h, Look look) { panel(cr, w, h, look, 14, palette::panel); }
void drawHudPanel(cairo_t* cr, double w, double h, Look look) { panel(cr, w, h, look, 10, palette::wood); }
// The dialogs' and groups' panel: a navy deep enough, also at its lit top,
// for the half-transparent white of their captions and names.
void drawSquare(cairo_t* cr, double w, double h, Look look) {
    panel(cr, w, h, look, 16, Color::hex(0x1E4276, 0.96), 0.06);
}
// The main menu's greeting plate: a pale stone sign, light enough for the
// greeting's grey and dark enough that its hovered white still shows.
void drawGreetingPlate(cairo_t* cr, double w, double h) {
    roundedRect(cr, 3, 5, w - 6, h - 7, 12);
    setColor(cr, palette::outline.withAlpha(0.3));
    cairo_fill(cr);
    roundedRect(cr, 3, 3, w - 6, h - 7, 12);
    fillVertical(cr, Color::hex(0xCBC4AB), 3, h - 4, 0.04, 0.04);
    strokeOutline(cr, 2.0, palette::woodDark);
    cairo_new_path(cr);
    roundedRect(cr, 7, 7, w - 14, h - 15, 9);
    setColor(cr, palette::cream.withAlpha(0.55));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}
// The menu buttons: a deep green that white, gold and grey captions all
// read on; under the pointer the face stays deep and gains a gold rim.
void drawButton(cairo_t* cr, double w, double h, Look look) {
    const Color deep = Color::hex(0x226A27);
    pill(cr, w, h, look == Look::Focus ? deep.lighter(0.04) : lookTint(deep, look), look, 17, 0.14);
}
// The speech buttons carry a dark caption on a pale face and a white one on
// the deep orange face that fades in under the pointer.
void drawSpeechButton(cairo_t* cr, double w, double h, Look look) {
    const Color face = look == Look::Focus ? Color::hex(0xB4500E) : lookTint(Color::hex(0xFFE2A8), look);
    pill(cr, w, h, face, look, 14, look == Look::Focus ? 0.12 : 0.4);
}
void drawEditBox(cairo_t* cr, double w, double h, Look look) {
    // A row of the menus: an opaque deep blue strip with rounded ends, so
    // that nothing of the scenery shows through behind its value.
    const Color base = look == Look::Focus ? Color::hex(0x2A5EA6) : lookTint(palette::panelDeep, look);
    roundedRect(cr, 1, 2, w - 2, h - 4, 9);
    fillVertical(cr, base, 2, h - 2, 0.1, 0.2);
    setColor(cr, look == Look::Focus ? palette::gold : palette::cream.withAlpha(0.8));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void writeFrameSets(const Output& out) {
    writeSheet(out, "gfx/gui/game/menu.tga", threeLooks(64, 64, &drawMenuPanel));
    writeSheet(out, "gfx/gui/game/hud.tga", threeLooks(64, 64, &drawHudPanel));
    // The panel in its three looks, then the main menu's greeting plate.
    std::vector<Frame> square = threeLooks(64, 64, &drawSquare);
    square.push_back(Frame{64, 64, &drawGreetingPlate});
    writeSheet(out, "gfx/gui/game/square.tga", square);
    writeSheet(out, "gfx/gui/game/button.tga", threeLooks(128, 40, &drawButton));
    writeSheet(out, "gfx/gui/game/button-speech.tga", threeLooks(96, 32, &drawSpeechButton));
    writeSheet(out, "gfx/gui/game/editbox.tga", threeLooks(128, 32, &drawEditBox));
}

void writeMenuValues(const Output& out) {
    // Sliders: the track, the knob and the knob under the pointer.
    std::vector<Frame> slider;
    slider.push_back(Frame{128, 16, [](cairo_t* cr, double w, double h) {
                               roundedRect(cr, 2, 4, w - 4, h - 8, (h - 8) / 2);
                               fillVertical(cr, Color::hex(0x1E3350), 4, h - 4, 0.0, 0.2);
                               strokeOutline(cr, 1.5, palette::cream);
                           }});
    for (int focus = 0; focus < 2; ++focus) {
        slider.push_back(Frame{24, 24, [focus](cairo_t* cr, double w, double h) {
                                   cairo_arc(cr, w / 2, h / 2, 9.5, 0, 2 * M_PI);
                                   fillBall(cr, focus ? palette::gold.lighter(0.2) : palette::gold, w / 2, h / 2, 9.5);
                                   strokeOutline(cr, 2);
                               }});
    }
    writeSheet(out, "gfx/gui/game/menuint.tga", slider);

    // Check boxes: off, on, and the box under the pointer.
    std::vector<Frame> boxes;
    for (int i = 0; i < 3; ++i) {
        boxes.push_back(Frame{28, 28, [i](cairo_t* cr, double w, double h) {
                                  roundedRect(cr, 3, 3, w - 6, h - 6, 5);
                                  fillVertical(cr, i == 2 ? palette::cream : palette::cream.darker(0.05), 3, h - 3,
                                               0.2, 0.15);
                                  strokeOutline(cr, 2);
                                  if (i == 2) {
                                      setColor(cr, palette::gold);
                                      cairo_set_line_width(cr, 2);
                                      cairo_stroke(cr);
                                  }
                                  cairo_new_path(cr);
                                  if (i == 1) {
                                      cairo_move_to(cr, 7, 14);
                                      cairo_line_to(cr, 12, 20);
                                      cairo_line_to(cr, 22, 6);
                                      setColor(cr, palette::outline);
                                      cairo_set_line_width(cr, 5);
                                      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
                                      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
                                      cairo_stroke_preserve(cr);
                                      setColor(cr, Color::hex(0x4DB848));
                                      cairo_set_line_width(cr, 3);
                                      cairo_stroke(cr);
                                  }
                              }});
    }
    writeSheet(out, "gfx/gui/game/menubool.tga", boxes);
}

// The speech bubble: a nine-patch whose tail lies in the bottom-right corner
// patch (borders 20 left and top, up to 50 right and bottom).
void writeSpeechBubbles(const Output& out) {
    writeSheet(out, "gfx/gui/game/speechbubble.tga", {Frame{128, 128, [](cairo_t* cr, double, double) {
                                                          auto shape = [cr](double dx, double dy) {
                                                              cairo_new_path(cr);
                                                              roundedRect(cr, 4 + dx, 4 + dy, 116, 100, 14);
                                                              cairo_new_sub_path(cr);
                                                              cairo_move_to(cr, 94 + dx, 102 + dy);
                                                              cairo_curve_to(cr, 102 + dx, 112 + dy, 112 + dx, 120 + dy,
                                                                             123 + dx, 124 + dy);
                                                              cairo_curve_to(cr, 115 + dx, 114 + dy, 113 + dx, 108 + dy,
                                                                             113 + dx, 102 + dy);
                                                              cairo_close_path(cr);
                                                          };
                                                          shape(2, 3);
                                                          cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
                                                          setColor(cr, palette::outline.withAlpha(0.25));
                                                          cairo_fill(cr);
                                                          shape(0, 0);
                                                          setColor(cr, palette::outline);
                                                          cairo_set_line_width(cr, 5);
                                                          cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
                                                          cairo_stroke_preserve(cr);
                                                          setColor(cr, palette::cream);
                                                          cairo_fill(cr);
                                                      }}});
    // The tutorial hint: a small white bubble and a head pointing down (both
    // tinted by the game); the head's tip is its origin.
    std::vector<Frame> arrow;
    arrow.push_back(Frame{32, 32, [](cairo_t* cr, double w, double h) {
                              roundedRect(cr, 2, 2, w - 4, h - 4, 9);
                              fillVertical(cr, Color{1, 1, 1, 1}, 2, h - 2, 0.0, 0.08);
                              strokeOutline(cr, 2.5);
                          }});
    arrow.push_back(Frame{24, 22, [](cairo_t* cr, double w, double h) {
                              cairo_move_to(cr, 2, 1);
                              cairo_line_to(cr, w - 2, 1);
                              cairo_line_to(cr, w / 2, h - 2);
                              cairo_close_path(cr);
                              setColor(cr, Color{1, 1, 1, 1});
                              cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
                              cairo_fill_preserve(cr);
                              strokeOutline(cr, 2.5);
                          }});
    writeSheet(out, "gfx/gui/game/speechArrow.tga", arrow);
}

void writeAutoConfigure(const Output& out) {
    writeSheet(out, "gfx/system/autoconfigure.tga", {Frame{128, 128, [](cairo_t* cr, double w, double h) {
                                                         const double cx = w / 2;
                                                         const double cy = h / 2;
                                                         cairo_new_path(cr);
                                                         for (int i = 0; i < 24; ++i) {
                                                             const double a = i * M_PI / 12;
                                                             const double r = (i / 2) % 2 == 0 ? 56 : 44;
                                                             cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
                                                         }
                                                         cairo_close_path(cr);
                                                         cairo_new_sub_path(cr);
                                                         cairo_arc_negative(cr, cx, cy, 18, 2 * M_PI, 0);
                                                         fillBall(cr, palette::steel, cx, cy, 56);
                                                         strokeOutline(cr, 4);
                                                     }}});
}

void flagBody(cairo_t* cr, double w, double h) { roundedRect(cr, 4, 4, w - 8, h - 8, 6); }

void writeLanguageFlags(const Output& out) {
    std::vector<Frame> frames;
    for (int lang = 0; lang < 5; ++lang) {
        frames.push_back(Frame{96, 64, [lang](cairo_t* cr, double w, double h) {
            flagBody(cr, w, h);
            cairo_save(cr);
            cairo_translate(cr, 2, 3);
            setColor(cr, Color{0, 0, 0, 0.3});
            cairo_fill(cr);
            cairo_restore(cr);
            cairo_save(cr);
            flagBody(cr, w, h);
            cairo_clip(cr);
            const double x0 = 4;
            const double y0 = 4;
            const double fw = w - 8;
            const double fh = h - 8;
            auto band = [&](int i, int n, bool vertical, uint32_t rgb) {
                setColor(cr, Color::hex(rgb));
                if (vertical) {
                    cairo_rectangle(cr, x0 + fw * i / n, y0, fw / n + 0.5, fh);
                } else {
                    cairo_rectangle(cr, x0, y0 + fh * i / n, fw, fh / n + 0.5);
                }
                cairo_fill(cr);
            };
            switch (lang) {
            case 0: { // United Kingdom
                setColor(cr, Color::hex(0x1F3F8F));
                cairo_paint(cr);
                cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
                cairo_move_to(cr, x0, y0);
                cairo_line_to(cr, x0 + fw, y0 + fh);
                cairo_move_to(cr, x0 + fw, y0);
                cairo_line_to(cr, x0, y0 + fh);
                setColor(cr, Color{1, 1, 1, 1});
                cairo_set_line_width(cr, 11);
                cairo_stroke_preserve(cr);
                setColor(cr, Color::hex(0xD22630));
                cairo_set_line_width(cr, 4);
                cairo_stroke(cr);
                cairo_rectangle(cr, x0 + fw / 2 - 9, y0, 18, fh);
                cairo_rectangle(cr, x0, y0 + fh / 2 - 9, fw, 18);
                setColor(cr, Color{1, 1, 1, 1});
                cairo_fill(cr);
                cairo_rectangle(cr, x0 + fw / 2 - 5, y0, 10, fh);
                cairo_rectangle(cr, x0, y0 + fh / 2 - 5, fw, 10);
                setColor(cr, Color::hex(0xD22630));
                cairo_fill(cr);
                break;
            }
            case 1:
                band(0, 3, true, 0x1F4FB5);
                band(1, 3, true, 0xFFFFFF);
                band(2, 3, true, 0xE3343A);
                break;
            case 2:
                band(0, 3, false, 0x222222);
                band(1, 3, false, 0xDD2A2A);
                band(2, 3, false, 0xFFCE1F);
                break;
            case 3:
                band(0, 3, true, 0x2EA04A);
                band(1, 3, true, 0xFFFFFF);
                band(2, 3, true, 0xD8323A);
                break;
            default:
                band(0, 4, false, 0xC8283A);
                setColor(cr, Color::hex(0xFFC81F));
                cairo_rectangle(cr, x0, y0 + fh / 4, fw, fh / 2);
                cairo_fill(cr);
                band(3, 4, false, 0xC8283A);
                break;
            }
            // Cloth shading: soft folds across the flag.
            cairo_pattern_t* folds = cairo_pattern_create_linear(x0, 0, x0 + fw, 0);
            for (int i = 0; i <= 6; ++i) {
                cairo_pattern_add_color_stop_rgba(folds, i / 6.0, i % 2 ? 0 : 1, i % 2 ? 0 : 1, i % 2 ? 0 : 1,
                                                  i % 2 ? 0.12 : 0.16);
            }
            cairo_set_source(cr, folds);
            cairo_paint(cr);
            cairo_pattern_destroy(folds);
            cairo_restore(cr);
            flagBody(cr, w, h);
            strokeOutline(cr, 2.5);
        }});
    }
    writeSheet(out, "gfx/system/languageflags.tga", frames);
}

} // namespace

void writeGuiImages(const Output& out) {
    writeProgressBar(out);
    writeMousePointer(out);
    writeFrameSets(out);
    writeMenuValues(out);
    writeSpeechBubbles(out);
    writeAutoConfigure(out);
    writeLanguageFlags(out);
}

} // namespace assetgen
