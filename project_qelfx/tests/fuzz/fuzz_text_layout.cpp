// Arbitrary bytes through the text walk of the fonts and the layout of
// dialog texts: escapes past the symbol table or cut by the end, markers
// with short tails, long words and runs of breaks. The first byte picks the
// width limit.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "graphics/FontSymbols.h"
#include "text/TextMarkup.h"

namespace {

SymbolExtent extentOf(u16 s)
{
    return SymbolExtent{s == ' ' ? 4 : static_cast<i32>(s % 13) + 1, static_cast<i32>(s % 7)};
}

int markupWidth(const UString& text)
{
    return measureMarkupRuns(text, [](const UString& run) { return measureSymbols(run, nullptr, extentOf); })
        .width;
}

// Whether every complete marker holds markup that can be read.
bool readableMarkup(const UString& text)
{
    for (size_t at = text.find('\x1E'); at != UString::npos; at = text.find('\x1E', at + 1)) {
        if (text.size() - (at + 1) >= FONT_STYLE_LENGTH &&
            (text[at + 1] != '{' || !std::isxdigit(static_cast<unsigned char>(text[at + 2])))) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    const int limit = data[0];
    const UString text(reinterpret_cast<const char*>(data + 1), size - 1);
    i32 cut = limit;
    const TextSize size1 = measureSymbols(text, &cut, extentOf);
    // A text that fits leaves the limit alone; else it names a byte of it.
    if (size1.width > limit || (cut != limit && cut >= static_cast<i32>(text.size()))) {
        std::abort();
    }
    if (text.size() > 3) {
        const int split = fontSplitIndex(text);
        if (split <= 0 || split >= static_cast<int>(text.size())) {
            std::abort();
        }
    }
    for (const UString& line : wrapText(text, limit, markupWidth)) {
        if (readableMarkup(line)) {
            splitStyledRuns(line);
        }
    }
    return 0;
}
