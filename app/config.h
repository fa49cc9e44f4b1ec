// config.h -- the program's configuration: frame size and pixel depth.
// Fixed in initialised data (config.cpp); read by the shell, the display and
// the effect, written by nothing. Kept free of Windows declarations so the
// effect, its tests and the offline tools link without the framework.
#pragma once

#include <cstdint>

extern const int32_t width;  // pixels per row
extern const int32_t height; // rows
extern const int32_t depth;  // bits per pixel of frameBuffer
