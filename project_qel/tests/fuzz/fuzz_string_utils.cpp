// Arbitrary bytes through the text helpers that read configuration values,
// network replies and console input.
#include <cstddef>
#include <cstdint>

#include "system/StringUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    UString text(reinterpret_cast<const char*>(data), size);
    parseInt(text);
    parseDouble(text);
    UString copy = text;
    trim(copy);
    toLowerCase(copy);
    toUpperCase(copy);
    if (size > 2) {
        UString search(text, 0, size % 3);
        UString replaced = text;
        replaceAll(replaced, search, "ab");
    }
    formatString("%s|%.*s", text.c_str(), static_cast<int>(size), text.data());
    UString lines = text;
    while (!lines.empty()) {
        extractLine(lines);
    }
    return 0;
}
