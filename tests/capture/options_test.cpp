// capture_options_test.cpp -- ffxcapture's command line and frame schedule.
#include <gtest/gtest.h>

#include <vector>

#include "tools/capture/options.h"

namespace {

struct Parsed {
    bool ok;
    CaptureOptions options;
    std::string error;
};

Parsed Parse(std::vector<const char*> args) {
    args.insert(args.begin(), "ffxcapture");
    Parsed parsed;
    parsed.ok = ParseCaptureOptions(static_cast<int>(args.size()), args.data(), parsed.options,
                                    parsed.error);
    return parsed;
}

} // namespace

TEST(CaptureOptions, OneFrame) {
    const Parsed p = Parse({"--ms", "1125", "-o", "a.png"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.mode, CaptureOptions::Mode::OneFrame);
    EXPECT_EQ(p.options.ms, 1125u);
    EXPECT_EQ(p.options.output, "a.png");

    EXPECT_EQ(Parse({"--ms=4294967295", "--output=b.png"}).options.ms, 4294967295u);
    EXPECT_EQ(Parse({"-o", "c.png", "--ms", "0"}).options.ms, 0u);
    EXPECT_EQ(Parse({"--ms", "000000000000042", "-o", "c.png"}).options.ms, 42u);
}

TEST(CaptureOptions, Sequence) {
    const Parsed p = Parse({"--fps", "29.97", "--duration", "2.5", "-o", "out"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.mode, CaptureOptions::Mode::Sequence);
    EXPECT_DOUBLE_EQ(p.options.fps, 29.97);
    EXPECT_DOUBLE_EQ(p.options.duration, 2.5);
    EXPECT_EQ(p.options.output, "out");
}

TEST(CaptureOptions, StartBeginsASectionWithinTheMusic) {
    const CaptureMusic tenSeconds{nullptr, 480000, false};
    auto parse = [&](std::vector<const char*> args) {
        args.insert(args.begin(), "ffxcapture");
        Parsed p;
        p.ok = ParseCaptureOptions(static_cast<int>(args.size()), args.data(), p.options, p.error,
                                   tenSeconds);
        return p;
    };
    Parsed p = parse({"--fps", "30", "--start", "2.5", "-o", "out"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.startMs, 2500u);
    EXPECT_DOUBLE_EQ(p.options.duration, 7.5); // the rest of the music
    p = parse({"--fps", "30", "--start", "0", "--duration", "1", "-o", "out"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.startMs, 0u);
    for (const char* start : {"10", "-1", "x"})
        EXPECT_FALSE(parse({"--fps", "30", "--start", start, "-o", "out"}).ok) << start;
    EXPECT_NE(parse({"--fps", "30", "--start", "10", "-o", "out"}).error.find("music's end"),
              std::string::npos);
    EXPECT_FALSE(Parse({"--ms", "5", "--start", "1", "-o", "a.png"}).ok);
}

TEST(CaptureOptions, SizeIsAPartysVideoAtSixtyFramesASecond) {
    // The demo's LENGTH (or its music) is the duration, --size the screen.
    const char* args[] = {"ffxcapture", "--size", "1080p", "-o", "demo.mp4"};
    CaptureOptions options;
    std::string error;
    ASSERT_TRUE(ParseCaptureOptions(5, args, options, error, CaptureMusic(), 88000)) << error;
    EXPECT_EQ(options.mode, CaptureOptions::Mode::Sequence);
    EXPECT_DOUBLE_EQ(options.fps, 60.0);
    EXPECT_DOUBLE_EQ(options.duration, 88.0);
    EXPECT_EQ(options.screenWidth, 1920);
    EXPECT_EQ(options.screenHeight, 1080);
    EXPECT_EQ(Parse({"--size", "2160p", "--fps", "30", "--duration", "1", "-o", "a.mp4"})
                  .options.screenHeight,
              2160);
    EXPECT_EQ(Parse({"--size", "641x480", "--fps", "30", "--duration", "1", "-o", "a.mp4"}).error,
              "--size: 641x480 has an odd side, which a video cannot have");
    for (const char* size : {"1080", "x480", "640x", "0x480", "640x480x2", "12345x2", "4k"})
        EXPECT_NE(Parse({"--size", size, "--ms", "0", "-o", "a.png"}).error.find("is not WxH"),
                  std::string::npos)
            << size;
    EXPECT_TRUE(Parse({"--size", "641x481", "--ms", "0", "-o", "a.png"}).ok)
        << "a PNG may have odd sides";
}

TEST(CaptureOptions, FormatFromTheNameOrTheOption) {
    using Format = CaptureOptions::Format;
    const struct {
        std::vector<const char*> args;
        Format format;
    } cases[] = {
        {{"--fps", "30", "--duration", "1", "-o", "clip.mp4"}, Format::Mp4},
        {{"--fps", "30", "--duration", "1", "-o", "CLIP.MKV"}, Format::Mkv},
        {{"--fps", "30", "--duration", "1", "-o", "dir/clip.webm"}, Format::Webm},
        {{"--fps", "30", "--duration", "1", "-o", "frames"}, Format::PngFolder},
        {{"--fps", "30", "--duration", "1", "-o", "."}, Format::PngFolder}, // an existing folder
        {{"--fps", "30", "--duration", "1", "--format", "mkv", "-o", "-"}, Format::Mkv},
        {{"--fps", "30", "--duration", "1", "--format", "png", "-o", "x.mp4"}, Format::PngFolder},
        {{"--ms", "5", "-o", "-"}, Format::Png},
        {{"--ms", "5", "-o", "frame"}, Format::Png},
    };
    for (const auto& c : cases) {
        const Parsed p = Parse(c.args);
        ASSERT_TRUE(p.ok) << c.args.back() << ": " << p.error;
        EXPECT_EQ(p.options.format, c.format) << c.args.back();
    }
    const Parsed p =
        Parse({"--fps", "30", "--duration", "1", "--crf", "30", "--jobs", "3", "-o", "clip.webm"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.crf, 30);
    EXPECT_EQ(p.options.jobs, 3u);
}

TEST(CaptureOptions, HelpThenVersionWinOverEverythingElse) {
    EXPECT_EQ(Parse({"--help"}).options.mode, CaptureOptions::Mode::Help);
    EXPECT_EQ(Parse({"--version", "--help"}).options.mode, CaptureOptions::Mode::Help);
    EXPECT_EQ(Parse({"--ms", "5", "--version"}).options.mode, CaptureOptions::Mode::Version);
    EXPECT_TRUE(Parse({"--ms", "5", "-h"}).ok);
    EXPECT_EQ(Parse({"--ms", "5", "-h"}).options.mode, CaptureOptions::Mode::Help);
}

TEST(CaptureOptions, BadInputNamesTheProblem) {
    const struct {
        std::vector<const char*> args;
        const char* names;
    } cases[] = {
        {{}, "nothing to render"},
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
        {{"stray"}, "unexpected argument 'stray'"},
        {{"--ms"}, "--ms needs a value"},
        {{"-o", "a.png", "--ms"}, "--ms needs a value"},
        {{"--ms", "abc", "-o", "a.png"}, "'abc' is not a whole number"},
        {{"--ms", "", "-o", "a.png"}, "is not a number"},
        {{"--ms", "1.5", "-o", "a.png"}, "'1.5' is not a whole number"},
        {{"--ms", "4294967296", "-o", "a.png"}, "out of range"},
        {{"--ms", "99999999999999999999999", "-o", "a.png"}, "out of range"},
        {{"--ms", "-1", "-o", "a.png"}, "out of range"},
        {{"--ms", "5"}, "no output file"},
        {{"--ms", "5", "-o", ""}, "output name is empty"},
        {{"--ms", "5", "--ms", "6", "-o", "a.png"}, "more than once"},
        {{"--ms", "5", "--fps", "30", "-o", "a.png"}, "cannot be combined"},
        {{"--fps", "30", "-o", "d"}, "--fps needs --duration"},
        {{"--duration", "1", "-o", "d"}, "--duration needs --fps"},
        {{"--fps", "0", "--duration", "1", "-o", "d"}, "--fps: 0 must be greater than 0"},
        {{"--fps", "-30", "--duration", "1", "-o", "d"}, "must be greater than 0"},
        {{"--fps", "30", "--duration", "0", "-o", "d"}, "--duration: 0 must be greater than 0"},
        {{"--fps", "30", "--duration", "-2", "-o", "d"}, "--duration: -2 must be greater than 0"},
        {{"--fps", "thirty", "--duration", "1", "-o", "d"}, "--fps: 'thirty' is not a number"},
        {{"--fps", "30x", "--duration", "1", "-o", "d"}, "'30x' is not a number"},
        {{"--fps", "nan", "--duration", "1", "-o", "d"}, "not a finite number"},
        {{"--fps", "30", "--duration", "inf", "-o", "d"}, "not a finite number"},
        {{"--fps", "1001", "--duration", "1", "-o", "d"}, "out of range"},
        {{"--fps", "30", "--duration", "4294968", "-o", "d"}, "out of range"},
        {{"--fps", "30", "--duration", "4294967.2961", "-o", "d"}, "out of range"},
        {{"--fps", "30", "--duration", "1"}, "no output: give -o VIDEO.mp4 or -o DIR"},
        {{"--ms", "5", "-o", "a.jpg"}, "--ms writes one PNG frame, not '.jpg'"},
        {{"--ms", "5", "--format", "mkv", "-o", "-"}, "--format mkv needs --fps"},
        {{"--ms", "5", "--crf", "20", "-o", "a.png"}, "--crf sets the quality of .mp4"},
        {{"--ms", "5", "--jobs", "2", "-o", "a.png"}, "--jobs sets the threads"},
        {{"--fps", "30", "--duration", "1", "-o", "a.avi"}, "unknown video extension '.avi'"},
        {{"--fps", "30", "--duration", "1", "-o", "-"}, "-o - needs --format"},
        {{"--fps", "30", "--duration", "1", "--format", "png", "-o", "-"}, "needs a folder"},
        {{"--fps", "30", "--duration", "1", "--format", "gif", "-o", "a"}, "not one of mp4"},
        {{"--fps", "30", "--duration", "1", "--format", "", "-o", "a"}, "format name is empty"},
        {{"--fps", "30", "--duration", "1", "--crf", "52", "-o", "a.mp4"}, "from 0 to 51"},
        {{"--fps", "30", "--duration", "1", "--crf", "x", "-o", "a.webm"}, "from 0 to 63"},
        {{"--fps", "30", "--duration", "1", "--crf", "2", "-o", "a.mkv"}, "other formats are"},
        {{"--fps", "30", "--duration", "1", "--jobs", "0", "-o", "d"}, "from 1 to 256"},
    };
    for (const auto& c : cases) {
        const Parsed p = Parse(c.args);
        std::string line;
        for (const char* a : c.args)
            line += std::string(a) + " ";
        EXPECT_FALSE(p.ok) << line;
        EXPECT_NE(p.error.find(c.names), std::string::npos) << line << "-> " << p.error;
        EXPECT_EQ(p.error.find('\n'), std::string::npos) << p.error;
    }
}

TEST(CaptureSchedule, FrameTimesAreFlooredMilliseconds) {
    EXPECT_EQ(CaptureFrameMs(0, 30.0), 0u);
    EXPECT_EQ(CaptureFrameMs(1, 30.0), 33u);
    EXPECT_EQ(CaptureFrameMs(2, 30.0), 66u);
    EXPECT_EQ(CaptureFrameMs(3, 30.0), 100u);
    EXPECT_EQ(CaptureFrameMs(1, 3.0), 333u);
    EXPECT_EQ(CaptureFrameMs(7, 7.0), 1000u);
}

TEST(CaptureSchedule, FramesBelowTheDuration) {
    EXPECT_EQ(CaptureFrameCount(30.0, 5.0), 150u);
    EXPECT_EQ(CaptureFrameCount(7.0, 1.0), 7u);       // 0, 142, ..., 857; 1000 is not below
    EXPECT_EQ(CaptureFrameCount(10.0, 0.35), 4u);     // 0, 100, 200, 300
    EXPECT_EQ(CaptureFrameCount(1000.0, 0.0005), 1u); // 0 < 0.5
    EXPECT_EQ(CaptureFrameCount(0.5, 10.0), 5u);      // 0, 2000, ..., 8000
    EXPECT_EQ(CaptureFrameCount(1000.0, 4294967.296), 4294967296u); // up to 2^32 - 1 ms
    EXPECT_EQ(CaptureFrameMs(4294967295u, 1000.0), 4294967295u);
}
