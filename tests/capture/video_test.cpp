// video_test.cpp -- ffxcapture's videos decoded back through libavcodec: the
// stream's parameters, every frame's time, and its pixels against the frames
// the effect renders (exactly for the lossless video, by PSNR otherwise).
#include <cmath>

#include "tests/capture/tool.h"
#include "tests/capture/video_reader.h"
#include "tools/capture/options.h"

namespace {

// What a decoded video held against the effect's frames at fps.
struct Comparison {
    VideoInfo info;
    int64_t wrongTimes = 0; // frames not shown at k / fps, to the nearest tick
    int64_t differentPixels = 0;
    double meanPsnr = 0.0; // over R, G and B, averaged over the frames
};

Comparison Compare(const fs::path& path, double fps) {
    Comparison c;
    EffectRun effect;
    int64_t k = 0;
    double psnrSum = 0.0;
    std::string error;
    const bool ok = DecodeVideo(
        path.string(), c.info,
        [&](const std::vector<uint32_t>& pixels, double seconds) {
            // Exact, to the container's resolution (WebM counts milliseconds).
            if (std::fabs(seconds - static_cast<double>(k) / fps) > c.info.tick / 2 + 1e-9)
                ++c.wrongTimes;
            const std::vector<uint32_t>& expected =
                effect.At(static_cast<uint32_t>(CaptureFrameMs(static_cast<uint64_t>(k), fps)));
            double squares = 0.0;
            for (size_t i = 0; i < pixels.size() && i < expected.size(); ++i) {
                c.differentPixels += pixels[i] != (expected[i] & 0xFFFFFF);
                for (int shift = 0; shift < 24; shift += 8) {
                    const double d = static_cast<double>((pixels[i] >> shift) & 0xFF) -
                                     static_cast<double>((expected[i] >> shift) & 0xFF);
                    squares += d * d;
                }
            }
            const double mse = squares / (3.0 * static_cast<double>(pixels.size()));
            psnrSum += mse > 0.0 ? 10.0 * std::log10(255.0 * 255.0 / mse) : 100.0;
            ++k;
        },
        error);
    EXPECT_TRUE(ok) << error;
    c.meanPsnr = k > 0 ? psnrSum / static_cast<double>(k) : 0.0;
    return c;
}

// A 640 x 480 stream of `frames` frames at num / den frames per second, each
// shown at its time.
void ExpectStream(const Comparison& c, int num, int den, int64_t frames) {
    EXPECT_EQ(c.info.width, 640);
    EXPECT_EQ(c.info.height, 480);
    EXPECT_EQ(static_cast<int64_t>(c.info.rateNum) * den,
              static_cast<int64_t>(c.info.rateDen) * num)
        << c.info.rateNum << "/" << c.info.rateDen;
    EXPECT_EQ(c.info.frames, frames);
    EXPECT_EQ(c.wrongTimes, 0);
}

} // namespace

