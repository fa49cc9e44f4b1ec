// png_file.h -- writes a 32-bit frame as an 8-bit RGB PNG, all or nothing.
#pragma once

#include <cstdint>
#include <string>

// Writes the width x height frame (pixels 0x??RRGGBB, the top byte dropped)
// to `path` through a temporary file in the same folder, renamed over `path`
// once complete. Returns false with `error` set to one line, and leaves no
// file behind, when the file cannot be written.
bool WritePngFile(const std::string& path, const uint32_t* frame, int width, int height,
                  std::string& error);
