// score_test.cpp -- the groove's score (ffxcompose groove: a swing of
// speeds 3 and 9, a tempo change, a pattern loop, a pattern delay and a
// break) as ffx_add_demo compiles it: every row where libopenmpt itself
// puts it, the position and notes at any time, and sync keys on its rows.
#include <gtest/gtest.h>

#include <libopenmpt/libopenmpt.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <set>
#include <utility>
#include <vector>

#include "common/elapsed.h"
#include "common/score.h"
#include "common/track.h"
#include "ffxdemo.h"

namespace {

float RowSeconds(uint32_t row) {
    return static_cast<float>(SCO_SecondsAtRow(row));
}

} // namespace

uint32_t Frames(uint32_t row) { // how long played row `row` lasts
    return static_cast<uint32_t>(std::lround((SCO_SecondsAtRow(row + 1) - SCO_SecondsAtRow(row)) * kScoreRate));
}

// Each row as the module plays it: a tick is 2.5 s / BPM (960 frames at
// 125 BPM, 800 at 150), a row `speed` ticks.
TEST(Score, RowsLastAsTheModulesSpeedTempoLoopDelayAndBreakSay) {
    ASSERT_EQ(scoreRowCount, 160u); // 64 + 40 and 8 looped + 48 from the break
    EXPECT_EQ(Frames(0), 9u * 960);  // the swing: 9 ticks,
    EXPECT_EQ(Frames(1), 3u * 960);  // then 3
    EXPECT_EQ(Frames(62), 9u * 960);
    EXPECT_EQ(Frames(65), 6u * 800); // 150 BPM at speed 6
    const auto at = [](uint32_t row) { return FFX_MusicPosition(RowSeconds(row) + 1e-4f); };
    // Rows 8 to 11 of order 1 three times, then row 12.
    for (uint32_t pass = 0; pass < 3; ++pass)
        for (int32_t row = 8; row <= 11; ++row)
            EXPECT_EQ(at(64 + 8 + pass * 4 + (row - 8)).row, row) << "pass " << pass;
    EXPECT_EQ(at(84).row, 12);
    EXPECT_EQ(at(92).row, 20);
    EXPECT_EQ(Frames(92), 5u * 6 * 800); // held 4 rows longer
    // The break after row 39: order 2 from its row 16.
    EXPECT_EQ(at(111).row, 39);
    EXPECT_EQ(at(112).order, 2);
    EXPECT_EQ(at(112).row, 16);
}

// libopenmpt's own time of each (order, row), first time played, against
// the compiled start. Its seek puts a tempo change in force from the row's
// first tick, its playback from the second, so rows after one are a tick
// of the old tempo apart: the compiled rows are the playback's.
TEST(Score, EveryRowStartsWithinATickOfLibopenmptsOwnTime) {
    std::ifstream file(FFX_GROOVE, std::ios::binary);
    const std::vector<char> data((std::istreambuf_iterator<char>(file)), {});
    openmpt_module* module = openmpt_module_create_from_memory2(
        data.data(), data.size(), openmpt_log_func_silent, nullptr, nullptr, nullptr, nullptr,
        nullptr, nullptr);
    ASSERT_NE(module, nullptr);
    std::set<std::pair<int32_t, int32_t>> seen;
    for (uint32_t i = 0; i < scoreRowCount; ++i) {
        const FFX_Position at = FFX_MusicPosition(RowSeconds(i) + 1e-4f);
        ASSERT_EQ(at.playedRow, static_cast<int32_t>(i));
        if (!seen.insert({at.order, at.row}).second) continue; // a looped row: its first time
        const double own = openmpt_module_set_position_order_row(module, at.order, at.row);
        const double apart = SCO_SecondsAtRow(i) * kScoreRate - own * kScoreRate;
        const bool before = at.order == 0 || (at.order == 1 && at.row == 0);
        EXPECT_NEAR(apart, before ? 0.0 : 160.0, 1.0) << "order " << at.order << " row " << at.row;
    }
    openmpt_module_destroy(module);
}

