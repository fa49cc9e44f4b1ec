// inflate.h -- zlib's format inflated (stb_image's decoder, the same code on
// every build), for what ffx_add_demo packs into the programs.
#pragma once

#include <cstdint>
#include <vector>

// False when `bytes` are not a whole zlib stream.
bool COM_Inflate(const char* bytes, uint32_t size, std::vector<uint8_t>& out);
