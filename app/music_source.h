// music_source.h -- the music's samples as the music clock streams them:
// copied from those the program carries, or decoded from its MP3 (Windows).
#pragma once

#include <cstdint>

// Gets ready to read from the start; 0 when the music cannot be decoded.
int MUS_Open(void);

// Writes `bytes` bytes of the music's samples from byte `offset` on (within
// the music) to `out`. Reads on fastest from where the last read ended.
// Returns 0 when decoding fails.
int MUS_Read(uint32_t offset, uint8_t* out, uint32_t bytes);
