#include "text/TextMarkup.h"

#include <cstdio>

#include "engine/QelAssert.h"
#include "graphics/FontSymbols.h"

u32 textStyleFromMarkup(u32 value)
{
    if (value == 1) {
        return TEXT_STYLE_DEFAULT;
    }
    return 0xFF000000u | ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
}

std::vector<StyledRun> splitStyledRuns(const UString& line)
{
    std::vector<StyledRun> runs;
    u32 style = TEXT_STYLE_DEFAULT;
    size_t from = 0;
    while (from < line.size()) {
        const size_t marker = line.find(static_cast<char>(FONT_STYLE_MARKER), from);
        const size_t end = marker == UString::npos ? line.size() : marker;
        if (end > from) {
            runs.push_back(StyledRun{UString(line, from, end - from), style});
        }
        if (marker == UString::npos || line.size() - (marker + 1) < FONT_STYLE_LENGTH) {
            break;
        }
        const UString markup(line, marker + 1, FONT_STYLE_LENGTH);
        unsigned value = 0;
        if (std::sscanf(markup.c_str(), "{%8x}", &value) != 1) {
            qelFatal(formatString("Couldn't extract markup from line '%s'", markup.c_str()), "TextLine", __FILE__,
                     __LINE__);
        }
        style = textStyleFromMarkup(value);
        from = marker + 1 + FONT_STYLE_LENGTH;
    }
    return runs;
}

std::vector<UString> wrapText(const UString& text, int maxWidth,
                              const std::function<int(const UString&)>& markupWidth)
{
    std::vector<UString> lines;
    if (text.empty()) {
        return lines;
    }
    UString work = text + " ";
    while (!work.empty()) {
        size_t lastFit = UString::npos; // the last break that still fits
        size_t cut = 0;
        for (;;) {
            const size_t from = lastFit == UString::npos ? 0 : lastFit + 1;
            const size_t bar = work.find('|', from);
            const size_t space = work.find(' ', from);
            const bool forced = bar != UString::npos && (space == UString::npos || bar < space);
            const size_t candidate = forced ? bar : space;
            if (candidate == UString::npos) {
                cut = work.size() - 1;
                break;
            }
            if (markupWidth(UString(work, 0, candidate)) > maxWidth) {
                cut = lastFit != UString::npos && lastFit > 0 ? lastFit : candidate;
                break;
            }
            lastFit = candidate;
            if (forced) {
                cut = candidate;
                break;
            }
        }
        lines.emplace_back(work, 0, cut);
        work.erase(0, cut + 1);
    }
    return lines;
}
