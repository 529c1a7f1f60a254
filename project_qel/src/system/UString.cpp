#include "system/UString.h"

u32 hashUString(const UString& text)
{
    u32 h = 0;
    for (char c : text) {
        if (c == '\0') {
            break;
        }
        h = 5 * h + static_cast<u32>(static_cast<i32>(static_cast<signed char>(c)));
    }
    return h;
}
