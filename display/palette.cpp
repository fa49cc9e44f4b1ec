// palette.cpp -- the 256-entry palette of the depth-8 path and the
// conversion of an index frame to 32-bit pixels through it.
#include <cstring>

#include "display/palette.h"

uint32_t palette[256];

void DDRAW_SetPalette(const uint32_t* source) {
    if (source != NULL) {
        memcpy(palette, source, sizeof(palette));
        return;
    }
    for (uint32_t i = 0; i < 256; i++)
        palette[i] = 0xFF000000u | (i << 16) | (i << 8) | i;
}

void DDRAW_ConvertIndexed(uint32_t* dest, const uint8_t* source) {
    for (int32_t i = 0; i < width * height; i++)
        dest[i] = palette[source[i]];
}
