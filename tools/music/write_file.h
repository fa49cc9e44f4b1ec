// write_file.h -- how the music tools write what they make: whole or not at
// all.
#pragma once

#include <string>

// Writes `text` to `path` through a temporary file renamed when complete;
// false (and nothing left behind) when it cannot.
bool WriteWholeFile(const std::string& path, const std::string& text);
