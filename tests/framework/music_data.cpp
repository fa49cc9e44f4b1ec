// music_data.cpp -- the music of the music clock's tests: 0.75 s (36000
// sample frames) in which every frame differs, left rising from -18000 and
// right falling from 17999, so a frame out of place or missing shows.
// Compiled once with MUSIC_LOOP 0 and once with 1.
#include "tests/framework/music_pcm.h"

// FRAMES_1000(n) expands to frames n*1000 .. n*1000 + 999 (n from 10, so
// that no pasted number starts with 0); frame 10000 is the first.
#define FRAME(n) int16_t((n)-28000), int16_t(27999 - (n))
#define FRAMES_10(n)                                                                               \
    FRAME(n##0), FRAME(n##1), FRAME(n##2), FRAME(n##3), FRAME(n##4), FRAME(n##5), FRAME(n##6),     \
        FRAME(n##7), FRAME(n##8), FRAME(n##9)
#define FRAMES_100(n)                                                                              \
    FRAMES_10(n##0), FRAMES_10(n##1), FRAMES_10(n##2), FRAMES_10(n##3), FRAMES_10(n##4),           \
        FRAMES_10(n##5), FRAMES_10(n##6), FRAMES_10(n##7), FRAMES_10(n##8), FRAMES_10(n##9)
#define FRAMES_1000(n)                                                                             \
    FRAMES_100(n##0), FRAMES_100(n##1), FRAMES_100(n##2), FRAMES_100(n##3), FRAMES_100(n##4),      \
        FRAMES_100(n##5), FRAMES_100(n##6), FRAMES_100(n##7), FRAMES_100(n##8), FRAMES_100(n##9)

const int16_t musicSamples[] = {
    FRAMES_1000(10), FRAMES_1000(11), FRAMES_1000(12), FRAMES_1000(13), FRAMES_1000(14),
    FRAMES_1000(15), FRAMES_1000(16), FRAMES_1000(17), FRAMES_1000(18), FRAMES_1000(19),
    FRAMES_1000(20), FRAMES_1000(21), FRAMES_1000(22), FRAMES_1000(23), FRAMES_1000(24),
    FRAMES_1000(25), FRAMES_1000(26), FRAMES_1000(27), FRAMES_1000(28), FRAMES_1000(29),
    FRAMES_1000(30), FRAMES_1000(31), FRAMES_1000(32), FRAMES_1000(33), FRAMES_1000(34),
    FRAMES_1000(35), FRAMES_1000(36), FRAMES_1000(37), FRAMES_1000(38), FRAMES_1000(39),
    FRAMES_1000(40), FRAMES_1000(41), FRAMES_1000(42), FRAMES_1000(43), FRAMES_1000(44),
    FRAMES_1000(45),
};
const uint32_t musicFrames = sizeof(musicSamples) / sizeof(musicSamples[0]) / MUS_CHANNELS;
const int32_t musicLoop = MUSIC_LOOP;

static_assert(sizeof(musicSamples) == 36000 * MUS_CHANNELS * sizeof(int16_t), "0.75 s");
