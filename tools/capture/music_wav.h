// music_wav.h -- the music of a PNG sequence, as DIR/music.wav beside its
// frames, for an editor to put them together.
#pragma once

#include <cstdint>
#include <string>

#include "tools/capture/options.h"

// Writes `frames` sample frames of the music (48 kHz, 16-bit stereo) to
// `path` under the output rules. False with `error` set to one line.
bool WriteMusicWav(const std::string& path, const CaptureMusic& music, uint64_t frames,
                   std::string& error);
