// track_test.cpp -- the sync tracks of tracks.rocket, compiled as a demo's
// are (120 BPM, 4 rows a beat: 8 rows a second), and their values.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "common/track.h"
#include "ffxdemo.h"

namespace {

float At(const char* name, float seconds) {
    return FFX_TrackValue(FFX_GetTrack(name), seconds);
}

TEST(SyncTracks, EachInterpolationBetweenItsKeys) {
    EXPECT_EQ(At("test:step", 1.5f), 1.0f);        // row 12: the key's value
    EXPECT_EQ(At("test:linear", 1.5f), 2.0f);      // row 12: half way
    EXPECT_EQ(At("test:smooth", 0.25f), 0.15625f); // row 2: t = 1/4, t^2 (3 - 2t)
    EXPECT_EQ(At("test:ramp", 0.5f), 0.5f);        // row 4: t = 1/2, 2 t^2
    EXPECT_EQ(At("test:step", 2.0f), 3.0f);        // on a key: its value
}

TEST(SyncTracks, BeforeTheFirstKeyAndAfterTheLast) {
    EXPECT_EQ(At("test:step", 0.0f), 1.0f);
    EXPECT_EQ(At("test:linear", 0.5f), 0.0f);
    EXPECT_EQ(At("test:step", 600.0f), 3.0f);
    EXPECT_EQ(At("test:linear", 600.0f), 4.0f);
}

TEST(SyncTracks, ATrackWithoutKeysOrNotInTheFileIsZeroAndNeverNull) {
    EXPECT_EQ(At("test:none", 1.0f), 0.0f);
    ASSERT_NE(FFX_GetTrack("test:typo"), nullptr);
    EXPECT_EQ(At("test:typo", 1.0f), 0.0f);
    EXPECT_EQ(FFX_GetTrack("test:linear"), FFX_GetTrack("test:linear"));
    EXPECT_NE(FFX_GetTrack("test:linear"), FFX_GetTrack("test:step"));
}

// The search that starts from the key found last finds the key a search
// from scratch finds, frame after frame and across jumps either way.
TEST(SyncTracks, TheKeyFoundLastNeverChangesTheValue) {
    std::vector<TRK_Key> keys;
    for (uint32_t i = 0; i < 64; ++i)
        keys.push_back(TRK_Key{i * 8 + i % 3, static_cast<float>(i % 5) - 2.0f,
                               static_cast<TRK_Interpolation>(i % 4)});
    std::mt19937 random(1);
    std::uniform_real_distribution<double> anywhere(-10.0, 530.0);
    uint32_t last = 0;
    double row = 0.0;
    for (int i = 0; i < 4000; ++i) {
        row = i % 50 ? row + 0.13 : anywhere(random); // frames on, and a jump
        uint32_t fresh = 0;
        ASSERT_EQ(TRK_Value(keys.data(), 64, row, last), TRK_Value(keys.data(), 64, row, fresh))
            << "at row " << row;
    }
}

} // namespace
