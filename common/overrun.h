// overrun.h -- the one line that names an effect's write past its frame
// buffer, the same from the program and from the offline tools.
#pragma once

#include <cstddef>
#include <cstdint>

// Writes into `line` (at most `size` bytes, terminated) "the effect wrote
// past its frame buffer of W x H x B bytes in ENTRY", followed for
// FFX_Render by " at S.mmm s" from the frame's elapsed milliseconds. No
// allocation: callers run it in a fault handler.
void COM_OverrunLine(char* line, size_t size, int32_t width, int32_t height, int32_t depth,
                     const char* entry, uint32_t elapsedMs);
