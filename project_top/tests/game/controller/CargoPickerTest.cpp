// The picker's choices on a scripted random source: the draws each choice
// takes and what the drawn fractions and remainders give.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "game/controller/CargoPicker.h"
#include "support/ScriptedRandom.h"

namespace {
int fraction(double u)
{
    return ScriptedRandom::ofFraction(u);
}
} // namespace

TEST(CargoPicker, AForcedTypeComesFirstThenTheWeightsChoose)
{
    CargoPicker picker;
    picker.typeWeights[0] = 1.0f;
    picker.typeWeights[5] = 2.0f;
    picker.typeWeights[9] = 1.0f;
    picker.forcedType = 18;
    picker.forcedCount = 3;
    ScriptedRandom script{fraction(0.0), fraction(0.3), fraction(0.9), fraction(0.999)};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(picker.pickCargoType(), 18);
    }
    EXPECT_EQ(script.taken(), 0) << "a forced type draws nothing";
    EXPECT_EQ(picker.forcedCount, 0);
    // Sum 4: x = 0, 1.2, 3.6 and 3.996 fall to the types 0, 5, 9 and 9.
    for (int expected : {0, 5, 9, 9}) {
        EXPECT_EQ(picker.pickCargoType(), expected);
    }
    EXPECT_TRUE(picker.hasTypeWeights());

    // No forced type: the count is ignored. No weights: type 0.
    picker.reset();
    picker.forcedCount = 2;
    script.add({fraction(0.5)});
    EXPECT_FALSE(picker.hasTypeWeights());
    EXPECT_EQ(picker.pickCargoType(), 0);
    EXPECT_EQ(picker.forcedCount, 2);
    EXPECT_EQ(script.left(), 0);
}

TEST(CargoPicker, CarTypesAndEnabledColoursFollowTheDraws)
{
    CargoPicker picker;
    picker.carTypeWeights[1] = 3.0f;
    picker.carTypeWeights[3] = 1.0f;
    ScriptedRandom script{fraction(0.0), fraction(0.74), fraction(0.75)};
    EXPECT_EQ(picker.pickCarType(), 1);
    EXPECT_EQ(picker.pickCarType(), 1);
    EXPECT_EQ(picker.pickCarType(), 3);

    // Colours 2, 5 and 7: each remainder picks the colour with that many
    // enabled colours before it.
    picker.setColours(0b10100100);
    script.add({0, 1, 2, 3, 7});
    for (int expected : {2, 5, 7, 2, 5}) {
        EXPECT_EQ(picker.randomEnabledColour(), expected);
    }
    EXPECT_EQ(script.left(), 0);
    picker.setColours(0b1);
    EXPECT_FALSE(picker.colourEnabled[2]) << "a new mask replaces the set";
}

TEST(CargoPicker, OpenColoursByCountOrAlikeAndTheNearestByTruncatedDistance)
{
    CargoPicker picker;
    EXPECT_EQ(picker.pickOpenColour(true), 0);
    EXPECT_EQ(picker.randomOpenDock(), nullptr);
    EXPECT_EQ(picker.nearestColour(), 0);

    // Three docks want colour 2 and one wants colour 5; the list's entries
    // are only counted here.
    picker.openDocks.assign(4, nullptr);
    picker.openCount[2] = 3;
    picker.openCount[5] = 1;
    ScriptedRandom script{0, 2, 3, 4, 0, 1, 2};
    for (int expected : {2, 2, 5, 2}) {
        EXPECT_EQ(picker.pickOpenColour(true), expected);
    }
    for (int expected : {2, 5, 2}) {
        EXPECT_EQ(picker.pickOpenColour(false), expected);
    }
    EXPECT_TRUE(picker.isColourOpen(5));
    EXPECT_FALSE(picker.isColourOpen(4));

    for (const auto& [second, expected] : {std::tuple{10.3f, 0}, std::tuple{9.9f, 1}}) {
        picker.clearOpenDocks();
        picker.nearestDistance[0] = 10.7f;
        picker.nearestDistance[1] = second;
        EXPECT_EQ(picker.nearestColour(), expected) << second;
    }
    EXPECT_TRUE(picker.openDocks.empty());
    EXPECT_FALSE(picker.isColourOpen(2));
}
