// The game's quad fonts: one cell per symbol, white glyphs with their coverage
// in alpha (black outlines for the outline fonts), drawn with FreeType and
// Cairo from Quicksand Bold. Every cell of a font is as tall as its line; the
// glyph stands on one baseline, so a glyph placed at the top-left corner of a
// line lands where the font's layout expects it. The accents the engine
// composes letters from are cut to their ink.
#include "fonts/Fonts.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <stdexcept>

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include "core/Families.h"
#include "core/ImageFiles.h"
#include "core/Sheet.h"

namespace assetgen {

namespace {

constexpr const char* kFace = "/usr/share/fonts/truetype/quicksand/Quicksand-Bold.ttf";
constexpr const char* kFallbackFace = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
constexpr int kSheetSize = 256; // the texture size every font sheet must fit
constexpr unsigned kFaintAlpha = 40; // antialiasing at or below this hardly shows

// Windows-1252 bytes 0x80 to 0x9F; 0 marks the five unassigned ones.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The character a symbol shows; 0 for none (an empty cell).
char32_t characterOf(int symbol) {
    if (symbol == 127) {
        return 0x0131; // dotless i, the base of the composed i letters
    }
    if (symbol == 0xA0) {
        return 0; // no-break space: an empty cell as wide as a space
    }
    if (symbol == 0xAD) {
        return U'-'; // the soft hyphen is shown as a hyphen
    }
    if (symbol >= 0x80 && symbol < 0xA0) {
        return kCp1252High[symbol - 0x80];
    }
    return symbol > 32 ? static_cast<char32_t>(symbol) : 0;
}

std::string utf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

enum class Icon { None, Bullet, Cancel, Left, Right, Up, Down, Back, Next, Help, Box };

// The spinners' arrows, which only the medium font prints.
bool hasSpinnerArrows(const FontSpec& spec) {
    return std::strcmp(spec.name, "fontMedium") == 0;
}

Icon iconOf(int symbol, bool spinnerArrows) {
    if (spinnerArrows && (symbol == 0x07 || symbol == 0x08)) {
        return symbol == 0x07 ? Icon::Left : Icon::Right;
    }
    switch (symbol) {
    case 0x01: return Icon::Bullet;
    case 0x02: return Icon::Cancel;
    case 0x03: return Icon::Left;
    case 0x04: return Icon::Right;
    case 0x05: return Icon::Up;
    case 0x06: return Icon::Down;
    case 0x09: return Icon::Back;
    case 0x0A: return Icon::Next;
    case 0x0D: return Icon::Help;
    case 0x0E: return Icon::Box;
    default: return Icon::None;
    }
}

// The faces of one font job (FreeType libraries are not shared between
// threads). Cairo keeps font faces in a cache of its own after their last
// user lets go and may still touch them when another thread's fonts push
// them out, so each FreeType face is closed only when Cairo destroys its
// face, and the library only with its last face.
class Faces {
public:
    Faces() : library_(new Library) {
        if (FT_Init_FreeType(&library_->handle) != 0) {
            delete library_;
            throw std::runtime_error("FreeType could not start");
        }
        try {
            main_ = load(kFace);
            fallback_ = load(kFallbackFace);
        } catch (...) {
            if (main_) {
                closeFace(new FaceOwner{main_, library_});
            }
            release(library_);
            throw;
        }
    }
    ~Faces() {
        // Faces not yet handed to Cairo close here; the others close when
        // Cairo lets them go.
        if (mainCairo_) {
            cairo_font_face_destroy(mainCairo_);
            cairo_font_face_destroy(fallbackCairo_);
        } else {
            closeFace(new FaceOwner{main_, library_});
            closeFace(new FaceOwner{fallback_, library_});
        }
        release(library_);
    }
    Faces(const Faces&) = delete;
    Faces& operator=(const Faces&) = delete;

    // The Cairo face that has a glyph for the character.
    cairo_font_face_t* faceFor(char32_t c) {
        if (!mainCairo_) {
            mainCairo_ = cairoFace(main_);
            fallbackCairo_ = cairoFace(fallback_);
        }
        return FT_Get_Char_Index(main_, c) != 0 ? mainCairo_ : fallbackCairo_;
    }

private:
    struct Library {
        FT_Library handle = nullptr;
        std::atomic<int> users{1};
    };
    struct FaceOwner {
        FT_Face face;
        Library* library;
    };

    static void release(Library* library) {
        if (--library->users == 0) {
            FT_Done_FreeType(library->handle);
            delete library;
        }
    }
    static void closeFace(void* data) {
        FaceOwner* owner = static_cast<FaceOwner*>(data);
        FT_Done_Face(owner->face);
        release(owner->library);
        delete owner;
    }

