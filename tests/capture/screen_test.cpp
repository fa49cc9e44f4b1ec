// screen_test.cpp -- the capture's screens of other sizes: where the picture
// lies, its pixels through the whole scales exactly, and black bars.
#include <gtest/gtest.h>

#include <vector>

#include "tools/capture/screen_scale.h"

namespace {

struct Fit {
    int left, top, width, height, whole;
    bool smooth;
};

void ExpectFit(const ScreenFit& got, const Fit& want) {
    EXPECT_EQ(got.left, want.left);
    EXPECT_EQ(got.top, want.top);
    EXPECT_EQ(got.width, want.width);
    EXPECT_EQ(got.height, want.height);
    EXPECT_EQ(got.whole, want.whole);
    EXPECT_EQ(got.smooth, want.smooth);
}

// A frame whose every pixel differs from its neighbours.
std::vector<uint32_t> Pattern(int width, int height) {
    std::vector<uint32_t> frame(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < frame.size(); ++i)
        frame[i] = 0xFF000000u | static_cast<uint32_t>((i * 2654435761u) & 0xFFFFFF) | 0x010101;
    return frame;
}

// The 64 x 48 frame on a 32-bit screen of sw x sh whose pixels were all
// 0xDEADBEEF before, so that bars left unpainted show.
std::vector<uint32_t> ShowRgb(const std::vector<uint32_t>& frame, int sw, int sh) {
    ScreenScaler scaler;
    std::string error;
    EXPECT_TRUE(scaler.Open(64, 48, sw, sh, AV_PIX_FMT_BGR0, error)) << error;
    std::vector<uint32_t> out(static_cast<size_t>(sw) * sh, 0xDEADBEEF);
    uint8_t* planes[1] = {reinterpret_cast<uint8_t*>(out.data())};
    const int pitches[1] = {sw * 4};
    scaler.Show(frame.data(), planes, pitches);
    return out;
}

} // namespace

TEST(ScreenFit, ThePartysScreensAndTheWholeScalesBetween) {
    // 640 x 480 between bars on 16:9: 2.25 and 4.5 times, from 3 and 5.
    ExpectFit(FitOnScreen(640, 480, 1920, 1080), {240, 0, 1440, 1080, 3, true});
    ExpectFit(FitOnScreen(640, 480, 3840, 2160), {480, 0, 2880, 2160, 5, true});
    ExpectFit(FitOnScreen(640, 480, 1280, 720), {160, 0, 960, 720, 2, true});
    // Whole scales need no smooth step; a wide frame on a tall screen has
    // its bars above and below.
    ExpectFit(FitOnScreen(640, 480, 1920, 1440), {0, 0, 1920, 1440, 3, false});
    ExpectFit(FitOnScreen(320, 180, 1280, 1024), {0, 152, 1280, 720, 4, false});
    // Smaller than the frame: smoothly down from the frame itself.
    ExpectFit(FitOnScreen(640, 480, 320, 200), {26, 0, 267, 200, 1, true});
    // yuv420p's colour covers 2 x 2 pixels: the corner on even coordinates.
    ExpectFit(FitOnScreen(320, 240, 1000, 502, true), {164, 0, 669, 502, 3, true});
}

TEST(ScreenScaler, WholeScalesRepeatEachPixelAndTheBarsAreBlack) {
    const std::vector<uint32_t> frame = Pattern(64, 48);
    // Three times, 40 pixels of bars left and right, then a bar below too.
    for (const auto& screen : {std::pair<int, int>{272, 144}, std::pair<int, int>{192, 150}}) {
        const int sw = screen.first, sh = screen.second;
        const std::vector<uint32_t> out = ShowRgb(frame, sw, sh);
        const ScreenFit fit = FitOnScreen(64, 48, sw, sh);
        ASSERT_EQ(fit.whole, 3);
        ASSERT_FALSE(fit.smooth);
        int wrong = 0, lit = 0;
        for (int y = 0; y < sh; ++y)
            for (int x = 0; x < sw; ++x) {
                const uint32_t got = out[static_cast<size_t>(y) * sw + x];
                const int fx = x - fit.left, fy = y - fit.top;
                const bool inside = fx >= 0 && fy >= 0 && fx < 192 && fy < 144;
                const uint32_t want = inside ? frame[(fy / 3) * 64 + fx / 3] & 0xFFFFFF : 0;
                wrong += got != want;
                lit += !inside && got != 0;
            }
        EXPECT_EQ(wrong, 0) << sw << "x" << sh;
        EXPECT_EQ(lit, 0) << "bars not black on " << sw << "x" << sh;
    }
}

TEST(ScreenScaler, BetweenWholeScalesTheSmoothStepKeepsTheEdgesAndTheColours) {
    // Blocks of 8 x 8 pixels of one colour, 2.25 times: the middle of each
    // block keeps its colour; in yuv420p the bars are studio black.
    std::vector<uint32_t> frame(64 * 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            frame[y * 64 + x] = ((x / 8 + y / 8) % 2) ? 0xFFFFFF : 0x204080;
    const int sw = 192, sh = 108;
    const std::vector<uint32_t> out = ShowRgb(frame, sw, sh);
    const ScreenFit fit = FitOnScreen(64, 48, sw, sh);
    ASSERT_EQ(fit.left, 24);
    ASSERT_EQ(fit.width, 144);
    for (int y = 0; y < sh; ++y) {
        EXPECT_EQ(out[y * sw + 23], 0u) << "the left bar at row " << y;
        EXPECT_NE(out[y * sw + 24], 0u) << "the picture's first column at row " << y;
        EXPECT_NE(out[y * sw + 167], 0u) << "the picture's last column at row " << y;
        EXPECT_EQ(out[y * sw + 168], 0u) << "the right bar at row " << y;
    }
    for (int by = 0; by < 6; ++by)
        for (int bx = 0; bx < 8; ++bx) {
            const int x = 24 + (bx * 8 + 4) * 9 / 4, y = (by * 8 + 4) * 9 / 4;
            EXPECT_EQ(out[y * sw + x], frame[(by * 8 + 4) * 64 + bx * 8 + 4]) << bx << "," << by;
        }

    ScreenScaler yuv;
    std::string error;
    ASSERT_TRUE(yuv.Open(64, 48, sw, sh, AV_PIX_FMT_YUV420P, error)) << error;
    std::vector<uint8_t> y(sw * sh, 1), u(sw * sh / 4, 1), v(sw * sh / 4, 1);
    uint8_t* yuvPlanes[3] = {y.data(), u.data(), v.data()};
    const int yuvPitches[3] = {sw, sw / 2, sw / 2};
    yuv.Show(frame.data(), yuvPlanes, yuvPitches);
    for (int row = 0; row < sh; ++row) {
        EXPECT_EQ(y[row * sw], 16);
        EXPECT_EQ(y[row * sw + sw - 1], 16);
        EXPECT_GT(y[row * sw + 24], 16);
    }
    EXPECT_EQ(u[0], 128);
    EXPECT_EQ(v[sw / 2 - 1], 128);
}
