// music_pcm.h -- the clock tests' music: 16-bit samples, two channels
// interleaved, played as they are (music_pcm.cpp).
#pragma once

#include "common/music.h"

extern const int16_t musicSamples[]; // musicFrames x MUS_CHANNELS values
