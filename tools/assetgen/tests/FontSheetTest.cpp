// The generated font sheets: one cell per symbol in symbol order, each sheet a
// texture the engine can hold whole, every character of every language text
// drawable, and the accents of the composed letters clear of their bases.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "GeneratedTree.h"
#include "core/SkinListReader.h"
#include "fonts/Fonts.h"
#include "language/LanguageTexts.h"

using namespace assetgen;
using namespace assetgen::tree;

namespace {

struct LoadedCell {
    const MemoryImageFile* image = nullptr;
    PlacedFrame frame;
};

struct LoadedFont {
    std::vector<LoadedImage> sheets;
    std::vector<LoadedCell> cells; // by symbol; null image below the first symbol
};

// The sheets of a font as the engine reads them from the data pack.
bool loadFont(const FontSpec& spec, LoadedFont& font) {
    font.sheets.resize(spec.sheets.size());
    for (size_t i = 0; i < spec.sheets.size(); ++i) {
        if (const auto result = loads(spec.sheets[i], font.sheets[i]); !result) {
            ADD_FAILURE() << result.message();
            return false;
        }
    }
    font.cells.resize(256);
    int symbol = spec.firstSymbol;
    for (const LoadedImage& sheet : font.sheets) {
        for (const PlacedFrame& f : sheet.frames) {
            if (symbol < 256) {
                font.cells[symbol] = LoadedCell{sheet.image.get(), f};
            }
            ++symbol;
        }
    }
    EXPECT_EQ(symbol, 256) << spec.name << ": one cell per symbol up to 255";
    return symbol == 256;
}

// R, G, B, A of a pixel of the cell.
std::array<uint8_t, 4> pixel(const LoadedCell& c, int x, int y) {
    const u32 p = c.image->pImageData[static_cast<size_t>(c.frame.top + y) * c.image->width + c.frame.left + x];
    return {static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p >> 16),
            static_cast<uint8_t>(p >> 24)};
}

// The first row of the cell with visible ink, or -1.
int inkTop(const LoadedCell& c) {
    for (int y = 0; y < c.frame.height; ++y) {
        for (int x = 0; x < c.frame.width; ++x) {
            if (pixel(c, x, y)[3] > 40) {
                return y;
            }
        }
    }
    return -1;
}

int lineHeightOf(const LoadedFont& font) {
    int h = 0;
    for (const LoadedCell& c : font.cells) {
        h = std::max(h, c.frame.height);
    }
    return h;
}

class FontSheets : public MountedPack {};

} // namespace

TEST_F(FontSheets, EveryFontHasOneCellPerSymbolOnWhiteOrOutlinedSheetsOfAtMost256Square) {
    for (const FontSpec& spec : fontSpecs()) {
        SCOPED_TRACE(spec.name);
        LoadedFont font;
        ASSERT_TRUE(loadFont(spec, font));
        for (const LoadedImage& sheet : font.sheets) {
            EXPECT_LE(sheet.image->width, 256);
            EXPECT_LE(sheet.image->height, 256);
            EXPECT_TRUE(sheet.image->hasAlpha);
        }
        const int line = lineHeightOf(font);
        for (int s = spec.firstSymbol; s < 256; ++s) {
            const PlacedFrame& f = font.cells[s].frame;
            const bool cut = spec.composites && isCutAccent(s) && s != 184;
            const bool placeholder = f.width == 1 && f.height == 1;
            if (!cut && !placeholder) {
                EXPECT_EQ(f.height, line) << "symbol " << s << " is a full line high";
            }
            if (cut) {
                EXPECT_LT(f.height, line / 2) << "accent " << s << " is cut to its ink";
            }
        }
        // Plain fonts are white with the coverage in alpha, outline fonts
        // have dark outlines.
        size_t dark = 0;
        size_t partial = 0;
        for (const LoadedImage& sheet : font.sheets) {
            const MemoryImageFile& image = *sheet.image;
            for (size_t p = 0; p < static_cast<size_t>(image.width) * image.height; ++p) {
                const u32 word = image.pImageData[p];
                const uint8_t px[4] = {static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8),
                                       static_cast<uint8_t>(word >> 16), static_cast<uint8_t>(word >> 24)};
                dark += (px[3] == 255 && px[0] < 32 && px[1] < 32 && px[2] < 32) ? 1 : 0;
                partial += (px[3] > 0 && px[3] < 255) ? 1 : 0;
                if (spec.outline == 0) {
                    ASSERT_TRUE(px[0] == 255 && px[1] == 255 && px[2] == 255) << "pixel " << p;
                }
            }
        }
        EXPECT_GT(partial, 100u) << "edges are smooth";
        if (spec.outline > 0) {
            EXPECT_GT(dark, 500u);
        }
    }
}

