// click_test.cpp -- the music decoded from its MP3 starts where the music
// starts: click.flac (1 s) has a click at sample frame 1000 and one at 40000,
// left up and right down, silence elsewhere.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "app/music_source.h"
#include "common/music.h"

namespace {

// Sample frames from `from`, `count` of them, read in pieces of `piece`
// frames (the clock reads a few milliseconds at a time).
std::vector<int16_t> Read(uint32_t from, uint32_t count, uint32_t piece) {
    std::vector<int16_t> samples(static_cast<size_t>(count) * MUS_CHANNELS);
    for (uint32_t at = 0; at < count; at += piece) {
        const uint32_t n = std::min(piece, count - at);
        EXPECT_EQ(MUS_Read((from + at) * 4, reinterpret_cast<uint8_t*>(&samples[at * 2]), n * 4),
                  1);
    }
    return samples;
}

// The frame of the loudest left sample in [from, to).
uint32_t Peak(const std::vector<int16_t>& samples, uint32_t from, uint32_t to) {
    uint32_t peak = from;
    for (uint32_t i = from; i < to; ++i)
        if (std::abs(samples[i * 2]) > std::abs(samples[peak * 2])) peak = i;
    return peak;
}

TEST(MusicDecoding, ClicksLandOnTheirSampleFrames) {
    ASSERT_EQ(musicFrames, 48000u);
    ASSERT_EQ(MUS_Open(), 1);
    const std::vector<int16_t> music = Read(0, musicFrames, musicFrames);
    EXPECT_EQ(Peak(music, 0, 20000), 1000u);
    EXPECT_EQ(Peak(music, 20000, musicFrames), 40000u);
    EXPECT_GT(music[1000 * 2], 10000);      // left up
    EXPECT_LT(music[1000 * 2 + 1], -10000); // right down
    // Silence before the first click: nothing of the encoder's delay left.
    EXPECT_LT(std::abs(music[500 * 2]), 64);
}

TEST(MusicDecoding, PiecesAndStartsAgainGiveTheSameSamples) {
    ASSERT_EQ(MUS_Open(), 1);
    const std::vector<int16_t> whole = Read(0, musicFrames, musicFrames);
    // In the clock's pieces, to the end and from the start again (a loop),
    // then from a place the last read did not end at (a seek).
    EXPECT_EQ(Read(0, musicFrames, 441), whole);
    EXPECT_EQ(Read(0, 2000, 300), std::vector<int16_t>(whole.begin(), whole.begin() + 4000));
    EXPECT_EQ(Read(39000, 2000, 500),
              std::vector<int16_t>(whole.begin() + 78000, whole.begin() + 82000));
}

} // namespace
