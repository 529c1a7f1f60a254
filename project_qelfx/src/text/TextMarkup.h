#pragma once
// The inline markup of dialog and message texts and their word wrap, apart
// from any font: a style marker 0x1E followed by "{RRGGBB}" colours the text
// after it up to the next marker or the end of the line ("{000001}" goes
// back to the default); '|' forces a line break and ' ' allows one.
#include <functional>
#include <vector>

#include "system/UString.h"

// The style of text without markup. Every colour a marker gives has alpha
// 255, so this value never stands for a colour.
constexpr u32 TEXT_STYLE_DEFAULT = 0x00010000;

// The style a markup value gives: the default for 1, else the colour with
// red and blue exchanged into memory order R, G, B and alpha 255.
u32 textStyleFromMarkup(u32 value);

struct StyledRun {
    UString text;
    u32 style = TEXT_STYLE_DEFAULT;
};

// The runs of one line, left to right, without markers; empty runs are left
// out. Markup that cannot be read ends the program with "Couldn't extract
// markup from line '%s'". A marker with fewer than eight bytes after it at
// the end of the line is dropped with them.
std::vector<StyledRun> splitStyledRuns(const UString& line);

// Cuts a text into lines no wider than maxWidth as markupWidth measures them
// (markers take no room). A first word wider than the limit stands alone on
// its line. The break characters belong to no line.
std::vector<UString> wrapText(const UString& text, int maxWidth,
                              const std::function<int(const UString&)>& markupWidth);
