// decode.h -- any audio file FFmpeg's libraries read (tracker modules
// through libopenmpt among them) decoded into the samples a demo plays.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// 16-bit samples, left and right interleaved, at 48 kHz. False with `error`
// set to one line (the reason, without the file's name) when the file cannot
// be read or decoded, or holds no sound.
bool DecodeMusic(const std::string& path, std::vector<int16_t>& samples, std::string& error);
