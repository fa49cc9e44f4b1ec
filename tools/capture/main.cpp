// main.cpp -- a demo's capture tool (ffxcapture for ffxdemo, NAME-capture
// for another demo, FFX_TOOL_NAME): renders the effect offline, without a
// window, at the seconds the frame loop would compute, to a PNG file, a
// folder of PNG files or a video.
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "ffxdemo.h"
#if FFX_HAS_MUSIC
#include "app/music_source.h"
#include "common/music.h"
#endif
#include "app/demo_length.h"
#include "tools/capture/interrupt.h"
#include "tools/capture/music_wav.h"
#include "tools/capture/options.h"
#include "tools/capture/output_file.h"
#include "tools/capture/png_file.h"
#include "tools/capture/png_sequence.h"
#include "tools/capture/progress.h"
#include "tools/capture/screen_scale.h"
#include "tools/capture/video_file.h"
#include "tools/offline/demo_frame.h"

namespace {

constexpr int kBadInput = 2;
constexpr int kFailure = 1;

// The demo's music, when ffx_add_demo linked one in: its length and loop.
CaptureMusic DemoMusic() {
#if FFX_HAS_MUSIC
    return CaptureMusic{nullptr, musicFrames, musicLoop != 0};
#else
    return CaptureMusic();
#endif
}

// The music's samples, decoded from its MP3 as the demo's program decodes
// them (app/music_acm.cpp), into `samples`; false when they cannot be.
bool DecodeDemoMusic(CaptureMusic& music, std::vector<int16_t>& samples) {
#if FFX_HAS_MUSIC
    samples.resize(static_cast<size_t>(musicFrames) * MUS_CHANNELS);
    if (!MUS_Open() ||
        !MUS_Read(0, reinterpret_cast<uint8_t*>(samples.data()), musicFrames * 2 * MUS_CHANNELS))
        return false;
    music.samples = samples.data();
#else
    (void)music, (void)samples;
#endif
    return true;
}

// The music from `startMs` on, as a sequence that starts there hears it: a
// music that loops comes round to its start again (a copy in `rotated`).
CaptureMusic MusicFrom(const CaptureMusic& music, uint32_t startMs, std::vector<int16_t>& rotated) {
    if (music.frames == 0 || startMs == 0) return music;
    CaptureMusic from = music;
    const uint64_t at = static_cast<uint64_t>(startMs) * 48; // sample frames
    if (!music.loop) {
        const uint32_t first = static_cast<uint32_t>(std::min<uint64_t>(at, music.frames));
        from.frames = music.frames - first;
        from.samples += static_cast<uint64_t>(first) * 2;
        return from;
    }
    const uint64_t first = at % music.frames;
    rotated.assign(music.samples + first * 2,
                   music.samples + static_cast<uint64_t>(music.frames) * 2);
    rotated.insert(rotated.end(), music.samples, music.samples + first * 2);
    from.samples = rotated.data();
    return from;
}

int Fail(int code, const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", FFX_TOOL_NAME, message.c_str());
    return code;
}

// After SIGINT or SIGTERM, once the partial output is gone.
int Interrupted(uint64_t done) {
    const int signal = InterruptSignal();
    std::fprintf(stderr, "%s: interrupted by %s after %llu frames; nothing unfinished kept\n",
                 FFX_TOOL_NAME, signal == SIGINT ? "SIGINT" : "SIGTERM",
                 static_cast<unsigned long long>(done));
    return 128 + signal;
}

// The PNG outputs' screen: the demo's own size, or --size.
bool OpenScreen(const CaptureOptions& options, RgbScreen& screen, int& screenWidth,
                int& screenHeight, std::string& error) {
    screenWidth = options.screenWidth ? options.screenWidth : width;
    screenHeight = options.screenWidth ? options.screenHeight : height;
    return screen.Open(width, height, screenWidth, screenHeight, error);
}

int OneFrame(const CaptureOptions& options, const CaptureMusic& music, DemoFrame& demo) {
    std::string error;
    RgbScreen screen;
    int screenWidth = 0, screenHeight = 0;
    if (!OpenScreen(options, screen, screenWidth, screenHeight, error))
        return Fail(kFailure, error);
    OutputFile file;
    if (!file.Open(options.output, error))
        return InterruptSignal() ? Interrupted(0) : Fail(kBadInput, error);
    const uint32_t* pixels = demo.Render(CaptureMusicMs(options.ms, music));
    if (!pixels) return Fail(kFailure, demo.Overrun());
    if (!WritePngFile(file, screen.Show(pixels), screenWidth, screenHeight, error))
        return InterruptSignal() ? Interrupted(0) : Fail(kFailure, error);
    return 0;
}

int Sequence(const CaptureOptions& options, const CaptureMusic& demoMusic, DemoFrame& demo) {
    std::vector<int16_t> rotated;
    const CaptureMusic music = MusicFrom(demoMusic, options.startMs, rotated);
    std::string error;
    RgbScreen screen; // the PNG files'; a video scales in its own format
    int screenWidth = 0, screenHeight = 0;
    if (!OpenScreen(options, screen, screenWidth, screenHeight, error))
        return Fail(kFailure, error);
    const bool png = options.format == CaptureOptions::Format::PngFolder;
    OutputFile file; // a video's; declared first, so the sink is gone before it
    std::unique_ptr<FrameSink> sink;
    if (options.format == CaptureOptions::Format::PngFolder) {
        std::error_code ec;
        std::filesystem::create_directories(options.output, ec);
        if (ec || !std::filesystem::is_directory(options.output))
            return Fail(kBadInput, "cannot write to folder '" + options.output +
                                       "': " + (ec ? ec.message() : std::string("not a folder")));
        // The encoding is the work; rendering the next frame takes little.
        const unsigned jobs =
            options.jobs ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
        sink = std::make_unique<PngSequence>(options.output, screenWidth, screenHeight, jobs);
    } else {
        if (!file.Open(options.output, error))
            return InterruptSignal() ? Interrupted(0) : Fail(kBadInput, error);
        sink = OpenVideoFile(options, width, height, music, file, error);
        if (!sink) return InterruptSignal() ? Interrupted(0) : Fail(kFailure, error);
    }

    const uint64_t frames = CaptureFrameCount(options.fps, options.duration);
    ProgressBar progress(frames);
    for (uint64_t k = 0; k < frames && !InterruptSignal(); ++k) {
        const uint32_t ms =
            CaptureMusicMs(options.startMs + CaptureFrameMs(k, options.fps), demoMusic);
        const uint32_t* pixels = demo.Render(ms);
        if (!pixels) {
            // The partial output goes with the sink and the file, as on Ctrl+C.
            error = demo.Overrun();
            break;
        }
        if (!sink->Add(png ? screen.Show(pixels) : pixels, error)) break;
        progress.Update(sink->Done());
    }
    bool ok = error.empty() && !InterruptSignal() && sink->Finish(error);
    if (ok && options.music && png)
        ok = WriteMusicWav(options.output + "/music.wav", music,
                           CaptureMusicFrames(options.duration), error);
    progress.Update(sink->Done());
    progress.Finish();
    if (InterruptSignal()) {
        const uint64_t done = sink->Done();
        sink.reset();
        return Interrupted(done);
    }
    return ok ? 0 : Fail(kFailure, error);
}

} // namespace