    cairo_font_face_t* cairoFace(FT_Face face) {
        static const cairo_user_data_key_t ownerKey{};
        cairo_font_face_t* cairo = cairo_ft_font_face_create_for_ft_face(face, 0);
        cairo_font_face_set_user_data(cairo, &ownerKey, new FaceOwner{face, library_}, &closeFace);
        return cairo;
    }

    FT_Face load(const char* path) {
        FT_Face face = nullptr;
        if (FT_New_Face(library_->handle, path, 0, &face) != 0) {
            throw std::runtime_error(std::string("cannot open the typeface ") + path +
                                     " (scripts/install-deps.sh installs it)");
        }
        ++library_->users;
        return face;
    }

    Library* library_;
    FT_Face main_ = nullptr;
    FT_Face fallback_ = nullptr;
    cairo_font_face_t* mainCairo_ = nullptr;
    cairo_font_face_t* fallbackCairo_ = nullptr;
};

void selectFace(cairo_t* cr, Faces& faces, char32_t c, double size) {
    cairo_set_font_face(cr, faces.faceFor(c));
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

// Paints the current path: a black outline of the given width around it
// (when outline > 0), then the path in white: stroked with the width, filled
// without one, or with fill set both (round corners on a filled shape).
void paintPath(cairo_t* cr, int outline, double strokeWidth, bool fill = false) {
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    if (outline > 0) {
        cairo_set_source_rgba(cr, 0, 0, 0, 1);
        cairo_set_line_width(cr, strokeWidth + 2.0 * outline);
        cairo_stroke_preserve(cr);
    }
    cairo_set_source_rgba(cr, 1, 1, 1, 1);
    if (strokeWidth > 0) {
        cairo_set_line_width(cr, strokeWidth);
        if (!fill) {
            cairo_stroke(cr);
            return;
        }
        cairo_stroke_preserve(cr);
    }
    cairo_fill(cr);
}

// The icons of the control codes, drawn in the box (x, top, size) that
// stands on the baseline and is as tall as a capital.
void drawIcon(cairo_t* cr, Icon icon, double x, double top, double s, int outline) {
    const double cx = x + s / 2;
    const double cy = top + s / 2;
    const double lw = std::max(1.5, s * 0.16);
    auto arrow = [&](double angle) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, angle);
        const double r = s * 0.42;
        cairo_move_to(cr, r, 0);
        cairo_line_to(cr, -r * 0.6, -r * 0.95);
        cairo_line_to(cr, -r * 0.6, r * 0.95);
        cairo_close_path(cr);
        cairo_restore(cr);
        paintPath(cr, outline, lw, true);
    };
    // A white disc with a sign cut out of it.
    auto disc = [&](const std::function<void()>& sign) {
        cairo_arc(cr, cx, cy, s / 2, 0, 2 * M_PI);
        paintPath(cr, outline, 0);
        cairo_save(cr);
        cairo_set_operator(cr, outline > 0 ? CAIRO_OPERATOR_OVER : CAIRO_OPERATOR_CLEAR);
        cairo_set_source_rgba(cr, 0, 0, 0, 1);
        sign();
        cairo_restore(cr);
    };
    switch (icon) {
    case Icon::None:
        break;
    case Icon::Bullet:
        cairo_move_to(cr, x + s * 0.08, cy + s * 0.05);
        cairo_line_to(cr, x + s * 0.38, top + s * 0.88);
        cairo_line_to(cr, x + s * 0.95, top + s * 0.12);
        paintPath(cr, outline, lw * 1.2);
        break;
    case Icon::Cancel:
        cairo_move_to(cr, x + s * 0.15, top + s * 0.15);
        cairo_line_to(cr, x + s * 0.85, top + s * 0.85);
        cairo_move_to(cr, x + s * 0.85, top + s * 0.15);
        cairo_line_to(cr, x + s * 0.15, top + s * 0.85);
        paintPath(cr, outline, lw * 1.2);
        break;
    case Icon::Box:
        // The empty check box; the tick (0x01) is drawn into it.
        cairo_rectangle(cr, x + s * 0.1, top + s * 0.1, s * 0.8, s * 0.8);
        paintPath(cr, outline, lw);
        break;
    case Icon::Right: arrow(0); break;
    case Icon::Down: arrow(M_PI / 2); break;
    case Icon::Left: arrow(M_PI); break;
    case Icon::Up: arrow(-M_PI / 2); break;
    case Icon::Back:
    case Icon::Next:
        disc([&]() {
            const double d = icon == Icon::Next ? 1.0 : -1.0;
            cairo_set_line_width(cr, lw);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_move_to(cr, cx - d * s * 0.25, cy);
            cairo_line_to(cr, cx + d * s * 0.25, cy);
            cairo_move_to(cr, cx + d * s * 0.02, cy - s * 0.22);
            cairo_line_to(cr, cx + d * s * 0.25, cy);
            cairo_line_to(cr, cx + d * s * 0.02, cy + s * 0.22);
            cairo_stroke(cr);
        });
        break;
    case Icon::Help:
        disc([&]() {
            cairo_set_line_width(cr, lw);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_arc(cr, cx, cy - s * 0.1, s * 0.16, M_PI, M_PI * 2.4);
            cairo_line_to(cr, cx, cy + s * 0.1);
            cairo_stroke(cr);
            cairo_arc(cr, cx, cy + s * 0.27, lw * 0.55, 0, 2 * M_PI);
            cairo_fill(cr);
        });
        break;
    }
}

// One cell, drawn into its own surface.
struct Cell {
    int width = 1;
    int height = 1;
    cairo_surface_t* surface = nullptr;
};

struct Metrics {
    double capHeight = 0;
    double baseline = 0;
    int lineHeight = 0;
};

cairo_text_extents_t extentsOf(cairo_t* cr, Faces& faces, char32_t c, double size) {
    selectFace(cr, faces, c, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, utf8(c).c_str(), &e);
    return e;
}

// The baseline and line height: composing fonts put the top of the capitals
// just under the accents the engine hangs at the top of the line; the others
// leave room above the capitals for the accents of their own letters.
Metrics metricsOf(const FontSpec& spec, Faces& faces, const std::vector<int>& symbols) {
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 4);
    cairo_t* cr = cairo_create(scratch);
    Metrics m;
    m.capHeight = -extentsOf(cr, faces, U'H', spec.pixelSize).y_bearing;
    double above = 0;
    double below = 0;
    for (int s : symbols) {
        const char32_t c = characterOf(s);
        if (c == 0) {
            continue;
        }
        const cairo_text_extents_t e = extentsOf(cr, faces, c, spec.pixelSize);
        above = std::max(above, -e.y_bearing);
        below = std::max(below, e.y_bearing + e.height);
    }
    const int o = spec.outline;
    if (spec.composites) {
        m.baseline = std::round(spec.accentDropUpper + 1 + o + m.capHeight);
    } else {
        m.baseline = std::ceil(above + o);
    }
    m.lineHeight = static_cast<int>(std::ceil(m.baseline + below + o)) + 1;
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    return m;
}

