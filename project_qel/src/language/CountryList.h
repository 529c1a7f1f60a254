#pragma once
// The rows of the country chooser and the order in which it lists them.
//
// Row 0 means "no country" (code "--", text COUNTRYNONE); rows 1 to 240 are
// the countries in identifier order, so the text of row r is identifier
// COUNTRYNONE + r and its code the two letters that end that identifier's
// name. The chooser lists the rows by position: position 0 is row 0, the
// positions 1 to 240 hold the rows sorted by code in byte order (AD, AE,
// AF, ... ZW), whatever the language.
#include "language/Language.h"

inline constexpr int COUNTRY_ROWS = 241;

// The two code letters of `row` ("--" for row 0); null outside the rows.
const char* getCountryCode(int row);
// The text identifier of `row`: COUNTRYNONE + row.
Language::StringsEnum getCountryTextId(int row);
// The row listed at `position` (0 to 240); -1 outside the list.
int getCountryRowAt(int position);
// The position the chooser moves to when `typed` is pressed at `position`:
// the first position after it (240 wraps to 0) whose code starts with a
// character that, in lower case, equals `typed`; `position` itself when no
// code matches.
int findCountryByLetter(int position, char typed);
