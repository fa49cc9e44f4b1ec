// depth8_config.cpp -- the configuration of the depth-8 tests: palette
// indices in the frame buffer, shown through a 32-bit mode.
#include "ffxdemo.h"

const int32_t width = 640;
const int32_t height = 480;
const int32_t depth = 8;
extern const uint32_t demoLength;
const uint32_t demoLength = 0;