// The ink rectangle of a surface (alpha above 0); false when it is empty.
bool inkBox(cairo_surface_t* s, int& left, int& top, int& right, int& bottom) {
    cairo_surface_flush(s);
    const int w = cairo_image_surface_get_width(s);
    const int h = cairo_image_surface_get_height(s);
    const int stride = cairo_image_surface_get_stride(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    left = w;
    top = h;
    right = 0;
    bottom = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint32_t p;
            std::memcpy(&p, data + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 4, 4);
            if ((p >> 24) != 0) {
                left = std::min(left, x);
                right = std::max(right, x + 1);
                top = std::min(top, y);
                bottom = std::max(bottom, y + 1);
            }
        }
    }
    return right > left;
}

cairo_surface_t* crop(cairo_surface_t* s, int left, int top, int right, int bottom) {
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, right - left, bottom - top);
    cairo_t* cr = cairo_create(out);
    cairo_set_source_surface(cr, s, -left, -top);
    cairo_paint(cr);
    cairo_destroy(cr);
    return out;
}

// The rightmost column that shows (alpha above the faint edge of the
// antialiasing), plus one; 0 for a cell without visible ink.
int visibleRight(cairo_surface_t* s) {
    cairo_surface_flush(s);
    const int w = cairo_image_surface_get_width(s);
    const int h = cairo_image_surface_get_height(s);
    const int stride = cairo_image_surface_get_stride(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    for (int x = w - 1; x >= 0; --x) {
        for (int y = 0; y < h; ++y) {
            uint32_t p;
            std::memcpy(&p, data + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 4, 4);
            if ((p >> 24) > kFaintAlpha) {
                return x + 1;
            }
        }
    }
    return 0;
}

// The quad font advances by the whole cell: a glyph whose ink reaches past
// its advance (the hook of an "f") would push the next letter away. The
// cell ends at the advance, or at the glyph's visible ink where that reaches
// further; only a faint edge of antialiasing beyond it is dropped.
void cutToAdvance(Cell& cell, int advance) {
    const int width = std::min(cell.width, std::max(advance, visibleRight(cell.surface)));
    if (width < cell.width) {
        cairo_surface_t* cut = crop(cell.surface, 0, 0, width, cell.height);
        cairo_surface_destroy(cell.surface);
        cell.surface = cut;
        cell.width = width;
    }
}

// An accent the engine composes letters from, cut to its ink.
void cutToInk(Cell& cell, int symbol) {
    int l = 0;
    int t = 0;
    int r = 0;
    int b = 0;
    if (inkBox(cell.surface, l, t, r, b)) {
        if (symbol == 184) {
            t = 0; // the cedilla hangs from the top of the line
            b = cell.height;
        }
        cairo_surface_t* cut = crop(cell.surface, l, t, r, b);
        cairo_surface_destroy(cell.surface);
        cell.surface = cut;
        cell.width = r - l;
        cell.height = b - t;
    }
}

Cell makeCell(const FontSpec& spec, Faces& faces, const Metrics& m, int symbol) {
    const int o = spec.outline;
    const int emptyWidth = std::max(1, spec.spaceWidth - spec.letterSpacing);
    Cell cell;
    cell.height = m.lineHeight;
    // Check boxes are written in the plain fonts only; the outlined font's
    // sheets have no room left for the box.
    const Icon plain = iconOf(symbol, hasSpinnerArrows(spec));
    const Icon icon = plain == Icon::Box && o > 0 ? Icon::None : plain;
    const char32_t c = characterOf(symbol);
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 4);
    cairo_t* measure = cairo_create(scratch);
    double pen = o;
    int advance = 0; // the cell width that sets the glyph like the typeface
    if (icon != Icon::None) {
        const double size = std::round(m.capHeight * 1.1);
        cell.width = static_cast<int>(size) + 2 * o + 2;
    } else if (spec.composedOnly && (isComposedLetter(symbol) || (symbol >= 0x80 && symbol < 0xA0 && !isCutAccent(symbol)))) {
        // Placeholders: the composed letters are replaced by the font, and no
        // text uses the Windows-1252 extras from 0x80 to 0x9F.
        cell.width = 1;
        cell.height = 1;
    } else if (c != 0) {
        const cairo_text_extents_t e = extentsOf(measure, faces, c, spec.pixelSize);
        pen = o + std::max(0.0, -std::floor(e.x_bearing));
        const double advanceRight = pen + std::round(e.x_advance) + o - std::max(0, spec.letterSpacing);
        const double inkRight = pen + std::ceil(e.x_bearing + e.width) + o;
        advance = std::max(1, static_cast<int>(advanceRight));
        cell.width = std::max(advance, static_cast<int>(inkRight));
    } else {
        cell.width = symbol <= 32 ? 1 : emptyWidth; // unused control codes and the passed-over space
    }
    cairo_destroy(measure);
    cairo_surface_destroy(scratch);

    cell.surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cell.width, cell.height);
    cairo_t* cr = cairo_create(cell.surface);
    if (icon != Icon::None) {
        const double size = std::round(m.capHeight * 1.1);
        drawIcon(cr, icon, o + 1, m.baseline - size + std::round(size * 0.05), size, o);
    } else if (c != 0 && cell.height > 1) {
        selectFace(cr, faces, c, spec.pixelSize);
        cairo_move_to(cr, pen, m.baseline);
        cairo_text_path(cr, utf8(c).c_str());
        paintPath(cr, o, 0);
    }
    cairo_destroy(cr);
    if (spec.composites && isCutAccent(symbol)) {
        cutToInk(cell, symbol);
    } else if (advance > 0 && cell.height > 1) {
        cutToAdvance(cell, advance);
    }
    return cell;
}