int main(int argc, char** argv) {
    CaptureOptions options;
    std::string error;
    CaptureMusic music = DemoMusic();
    if (!ParseCaptureOptions(argc, argv, options, error, music, demoLength))
        return Fail(kBadInput, error);
    if (options.mode == CaptureOptions::Mode::Help) {
        std::fputs(CaptureUsage(FFX_TOOL_NAME, width, height).c_str(), stdout);
        return 0;
    }
    if (options.mode == CaptureOptions::Mode::Version) {
        std::printf("%s %s\n", FFX_TOOL_NAME, FFX_TOOL_VERSION);
        return 0;
    }
    std::vector<int16_t> samples;
    if (options.mode == CaptureOptions::Mode::Sequence && !DecodeDemoMusic(music, samples))
        return Fail(kFailure, "the demo's music cannot be decoded");
    CatchInterrupts();

    DemoFrame demo;
    if (!demo.Init())
        return Fail(kFailure, demo.Overrun().empty() ? "FFX_Init failed" : demo.Overrun());
    const int status = options.mode == CaptureOptions::Mode::OneFrame
                           ? OneFrame(options, music, demo)
                           : Sequence(options, music, demo);
    // After an overrun the effect's state is not to be trusted.
    if (demo.Overrun().empty()) FFX_Shutdown();
    return status;
}
