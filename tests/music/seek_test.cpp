// seek_test.cpp -- reads anywhere in four minutes of music (the examples'
// suite) give the samples of a decoding from the start, sample for sample:
// the codec started again a few frames before the place skips the same
// delay and throws away what it decodes before.
#include <gtest/gtest.h>

#include <vector>

#include "app/music_source.h"
#include "common/music.h"

namespace {

std::vector<uint8_t> Read(uint32_t frame, uint32_t count) {
    std::vector<uint8_t> bytes(static_cast<size_t>(count) * 4);
    EXPECT_EQ(MUS_Read(frame * 4, bytes.data(), count * 4), 1);
    return bytes;
}

TEST(MusicSeeking, ReadsAnywhereGiveTheSamplesOfADecodingFromTheStart) {
    ASSERT_GT(musicFrames, 200u * MUS_RATE);
    ASSERT_EQ(MUS_Open(), 1);
    const std::vector<uint8_t> whole = Read(0, musicFrames);
    // Within the frames decoded before a place, on an MP3 frame's first
    // sample and its last, a prime stride through the whole, the end.
    std::vector<uint32_t> places = {1,
                                    1151,
                                    1152 * 3 - musicCodedDelay,
                                    1152 * 5,
                                    1152 * 5 - musicCodedDelay - 1,
                                    musicFrames - 500};
    for (uint32_t at = 7919; at < musicFrames - 500; at += 1000003)
        places.push_back(at);
    for (uint32_t at : places) {
        const std::vector<uint8_t> read = Read(at, 500);
        EXPECT_TRUE(std::equal(read.begin(), read.end(), whole.begin() + at * 4))
            << "500 sample frames from " << at;
    }
}

} // namespace
