// The engine's one random source: rand() until something else is
// installed, the fraction and modulo forms taken from one draw each, and a
// script consumed in order.
#include <gtest/gtest.h>

#include <cstdlib>

#include "math/RandomSource.h"
#include "support/ScriptedRandom.h"

TEST(RandomSource, FollowsRandUntilAGeneratorIsInstalledAndAfterItIsRemoved)
{
    std::srand(31);
    const int a = std::rand();
    const int b = std::rand();
    std::srand(31);
    EXPECT_EQ(RandomSource::next(), a);
    {
        ScriptedRandom script{5, 6};
        EXPECT_EQ(RandomSource::next(), 5);
        EXPECT_EQ(RandomSource::next(), 6);
    }
    EXPECT_EQ(RandomSource::next(), b) << "the script took no draw from rand()";
}

TEST(RandomSource, FractionAndModuloTakeOneDrawEach)
{
    ScriptedRandom script{0x12345, 0xFFFF, 0, 17, 17};
    EXPECT_DOUBLE_EQ(RandomSource::fraction(), 0x2345 / 65536.0) << "only the low 16 bits count";
    EXPECT_DOUBLE_EQ(RandomSource::fraction(), 65535 / 65536.0);
    EXPECT_DOUBLE_EQ(RandomSource::fraction(), 0.0);
    EXPECT_EQ(RandomSource::below(5), 2);
    EXPECT_EQ(RandomSource::below(17), 0);
    EXPECT_EQ(script.left(), 0);
}
