// demo_length.h -- the demo's LENGTH (ffx_add_demo), in its configuration:
// where a demo without music ends. A demo with music ends at the music's
// end, which the build has already cut to the length.
#pragma once

#include <cstdint>

extern const uint32_t demoLength; // milliseconds; 0: none, the demo runs on
