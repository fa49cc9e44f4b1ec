// main.cpp -- ffxcapture: renders the effect offline, without a window, to
// PNG files, at the seconds the frame loop would compute.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "app/config.h"
#include "common/elapsed.h"
#include "effect/ffx.h"
#include "tools/capture/options.h"
#include "tools/capture/png_file.h"
#include "tools/capture/progress.h"

namespace {

constexpr int kBadInput = 2;
constexpr int kFailure = 1;

int Fail(int code, const std::string& message) {
    std::fprintf(stderr, "ffxcapture: %s\n", message.c_str());
    return code;
}

std::string FrameName(const std::string& folder, uint64_t k) {
    char name[32];
    std::snprintf(name, sizeof name, "frame_%05llu.png", static_cast<unsigned long long>(k));
    return (std::filesystem::path(folder) / name).string();
}

} // namespace

int main(int argc, char** argv) {
    CaptureOptions options;
    std::string error;
    if (!ParseCaptureOptions(argc, argv, options, error)) return Fail(kBadInput, error);
    if (options.mode == CaptureOptions::Mode::Help) {
        std::fputs(CaptureUsage(), stdout);
        return 0;
    }

    if (options.mode == CaptureOptions::Mode::Sequence) {
        std::error_code ec;
        std::filesystem::create_directories(options.output, ec);
        if (ec || !std::filesystem::is_directory(options.output))
            return Fail(kBadInput, "cannot write to folder '" + options.output +
                                       "': " + (ec ? ec.message() : std::string("not a folder")));
    }

    // depth is 32: one uint32_t per pixel.
    std::vector<uint32_t> frame(static_cast<size_t>(width) * static_cast<size_t>(height));
    if (!FFX_Init(frame.data())) return Fail(kFailure, "FFX_Init failed");

    if (options.mode == CaptureOptions::Mode::OneFrame) {
        FFX_Render(frame.data(), COM_MsToSeconds(options.ms));
        if (!WritePngFile(options.output, frame.data(), width, height, error))
            return Fail(kBadInput, error);
        FFX_Shutdown();
        return 0;
    }

    const uint64_t frames = CaptureFrameCount(options.fps, options.duration);
    ProgressBar progress(frames);
    for (uint64_t k = 0; k < frames; ++k) {
        const uint32_t ms = static_cast<uint32_t>(CaptureFrameMs(k, options.fps));
        FFX_Render(frame.data(), COM_MsToSeconds(ms));
        if (!WritePngFile(FrameName(options.output, k), frame.data(), width, height, error)) {
            progress.Finish();
            return Fail(kBadInput, error);
        }
        progress.Update(k + 1);
    }
    FFX_Shutdown();
    return 0;
}
