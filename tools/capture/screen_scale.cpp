// screen_scale.cpp -- the screens' own scaling: nearest neighbour by whole
// factors (pixels repeated), then one libswscale step that scales down
// bilinearly and converts to the screen's format.
#include "tools/capture/screen_scale.h"

extern "C" {
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstring>

ScreenFit FitOnScreen(int frameWidth, int frameHeight, int screenWidth, int screenHeight,
                      bool evenCorner) {
    ScreenFit fit;
    const int64_t w = frameWidth, h = frameHeight;
    if (int64_t{screenWidth} * h <= int64_t{screenHeight} * w) { // the width limits
        fit.width = screenWidth;
        fit.height = static_cast<int>(std::max<int64_t>(1, (2 * h * screenWidth + w) / (2 * w)));
    } else {
        fit.height = screenHeight;
        fit.width = static_cast<int>(std::max<int64_t>(1, (2 * w * screenHeight + h) / (2 * h)));
    }
    fit.left = (screenWidth - fit.width) / 2;
    fit.top = (screenHeight - fit.height) / 2;
    if (evenCorner) {
        fit.left &= ~1;
        fit.top &= ~1;
    }
    while (fit.whole * w < fit.width || fit.whole * h < fit.height)
        ++fit.whole;
    fit.smooth = fit.whole * w != fit.width || fit.whole * h != fit.height;
    return fit;
}

ScreenScaler::~ScreenScaler() {
    sws_freeContext(step_);
}

bool ScreenScaler::Open(int frameWidth, int frameHeight, int screenWidth, int screenHeight,
                        AVPixelFormat format, std::string& error) {
    frameWidth_ = frameWidth;
    frameHeight_ = frameHeight;
    screenWidth_ = screenWidth;
    screenHeight_ = screenHeight;
    format_ = format;
    const bool yuv = format == AV_PIX_FMT_YUV420P;
    fit_ = FitOnScreen(frameWidth, frameHeight, screenWidth, screenHeight, yuv);
    const int k = fit_.whole;
    if (!yuv && !fit_.smooth) return true; // pixels repeated straight onto the screen
    if (k > 1) whole_.resize(static_cast<size_t>(frameWidth) * k * frameHeight * k);
    // At the picture's size, each colour sample the mean of its 2 x 2 pixels.
    step_ = sws_getContext(
        frameWidth * k, frameHeight * k, AV_PIX_FMT_BGR0, fit_.width, fit_.height, format,
        (fit_.smooth ? SWS_BILINEAR : SWS_AREA) | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
    if (!step_) {
        error = "cannot set up the scaling to the screen";
        return false;
    }
    if (yuv) {
        const int* bt601 = sws_getCoefficients(SWS_CS_ITU601);
        sws_setColorspaceDetails(step_, bt601, 1, bt601, 0, 0, 1 << 16, 1 << 16);
    }
    return true;
}

void ScreenScaler::Bars(uint8_t* const planes[], const int pitches[]) const {
    const bool yuv = format_ == AV_PIX_FMT_YUV420P;
    const int count = yuv ? 3 : 1;
    for (int p = 0; p < count; ++p) {
        const int shift = p ? 1 : 0, bytes = yuv ? 1 : 4;
        const uint8_t black = yuv ? (p ? 128 : 16) : 0;
        const int rows = (screenHeight_ + shift) >> shift, top = fit_.top >> shift;
        const int bottom = (fit_.top + fit_.height + shift) >> shift;
        const int left = (fit_.left >> shift) * bytes;
        const int right = ((fit_.left + fit_.width + shift) >> shift) * bytes;
        const int width = ((screenWidth_ + shift) >> shift) * bytes;
        for (int y = 0; y < rows; ++y) {
            uint8_t* row = planes[p] + static_cast<ptrdiff_t>(y) * pitches[p];
            if (y < top || y >= bottom) {
                std::memset(row, black, width);
            } else {
                std::memset(row, black, left);
                std::memset(row + right, black, width - right);
            }
        }
    }
}

void ScreenScaler::Show(const uint32_t* frame, uint8_t* const planes[], const int pitches[]) {
    Bars(planes, pitches);
    const int k = fit_.whole, rowWidth = frameWidth_ * k;
    const uint32_t* source = frame;
    if (k > 1 || !step_) {
        // Nearest neighbour: each pixel k times along a row, each row k
        // times; onto the screen itself where no step follows.
        uint32_t* target = whole_.data();
        size_t pitch = rowWidth;
        if (!step_) {
            target = reinterpret_cast<uint32_t*>(planes[0] +
                                                 static_cast<ptrdiff_t>(fit_.top) * pitches[0]) +
                     fit_.left;
            pitch = pitches[0] / 4;
        }
        for (int y = 0; y < frameHeight_; ++y) {
            const uint32_t* in = frame + static_cast<size_t>(y) * frameWidth_;
            uint32_t* row = target + static_cast<size_t>(y) * k * pitch;
            for (int x = 0; x < frameWidth_; ++x)
                std::fill_n(row + static_cast<size_t>(x) * k, k, in[x] & 0xFFFFFF);
            for (int r = 1; r < k; ++r)
                std::memcpy(row + r * pitch, row, static_cast<size_t>(rowWidth) * 4);
        }
        if (!step_) return;
        source = whole_.data();
    }
    const uint8_t* from[4] = {reinterpret_cast<const uint8_t*>(source)};
    const int fromPitch[4] = {rowWidth * 4};
    uint8_t* to[4] = {};
    const bool yuv = format_ == AV_PIX_FMT_YUV420P;
    for (int p = 0; p < (yuv ? 3 : 1); ++p) {
        const int shift = p ? 1 : 0;
        to[p] = planes[p] + static_cast<ptrdiff_t>(fit_.top >> shift) * pitches[p] +
                (fit_.left >> shift) * (yuv ? 1 : 4);
    }
    sws_scale(step_, from, fromPitch, 0, frameHeight_ * k, to, pitches);
}

bool RgbScreen::Open(int frameWidth, int frameHeight, int screenWidth, int screenHeight,
                     std::string& error) {
    same_ = frameWidth == screenWidth && frameHeight == screenHeight;
    width_ = screenWidth;
    if (same_) return true;
    pixels_.resize(static_cast<size_t>(screenWidth) * screenHeight);
    return scaler_.Open(frameWidth, frameHeight, screenWidth, screenHeight, AV_PIX_FMT_BGR0, error);
}

const uint32_t* RgbScreen::Show(const uint32_t* frame) {
    if (same_) return frame;
    uint8_t* planes[1] = {reinterpret_cast<uint8_t*>(pixels_.data())};
    const int pitches[1] = {width_ * 4};
    scaler_.Show(frame, planes, pitches);
    return pixels_.data();
}
