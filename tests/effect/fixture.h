// fixture.h -- puts the effect in its start-up state, so that tests pass both
// one per process (ctest) and all in one process.
#pragma once

#include <gtest/gtest.h>

#include "effect/ffx.h"

class EffectTest : public ::testing::Test {
  protected:
    void SetUp() override {
        randState = 1;
        scrollRow = 0;
        lastStepTime = 0.0f;
        ASSERT_EQ(FFX_Init(nullptr), 1);
    }
};
