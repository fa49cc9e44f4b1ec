// pngread.h -- loads a screenshot (any PNG) as 0x00RRGGBB pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Fills pixels (row-major) and the size; on failure returns false and sets
// error.
bool ReadPng(const std::string& path, std::vector<uint32_t>& pixels, int& w, int& h,
             std::string& error);
