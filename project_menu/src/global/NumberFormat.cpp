#include "global/NumberFormat.h"

#include "engine/Qel.h"
#include "language/Language.h"
#include "system/StringUtils.h"

UString formatNumber(i32 value)
{
    UString text = formatString("%d", value);
    if (text.size() < 4 || g_qel == nullptr || g_qel->language == nullptr) {
        return text;
    }
    const UString separator = g_qel->language->getText(Language::THOUSANDSEPARATOR);
    // Never between a minus sign and the first digit.
    const size_t firstDigit = text[0] == '-' ? 1 : 0;
    for (size_t back = 3; back < text.size() - firstDigit; back += 3 + separator.size()) {
        text.insert(text.size() - back, separator);
    }
    return text;
}
