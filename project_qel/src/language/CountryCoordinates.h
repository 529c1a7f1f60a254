#pragma once
// Where each row of the country list lies on the globe: a representative
// point of the country (for most its capital) in degrees with two decimals,
// latitude north positive, longitude east positive. Row 0, no country,
// stands at (0, 0). Each row names the code it belongs to, which is the
// country list's code of the same row.
#include "language/CountryList.h"

struct CountryPoint {
    const char* code;
    float latitude;
    float longitude;
};

// The point of `row` (0 to 240); row 0's for a row outside the list.
const CountryPoint& getCountryPoint(int row);
