// copy.h -- what the effects' benchmarks share: the frame's size, and
// BM_CopyFrame (one copy of a whole 32-bit frame), registered by copy.cpp in
// every benchmark linked with it.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>

#include "ffxdemo.h"

// width x height.
size_t Pixels();