TEST_F(CaptureTool, LosslessVideoHoldsEveryFrameExactly) {
    // 25 fps for 1.2 s: 30 frames; the grid steps every 0.2 s on the way.
    const ToolRun run = Capture({"--fps", "25", "--duration", "1.2", "-o", "clip.mkv"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err;
    EXPECT_EQ(WorkFiles(), std::vector<std::string>{"clip.mkv"});

    const Comparison c = Compare(work() / "clip.mkv", 25.0);
    EXPECT_EQ(c.info.container, "matroska,webm");
    ExpectStream(c, 25, 1, 30);
    EXPECT_EQ(c.differentPixels, 0);
}

TEST_F(CaptureTool, Mp4IsH264ForBrowsersWithItsIndexFirst) {
    // A rate that is not a whole number: frame k at k * 100 / 2997 s.
    const ToolRun run = Capture({"--fps", "29.97", "--duration", "1.5", "-o", "clip.mp4"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(WorkFiles(), std::vector<std::string>{"clip.mp4"});

    const Comparison c = Compare(work() / "clip.mp4", 29.97);
    EXPECT_EQ(c.info.codec, "h264");
    EXPECT_EQ(c.info.pixelFormat, "yuv420p");
    ExpectStream(c, 2997, 100, 45);
    EXPECT_GE(c.meanPsnr, 34.0);

    // Fast start: the index (moov) comes before the frames (mdat).
    const std::string bytes = ReadFile(work() / "clip.mp4");
    ASSERT_NE(bytes.find("mdat"), std::string::npos);
    EXPECT_LT(bytes.find("moov"), bytes.find("mdat"));

    // A lower quality setting makes a smaller, worse video.
    ASSERT_EQ(
        Capture({"--fps", "29.97", "--duration", "1.5", "--crf", "40", "-o", "low.mp4"}).status, 0);
    EXPECT_LT(fs::file_size(work() / "low.mp4"), bytes.size() / 2);
    EXPECT_LT(Compare(work() / "low.mp4", 29.97).meanPsnr, c.meanPsnr);
}

TEST_F(CaptureTool, WebmIsVp9) {
    const ToolRun run = Capture({"--fps", "30", "--duration", "0.5", "-o", "clip.webm"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Comparison c = Compare(work() / "clip.webm", 30.0);
    EXPECT_EQ(c.info.codec, "vp9");
    ExpectStream(c, 30, 1, 15);
    EXPECT_GE(c.meanPsnr, 30.0);
}

TEST_F(CaptureTool, VideosStreamToStandardOutput) {
    // Matroska needs no seeking: the same exact frames through a pipe's rules.
    ToolRun run = Capture({"--fps", "10", "--duration", "0.5", "--format", "mkv", "-o", "-"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(WorkFiles().empty());
    Comparison c = Compare(dir() / "out", 10.0);
    ExpectStream(c, 10, 1, 5);
    EXPECT_EQ(c.differentPixels, 0);

    // MP4 without seeking back is fragmented, and plays the same.
    run = Capture({"--fps", "10", "--duration", "0.5", "--format", "mp4", "-o", "-"});
    ASSERT_EQ(run.status, 0) << run.err;
    c = Compare(dir() / "out", 10.0);
    EXPECT_EQ(c.info.codec, "h264");
    ExpectStream(c, 10, 1, 5);
    EXPECT_GE(c.meanPsnr, 34.0);
}

TEST_F(CaptureTool, PartyVideosAreSharpBetweenBlackBars) {
    // 640 x 480 on 1080 and 2160 lines: 1440 x 1080 and 2880 x 2160 in the
    // middle, black either side, at the rate a party asks for.
    const struct {
        const char* size;
        int width, height, left, picture;
    } screens[] = {{"1080p", 1920, 1080, 240, 1440}, {"2160p", 3840, 2160, 480, 2880}};
    for (const auto& screen : screens) {
        const std::string name = std::string(screen.size) + ".mp4";
        const ToolRun run =
            Capture({"--fps", "30", "--duration", "0.2", "--size", screen.size, "-o", name});
        ASSERT_EQ(run.status, 0) << run.err;
        VideoInfo info;
        int64_t litInBars = 0, darkEdges = 0;
        std::string error;
        ASSERT_TRUE(DecodeVideo((work() / name).string(), info,
                                [&](const std::vector<uint32_t>& pixels, double) {
                                    for (int y = 0; y < screen.height; ++y) {
                                        const uint32_t* row =
                                            &pixels[static_cast<size_t>(y) * screen.width];
                                        for (int x = 0; x < screen.width; ++x) {
                                            // The deblocking filter reaches 3 pixels
                                            // across the picture's edge.
                                            const bool bar = x < screen.left - 3 ||
                                                             x >= screen.left + screen.picture + 3;
                                            const uint32_t p = row[x];
                                            const bool black = (p & 0xFF) <= 3 &&
                                                               ((p >> 8) & 0xFF) <= 3 &&
                                                               ((p >> 16) & 0xFF) <= 3;
                                            litInBars += bar && !black;
                                        }
                                        darkEdges += row[screen.left] == 0 ||
                                                     row[screen.left + screen.picture - 1] == 0;
                                    }
                                },
                                error))
            << error;
        EXPECT_EQ(info.codec, "h264");
        EXPECT_EQ(info.profile, "High");
        EXPECT_EQ(info.pixelFormat, "yuv420p");
        EXPECT_EQ(info.width, screen.width);
        EXPECT_EQ(info.height, screen.height);
        EXPECT_EQ(info.frames, 6);
        EXPECT_EQ(litInBars, 0) << screen.size;
        // The plasma reaches the picture's edges (it is black nowhere there).
        EXPECT_LT(darkEdges, screen.height / 10) << screen.size;
    }
}
