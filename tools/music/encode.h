// encode.h -- a demo's samples as MP3, the form the Windows programs carry
// and decode with the Audio Compression Manager.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// MPEG-1 layer III at 192 kbit/s, 48 kHz stereo, from 16-bit samples (left
// and right interleaved): the frames alone, no tags. `delay` is the number
// of sample frames a decoder gives before the first of the samples (the
// encoder's and the decoder's). False with `error` set to one line.
bool EncodeMp3(const std::vector<int16_t>& samples, std::string& mp3, int& delay,
               std::string& error);
