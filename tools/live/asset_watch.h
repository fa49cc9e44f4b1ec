// asset_watch.h -- live reload of a demo's pictures and fonts: a thread
// that notices a saved one, decodes or rasterises it as the build does
// (tools/assets), and hands it to the frame loop; a broken save keeps the
// last good one and says why.
#pragma once

#include <string>
#include <vector>

// Starts watching (polled ten times a second) the pictures `images` and the
// fonts `fonts` (NAME=FILE:SIZE) of a demo of `depth`.
void LIVE_WatchAssets(int depth, const std::vector<std::string>& images,
                      const std::vector<std::string>& fonts);

// Between two frames: the pictures and fonts saved since take the place of
// the ones the effect holds.
void LIVE_TakeAssets(void);
