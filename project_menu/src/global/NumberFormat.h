#pragma once
// Numbers as the menus show them.
#include "system/QelTypes.h"
#include "system/UString.h"

// The number in decimal, with the current language's thousands separator
// before every third digit from the right.
UString formatNumber(i32 value);