TEST_F(FontSheets, EveryCharacterOfEveryLanguageHasAGlyphOrIsComposedFromGlyphsWithTheAccentAbove) {
    bool used[256] = {};
    for (int lang = 0; lang < LANGUAGE_MAX; ++lang) {
        for (int id = 0; id < Language::STRING_COUNT; ++id) {
            for (const char* p = languageSourceTexts[lang][id]; p && *p; ++p) {
                used[static_cast<uint8_t>(*p)] = true;
            }
        }
    }
    ASSERT_TRUE(used[0xE9]) << "the texts hold accented letters";
    for (const FontSpec& spec : fontSpecs()) {
        SCOPED_TRACE(spec.name);
        LoadedFont font;
        ASSERT_TRUE(loadFont(spec, font));
        auto hasInk = [&](int s) { return font.cells[s].image && inkTop(font.cells[s]) >= 0; };
        for (int s = 1; s < 256; ++s) {
            if (!used[s] || s == 0x20 || s == 0xA0 || (s < 32 && spec.firstSymbol > 0)) {
                continue;
            }
            if (spec.composedOnly && isComposedLetter(s)) {
                continue; // checked below through its base and accent
            }
            EXPECT_TRUE(hasInk(s)) << "symbol " << s;
        }
        if (spec.firstSymbol == 0) {
            for (int icon : {1, 2, 3, 4, 5, 6, 9, 10, 13}) {
                EXPECT_TRUE(hasInk(icon)) << "icon " << icon;
            }
            EXPECT_EQ(hasInk(14), spec.outline == 0) << "the check box";
        }
        if (std::string(spec.name) == "fontMedium") {
            EXPECT_TRUE(hasInk(0x07)) << "the spinner's left arrow";
            EXPECT_TRUE(hasInk(0x08)) << "the spinner's right arrow";
        }
        if (spec.composites) {
            for (int accent : {96, 180, 136, 152, 168, 176, 184}) {
                EXPECT_TRUE(hasInk(accent)) << "accent " << accent;
            }
            EXPECT_TRUE(hasInk(127)) << "the dotless i";
            // The engine hangs a composed accent so that its lower edge lies
            // drop - 1 rows below the top of the line: every base letter must
            // start below it, and not far below.
            for (const char* bases : {"AEIOUYN", "aeouyn\x7f"}) {
                const bool lower = bases[0] == 'a';
                const int accentBottom = (lower ? spec.accentDropLower : spec.accentDropUpper) - 1;
                for (const char* b = bases; *b; ++b) {
                    const int top = inkTop(font.cells[static_cast<uint8_t>(*b)]);
                    EXPECT_GE(top, accentBottom) << "base " << *b;
                    EXPECT_LE(top, accentBottom + 5) << "base " << *b;
                }
            }
        }
    }
}

// A quad font advances by the whole cell, so a cell that ends well past its
// glyph's ink opens a gap inside words ("of ficiel"). The icons and the
// accents the engine composes letters from keep their drawn widths.
TEST_F(FontSheets, NoGlyphCellCarriesMoreEmptySpaceOnItsRightThanTheTypefaceGivesIt) {
    for (const FontSpec& spec : fontSpecs()) {
        SCOPED_TRACE(spec.name);
        LoadedFont font;
        ASSERT_TRUE(loadFont(spec, font));
        // Beyond a pixel of rounding, the letter spacing: the gap the engine
        // adds, or the outline it lays over the next letter.
        const int allowed = 1 + std::abs(spec.letterSpacing);
        for (int s = std::max(spec.firstSymbol, 33); s < 256; ++s) {
            const LoadedCell& cell = font.cells[s];
            if ((spec.composites && isCutAccent(s)) || (cell.frame.width == 1 && cell.frame.height == 1)) {
                continue;
            }
            int inkRight = 0;
            for (int x = 0; x < cell.frame.width; ++x) {
                for (int y = 0; y < cell.frame.height; ++y) {
                    if (pixel(cell, x, y)[3] > 0) {
                        inkRight = x + 1;
                    }
                }
            }
            if (inkRight > 0) {
                EXPECT_LE(cell.frame.width - inkRight, allowed) << "symbol " << s;
            }
        }
    }
}
