// config32.cpp -- the frame the depth-32 drawing tests draw into.
#include "ffxdemo.h"

const int32_t width = 8;
const int32_t height = 6;
const int32_t depth = 32;
