// palette.h -- the palette of the depth-8 path and the conversion of a frame
// of palette indices to 32-bit pixels through it. Shared by the display's
// transfer and the offline tools, so it declares nothing of Windows.
#pragma once

#include <cstdint>

#include "ffxdemo.h"

// 256 32-bit pixel values; all zero until DDRAW_SetPalette.
extern uint32_t palette[256];

// dest[i] = palette[source[i]] for every pixel of a width x height frame.
void DDRAW_ConvertIndexed(uint32_t* dest, const uint8_t* source);