// Packs cells into as few sheets as the font has; throws when they do not fit.
std::vector<std::vector<size_t>> packSheets(const FontSpec& spec, const std::vector<Cell>& cells) {
    std::vector<std::vector<size_t>> sheets(1);
    std::vector<Frame> current;
    for (size_t i = 0; i < cells.size(); ++i) {
        current.push_back(Frame{cells[i].width, cells[i].height, nullptr});
        int w = 0;
        int h = 0;
        layoutFrames(current, kSheetSize, w, h);
        if (h > kSheetSize && current.size() > 1) {
            if (sheets.size() == spec.sheets.size()) {
                throw std::runtime_error(std::string(spec.name) + ": the glyphs do not fit its sheets (symbol " +
                                         std::to_string(i) + ")");
            }
            sheets.emplace_back();
            current.clear();
            current.push_back(Frame{cells[i].width, cells[i].height, nullptr});
        }
        sheets.back().push_back(i);
    }
    if (sheets.size() != spec.sheets.size()) {
        throw std::runtime_error(std::string(spec.name) + ": the glyphs fill fewer sheets than it loads");
    }
    return sheets;
}

} // namespace

const std::vector<FontSpec>& fontSpecs() {
    static const std::vector<FontSpec> specs = {
        {"fontTiny", {"gfx/font/font-tiny.tga"}, 33, 11.0, 0, 1, 3, false, 0, 0, false},
        {"fontSmall", {"gfx/font/font-small.tga"}, 33, 14.0, 0, 0, 3, false, 3, 5, false},
        {"fontMedium", {"gfx/font/font-medium.tga"}, 0, 19.0, 0, 0, 6, true, 2, 5, true},
        {"fontMediumOutline", {"gfx/font/font-mediumoutline.tga"}, 0, 16.0, 1, -1, 6, true, 5, 8, true},
        {"fontLarge",
         {"gfx/font/font-largeoutline-1.tga", "gfx/font/font-largeoutline-2.tga", "gfx/font/font-largeoutline-3.tga",
          "gfx/font/font-largeoutline-4.tga"},
         0, 30.0, 3, -2, 16, true, 6, 13, false},
    };
    return specs;
}

