// The points of the country rows on the globe.
#include <gtest/gtest.h>

#include <cmath>

#include "language/CountryCoordinates.h"

TEST(CountryCoordinates, EveryRowOfTheListHasAPointOnTheGlobeAndTheFixedRowsKeepTheirs)
{
    for (int row = 0; row < COUNTRY_ROWS; ++row) {
        const CountryPoint& point = getCountryPoint(row);
        EXPECT_STREQ(point.code, getCountryCode(row)) << row;
        EXPECT_GE(point.latitude, -90.0f) << point.code;
        EXPECT_LE(point.latitude, 90.0f) << point.code;
        EXPECT_GE(point.longitude, -180.0f) << point.code;
        EXPECT_LE(point.longitude, 180.0f) << point.code;
        // Two decimals.
        for (const float degrees : {point.latitude, point.longitude}) {
            EXPECT_NEAR(degrees * 100.0f, std::round(degrees * 100.0f), 1e-3f) << point.code;
        }
    }
    const struct {
        int row;
        const char* code;
        float latitude;
        float longitude;
    } fixed[] = {
        {0, "--", 0.00f, 0.00f},     {1, "AF", 34.46f, 69.18f},   {8, "AQ", -80.00f, 0.00f},
        {13, "AU", -34.75f, 149.13f}, {74, "FR", 48.83f, 2.33f},   {75, "FX", 48.83f, 2.33f},
        {224, "GB", 51.60f, 0.08f},  {225, "US", 40.51f, -76.96f},
    };
    for (const auto& f : fixed) {
        const CountryPoint& point = getCountryPoint(f.row);
        EXPECT_STREQ(point.code, f.code);
        EXPECT_EQ(point.latitude, f.latitude) << f.code;
        EXPECT_EQ(point.longitude, f.longitude) << f.code;
    }
    // Outside the list: no country.
    EXPECT_STREQ(getCountryPoint(-1).code, "--");
    EXPECT_STREQ(getCountryPoint(COUNTRY_ROWS).code, "--");
}
