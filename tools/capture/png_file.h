// png_file.h -- a 32-bit frame as an 8-bit RGB PNG file (libpng).
#pragma once

#include <cstdint>
#include <string>

class OutputFile;

// Encodes the width x height frame (pixels 0x??RRGGBB, the top byte dropped)
// and writes it to the opened `file`, then commits it. Returns false with
// `error` set to one line when encoding or writing fails; the caller's
// OutputFile then discards what was written.
bool WritePngFile(OutputFile& file, const uint32_t* frame, int width, int height,
                  std::string& error);
