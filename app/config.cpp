// config.cpp -- the configuration's values.
#include "app/config.h"

const int32_t width = 640;
const int32_t height = 480;
const int32_t depth = 32;
