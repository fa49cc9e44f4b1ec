// random_test.cpp -- the generator's constants and first values.
#include <gtest/gtest.h>

#include "effect/random.h"

TEST(Random, FirstValuesFromSeedOne) {
    randState = 1;
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected)
        EXPECT_EQ(FFX_Rand(), value);
}

TEST(Random, StateIsTheFullThirtyTwoBitProduct) {
    randState = 1;
    FFX_Rand();
    EXPECT_EQ(randState, 1u * 214013u + 2531011u);
    randState = 0xFFFFFFFFu; // wraps modulo 2^32
    EXPECT_EQ(FFX_Rand(), static_cast<int>(((0xFFFFFFFFu * 214013u + 2531011u) >> 16) & 0x7FFF));
    EXPECT_EQ(randState, 0xFFFFFFFFu * 214013u + 2531011u);
}
