// levels.h -- the music's loudness a hundred times a second, overall and in
// eight bands from bass to treble, from the samples the programs play.
#pragma once

#include <cstdint>
#include <vector>

constexpr uint32_t kLevelBands = 8;
constexpr uint32_t kLevelsPerSecond = 100;

// kLevelBands + 1 values a step (the bands, bass first, then overall), each
// 0 to 255 for -60 to 0 dB of full scale; one step each 1/100 s of the
// 48 kHz stereo `samples`. Empty when FFmpeg's transform cannot be made.
std::vector<uint8_t> MusicLevels(const std::vector<int16_t>& samples);
