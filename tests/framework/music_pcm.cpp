// music_pcm.cpp -- the clock tests' music source: their samples
// (music_data.cpp) as they are.
#include "tests/framework/music_pcm.h"

#include <cstring>

#include "app/music_source.h"

int MUS_Open(void) {
    return 1;
}

int MUS_Read(uint32_t offset, uint8_t* out, uint32_t bytes) {
    memcpy(out, reinterpret_cast<const uint8_t*>(musicSamples) + offset, bytes);
    return 1;
}
