#pragma once

#include <string>
#include <vector>

#include "core/Output.h"

namespace assetgen {

// How one of the game's quad fonts is drawn: its sheets hold one cell per
// symbol, in symbol order from firstSymbol to 255 (the cell of the space is
// there too; the font passes over it).
struct FontSpec {
    const char* name;         // the font's resource name ("fontMedium")
    std::vector<std::string> sheets; // sheet files in loading order
    int firstSymbol;          // 0 (with the icon cells below 32) or 33
    double pixelSize;         // em size in pixels
    int outline;              // outline width in pixels (0 = plain white glyphs)
    int letterSpacing;        // the font's letterSpacing setting
    int spaceWidth;           // the font's spaceWidth setting
    bool composites;          // accents are cut to their ink for composed letters
    int accentDropUpper;      // the font's accent drops (used only with composites)
    int accentDropLower;
    bool composedOnly;        // the composed letters are built before any use: their
                              // cells are placeholders the font replaces
};

// Whether the engine composes the symbol from a base letter and an accent.
bool isComposedLetter(int symbol);

// The five fonts the start-up loads.
const std::vector<FontSpec>& fontSpecs();

// The symbols the sheets of a font cover, in cell order.
std::vector<int> fontSymbols(const FontSpec& spec);

// The symbols whose cells hold only an accent, cut to its ink: the accents the
// font composes letters from (the cedilla keeps the full cell height, as it
// hangs from the top of the line).
bool isCutAccent(int symbol);

void writeFont(const Output& out, const FontSpec& spec);

} // namespace assetgen
