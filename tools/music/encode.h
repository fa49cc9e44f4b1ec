// encode.h -- a demo's samples as MP3, the form every program carries and
// decodes with what its platform has.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// MPEG-1 layer III at 192 kbit/s, 48 kHz stereo, from 16-bit samples (left
// and right interleaved): the frames alone, no tags (no Xing or LAME info
// frame, so that no decoder trims anything by itself). `delay` is the
// number of sample frames a decoder gives before the first of the samples
// (the encoder's and the decoder's); `decoded` how many it gives in all
// (1152 a frame). False with `error` set to one line.
bool EncodeMp3(const std::vector<int16_t>& samples, std::string& mp3, int& delay, uint64_t& decoded,
               std::string& error);
