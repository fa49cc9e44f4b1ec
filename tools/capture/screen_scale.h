// screen_scale.h -- a demo's frames as a screen of another size shows them:
// the limiting side filled, aspect kept, centred on black, with sharp
// pixels: at a whole scale by nearest neighbour; between whole scales, by
// nearest neighbour to the next whole scale, then smoothly down to the
// picture's size. The screen is in 32-bit BGR0 (0x00RRGGBB words) or in
// studio-range BT.601 yuv420p, for the video encoders.
#pragma once

extern "C" {
#include <libavutil/pixfmt.h>
}

#include <cstdint>
#include <string>
#include <vector>

struct SwsContext;

// Where the picture lies on the screen and the whole scale it is made from.
struct ScreenFit {
    int left = 0, top = 0, width = 0, height = 0;
    int whole = 1;       // the nearest-neighbour factor, before the smooth step
    bool smooth = false; // whether the smooth step is needed at all
};

// The fit of a frameWidth x frameHeight frame on a screenWidth x screenHeight
// screen (all sides 1 or more). With `evenCorner` (yuv420p, whose colour is
// a sample per 2 x 2 pixels) the picture's corner is on even coordinates.
ScreenFit FitOnScreen(int frameWidth, int frameHeight, int screenWidth, int screenHeight,
                      bool evenCorner = false);

class ScreenScaler {
  public:
    ScreenScaler() = default;
    ScreenScaler(const ScreenScaler&) = delete;
    ScreenScaler& operator=(const ScreenScaler&) = delete;
    ~ScreenScaler();

    // `format` is AV_PIX_FMT_BGR0 or AV_PIX_FMT_YUV420P. False with `error`
    // set when libswscale cannot do the step.
    bool Open(int frameWidth, int frameHeight, int screenWidth, int screenHeight,
              AVPixelFormat format, std::string& error);

    // Draws the screen showing `frame` (pixels 0x??RRGGBB) into `planes`.
    void Show(const uint32_t* frame, uint8_t* const planes[], const int pitches[]);

  private:
    void Bars(uint8_t* const planes[], const int pitches[]) const;

    int frameWidth_ = 0, frameHeight_ = 0, screenWidth_ = 0, screenHeight_ = 0;
    AVPixelFormat format_ = AV_PIX_FMT_BGR0;
    ScreenFit fit_;
    std::vector<uint32_t> whole_; // the frame at the whole scale, when that is not the end
    SwsContext* step_ = nullptr;  // to the picture's size and the screen's format
};

// The frames as a 32-bit screen of screenWidth x screenHeight, for the PNG
// outputs: the frame itself where that is its own size.
class RgbScreen {
  public:
    bool Open(int frameWidth, int frameHeight, int screenWidth, int screenHeight,
              std::string& error);
    const uint32_t* Show(const uint32_t* frame);

  private:
    bool same_ = true;
    int width_ = 0;
    std::vector<uint32_t> pixels_;
    ScreenScaler scaler_;
};
