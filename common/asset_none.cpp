// asset_none.cpp -- the pictures and fonts of a demo that declares none.
#include "common/asset.h"

const IMG_Data imageData[] = {{"", 0, 0, 0, 0, nullptr, nullptr, 0}};
const uint32_t imageCount = 0;
const FNT_Data fontData[] = {{"", 0, 0, nullptr, nullptr, 0, nullptr, 0}};
const uint32_t fontCount = 0;