std::vector<int> fontSymbols(const FontSpec& spec) {
    std::vector<int> symbols;
    for (int s = spec.firstSymbol; s < 256; ++s) {
        symbols.push_back(s);
    }
    return symbols;
}

bool isComposedLetter(int symbol) {
    static const int composed[] = {192, 200, 204, 210, 217, 224, 232, 236, 242, 249, 193, 201, 205, 211,
                                   218, 221, 225, 233, 237, 243, 250, 253, 194, 202, 206, 212, 219, 226,
                                   234, 238, 244, 251, 195, 209, 213, 227, 241, 245, 159, 196, 203, 207,
                                   214, 220, 228, 235, 239, 246, 252, 255, 197, 229, 199, 231};
    return std::find(std::begin(composed), std::end(composed), symbol) != std::end(composed);
}

bool isCutAccent(int symbol) {
    return symbol == 96 || symbol == 180 || symbol == 136 || symbol == 152 || symbol == 168 || symbol == 176 ||
           symbol == 184;
}

void writeFont(const Output& out, const FontSpec& spec) {
    Faces faces;
    const std::vector<int> symbols = fontSymbols(spec);
    const Metrics metrics = metricsOf(spec, faces, symbols);
    std::vector<Cell> cells;
    for (int s : symbols) {
        cells.push_back(makeCell(spec, faces, metrics, s));
    }
    const std::vector<std::vector<size_t>> sheets = packSheets(spec, cells);
    for (size_t sheet = 0; sheet < sheets.size(); ++sheet) {
        std::vector<Frame> frames;
        for (size_t i : sheets[sheet]) {
            cairo_surface_t* surface = cells[i].surface;
            frames.push_back(Frame{cells[i].width, cells[i].height, [surface](cairo_t* cr, double, double) {
                                       cairo_set_source_surface(cr, surface, 0, 0);
                                       cairo_paint(cr);
                                   }});
        }
        int w = 0;
        int h = 0;
        const std::vector<PlacedFrame> placed = layoutFrames(frames, kSheetSize, w, h);
        cairo_surface_t* image = renderSheet(frames, placed, w, h);
        std::vector<uint8_t> tga = encodeTga(image);
        cairo_surface_destroy(image);
        if (spec.outline == 0) {
            // Plain glyphs are white everywhere, so filtering at their edges
            // never pulls in a dark fringe.
            for (size_t p = 18 + tga[0]; p + 3 < tga.size(); p += 4) {
                tga[p] = tga[p + 1] = tga[p + 2] = 255;
            }
        }
        out.write(spec.sheets[sheet], tga);
        out.write(spec.sheets[sheet] + ".ini", skinList(placed));
    }
    for (Cell& cell : cells) {
        cairo_surface_destroy(cell.surface);
    }
}

void generateFonts(const Output& out) {
    const std::vector<FontSpec>& specs = fontSpecs();
    // One after the other: Cairo's shared cache of scaled fonts is not safe
    // against fonts of several threads (it can abort destroying a font
    // another thread has frozen), and the five fonts take a fraction of a
    // second.
    for (const FontSpec& spec : specs) {
        writeFont(out, spec);
    }
}

} // namespace assetgen