TEST(Score, PositionAndNotesInTheMiddleOfARowAndPastTheEnds) {
    const float third = RowSeconds(70) + 0.03f;
    const FFX_Position at = FFX_MusicPosition(third);
    EXPECT_EQ(at.order, 1);
    EXPECT_EQ(at.pattern, 1);
    EXPECT_EQ(at.row, 6);
    EXPECT_NEAR(at.sinceRow, 0.03f, 1e-4f);
    EXPECT_EQ(FFX_MusicChannels(), 4);
    // Channel 0's bass strikes every fourth row: the last on row 4 of order 1.
    const FFX_Note bass = FFX_ChannelNote(0, third);
    EXPECT_GT(bass.note, 0);
    EXPECT_EQ(bass.instrument, 1);
    EXPECT_NEAR(bass.since, third - RowSeconds(68), 1e-4f);
    EXPECT_EQ(FFX_ChannelNote(0, -1.0f).note, 0);
    EXPECT_EQ(FFX_ChannelNote(7, third).note, 0);
    const FFX_Position end = FFX_MusicPosition(1000.0f);
    EXPECT_EQ(end.playedRow, 159);
    EXPECT_EQ(end.order, 2);
}

TEST(Score, LevelsAreBetweenNoneAndFullAndMoveWithTheMusic) {
    float loudest = 0;
    for (float t = 0; t < 17.0f; t += 0.01f)
        for (int band = 0; band <= FFX_ALL_BANDS; ++band) {
            const float level = FFX_MusicLevel(t, band);
            ASSERT_GE(level, 0.0f);
            ASSERT_LE(level, 1.0f);
            loudest = std::max(loudest, level);
        }
    EXPECT_GT(loudest, 0.3f);
    EXPECT_EQ(FFX_MusicLevel(1.0f, 9), 0.0f);
    // Interpolated between steps: halfway is the mean of the two.
    const float a = FFX_MusicLevel(2.00f, FFX_ALL_BANDS), b = FFX_MusicLevel(2.01f, FFX_ALL_BANDS);
    EXPECT_NEAR(FFX_MusicLevel(2.005f, FFX_ALL_BANDS), (a + b) / 2, 1e-3f);
    EXPECT_GT(FFX_ChannelLevel(0, RowSeconds(0) + 0.02f), 0.0f);
}

// groove.rocket keys rows 0 (0, linear), 64 (1, step) and 67 (3): the
// module's own rows, the swing's long and short ones alike.
TEST(Score, SyncKeysSitOnTheModulesOwnRows) {
    const FFX_Track* track = FFX_GetTrack("groove:value");
    EXPECT_EQ(FFX_TrackValue(track, RowSeconds(64)), 1.0f);
    EXPECT_EQ(FFX_TrackValue(track, RowSeconds(67)), 3.0f);
    EXPECT_EQ(FFX_TrackValue(track, RowSeconds(66) + 0.01f), 1.0f);
    // Halfway through row 1 (a row of 9 ticks) is row 1.5 of 64.
    const float half = static_cast<float>((SCO_SecondsAtRow(1) + SCO_SecondsAtRow(2)) / 2);
    EXPECT_NEAR(FFX_TrackValue(track, half), 1.5f / 64, 1e-4f);
    EXPECT_EQ(TRK_RowMs(64), static_cast<uint32_t>(std::ceil(SCO_SecondsAtRow(64) * 1000)));
}

// The live program's seek to an editor's row: the millisecond it moves to
// shows that row, every row of the groove, however short.
TEST(Score, ASeekToARowLandsOnThatRow) {
    for (uint32_t row = 0; row < scoreRowCount; ++row) {
        const float seconds = COM_MsToSeconds(TRK_RowMs(row));
        EXPECT_EQ(static_cast<uint32_t>(std::floor(TRK_RowAt(seconds))), row) << "row " << row;
        EXPECT_EQ(FFX_MusicPosition(seconds).playedRow, static_cast<int32_t>(row)) << "row " << row;
    }
}
