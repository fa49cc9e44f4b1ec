// music_pcm.cpp -- the music's samples as the program carries them.
#include "app/music_source.h"

#include <cstring>

#include "common/music.h"

int MUS_Open(void) {
    return 1;
}

int MUS_Read(uint32_t offset, uint8_t* out, uint32_t bytes) {
    memcpy(out, reinterpret_cast<const uint8_t*>(musicSamples) + offset, bytes);
    return 1;
}
