// options.cpp -- parsing and checking ffxcapture's command line.
#include "tools/capture/options.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

constexpr double kMaxFps = 1000.0;           // the clock counts whole milliseconds
constexpr double kMaxDuration = 4294967.296; // elapsed times below 2^32 ms
constexpr uint64_t kMaxMs = 4294967295u;
constexpr uint32_t kMaxJobs = 256;

std::string Quote(const std::string& text) {
    return "'" + text + "'";
}

bool ParseMs(const std::string& name, const std::string& text, uint32_t& value,
             std::string& error) {
    const size_t digits = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
    if (digits == text.size()) {
        error = name + ": " + Quote(text) + " is not a number";
        return false;
    }
    if (text.find_first_not_of("0123456789", digits) != std::string::npos) {
        error = name + ": " + Quote(text) + " is not a whole number of milliseconds";
        return false;
    }
    // Significant digits only: leading zeros do not make a number too long.
    const size_t first = std::min(text.find_first_not_of('0', digits), text.size() - 1);
    const bool negative = text[0] == '-' && text[first] != '0';
    if (negative || text.size() - first > 10 ||
        std::strtoull(text.c_str() + first, nullptr, 10) > kMaxMs) {
        error = name + ": " + text + " is out of range (0 to 4294967295)";
        return false;
    }
    value = static_cast<uint32_t>(std::strtoull(text.c_str() + first, nullptr, 10));
    return true;
}

bool ParsePositive(const std::string& name, const std::string& text, double maximum, double& value,
                   std::string& error) {
    const char* begin = text.c_str();
    char* end = nullptr;
    const double parsed = std::strtod(begin, &end);
    if (text.empty() || end != begin + text.size() ||
        text.find_first_of(" \t\n") != std::string::npos) {
        error = name + ": " + Quote(text) + " is not a number";
        return false;
    }
    if (!std::isfinite(parsed)) {
        error = name + ": " + Quote(text) + " is not a finite number";
        return false;
    }
    if (parsed <= 0.0) {
        error = name + ": " + text + " must be greater than 0";
        return false;
    }
    if (parsed > maximum) {
        char limit[32];
        std::snprintf(limit, sizeof limit, "%.10g", maximum);
        error = name + ": " + text + " is out of range (at most " + limit + ")";
        return false;
    }
    value = parsed;
    return true;
}

// Seconds from 0 to `maximum`.
bool ParseSeconds(const std::string& name, const std::string& text, double maximum, double& value,
                  std::string& error) {
    char* end = nullptr;
    if (!text.empty() && std::strtod(text.c_str(), &end) == 0.0 && *end == '\0' &&
        text.find_first_of(" \t\n-") == std::string::npos) {
        value = 0.0;
        return true;
    }
    return ParsePositive(name, text, maximum, value, error);
}

bool ParseCount(const std::string& name, const std::string& text, uint32_t minimum,
                uint32_t maximum, uint32_t& value, std::string& error) {
    if (!ParseMs(name, text, value, error) || value < minimum || value > maximum) {
        error = name + ": " + Quote(text) + " is not a whole number from " +
                std::to_string(minimum) + " to " + std::to_string(maximum);
        return false;
    }
    return true;
}

// --size: WxH, or a screen's name (720p, 1080p, 1440p, 2160p); videos in
// yuv420p need even sides.
bool ParseSize(const std::string& text, bool video, int& width, int& height, std::string& error) {
    const struct {
        const char* name;
        int width, height;
    } named[] = {
        {"720p", 1280, 720}, {"1080p", 1920, 1080}, {"1440p", 2560, 1440}, {"2160p", 3840, 2160}};
    width = height = 0;
    for (const auto& n : named)
        if (text == n.name) width = n.width, height = n.height;
    const size_t x = text.find('x');
    if (!width && x != std::string::npos && x > 0 && x + 1 < text.size() && x <= 4 &&
        text.size() - x - 1 <= 4 && text.find_first_not_of("0123456789x") == std::string::npos &&
        text.find('x', x + 1) == std::string::npos) {
        width = std::atoi(text.c_str());
        height = std::atoi(text.c_str() + x + 1);
    }
    if (width < 1 || height < 1) {
        error =
            "--size: " + Quote(text) + " is not WxH (1 to 9999 each) or 720p, 1080p, 1440p, 2160p";
        return false;
    }
    if (video && (width % 2 || height % 2)) {
        error = "--size: " + text + " has an odd side, which a video cannot have";
        return false;
    }
    return true;
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool FormatByName(const std::string& name, CaptureOptions::Format& format) {
    using Format = CaptureOptions::Format;
    const struct {
        const char* name;
        Format format;
    } known[] = {{"mp4", Format::Mp4}, {"mkv", Format::Mkv}, {"webm", Format::Webm}};
    for (const auto& k : known)
        if (name == k.name) {
            format = k.format;
            return true;
        }
    return false;
}

// The format of a one-frame capture: always a PNG file.
bool OneFrameFormat(const std::string& output, const std::string& formatText, std::string& error) {
    const std::string extension = Lower(std::filesystem::path(output).extension().string());
    if (!formatText.empty() && formatText != "png") {
        error = "--ms writes one PNG frame; --format " + formatText + " needs --fps and --duration";
        return false;
    }
    if (output != "-" && !extension.empty() && extension != ".png") {
        error = "--ms writes one PNG frame, not " + Quote(extension) + ": give -o FILE.png";
        return false;
    }
    return true;
}

bool SequenceFormat(const std::string& output, const std::string& formatText,
                    CaptureOptions::Format& format, std::string& error) {
    if (formatText == "png") {
        format = CaptureOptions::Format::PngFolder;
    } else if (!formatText.empty()) {
        if (!FormatByName(formatText, format)) {
            error = "--format: " + Quote(formatText) + " is not one of mp4, mkv, webm, png";
            return false;
        }
        return true;
    } else if (output == "-") {
        error = "-o - needs --format mkv, webm or mp4 (or --ms for one PNG frame)";
        return false;
    } else {
        std::error_code ec;
        const std::string extension = Lower(std::filesystem::path(output).extension().string());
        if (extension.empty() || std::filesystem::is_directory(output, ec)) {
            format = CaptureOptions::Format::PngFolder;
        } else if (!FormatByName(extension.substr(1), format)) {
            error = "unknown video extension " + Quote(extension) +
                    ": the capture writes .mp4, .mkv and .webm, or PNG files into a folder";
            return false;
        }
    }
    if (format == CaptureOptions::Format::PngFolder && output == "-") {
        error = "a PNG sequence needs a folder, not -";
        return false;
    }
    return true;
}

} // namespace

bool ParseCaptureOptions(int argc, const char* const* argv, CaptureOptions& options,
                         std::string& error, const CaptureMusic& music, uint32_t lengthMs) {
    options = CaptureOptions();
    bool haveMs = false, haveFps = false, haveDuration = false, haveOutput = false, help = false;
    bool version = false, noMusic = false;
    bool haveCrf = false, haveFormat = false, haveJobs = false, haveStart = false, haveSize = false;
    std::string msText, fpsText, durationText, crfText, formatText, jobsText, startText, sizeText;

    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            help = true;
            continue;
        }
        if (arg == "--version") {
            version = true;
            continue;
        }
        if (arg == "--no-music") {
            noMusic = true;
            continue;
        }
        // --name=value or --name value
        std::string value;
        bool inlineValue = false;
        const size_t equals = arg.find('=');
        if (arg.compare(0, 2, "--") == 0 && equals != std::string::npos) {
            value = arg.substr(equals + 1);
            arg.resize(equals);
            inlineValue = true;
        }
        const struct {
            const char* name;
            bool* seen;
            std::string* text;
        } known[] = {{"--ms", &haveMs, &msText},
                     {"--fps", &haveFps, &fpsText},
                     {"--duration", &haveDuration, &durationText},
                     {"--start", &haveStart, &startText},
                     {"--crf", &haveCrf, &crfText},
                     {"--jobs", &haveJobs, &jobsText},
                     {"--format", &haveFormat, &formatText},
                     {"--size", &haveSize, &sizeText},
                     {"-o", &haveOutput, &options.output},
                     {"--output", &haveOutput, &options.output}};
        bool* seen = nullptr;
        std::string* target = nullptr;
        for (const auto& k : known)
            if (arg == k.name) {
                seen = k.seen;
                target = k.text;
            }
        if (!seen) {
            error = (!arg.empty() && arg[0] == '-' && arg != "-" ? "unknown option "
                                                                 : "unexpected argument ") +
                    Quote(arg);
            return false;
        }
        if (*seen) {
            error = arg + " is given more than once";
            return false;
        }
        if (!inlineValue) {
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return false;
            }
            value = argv[++i];
        }
        *seen = true;
        *target = value;
    }

    if (help || version) {
        options.mode = help ? CaptureOptions::Mode::Help : CaptureOptions::Mode::Version;
        return true;
    }
    if (haveMs && (haveFps || haveDuration || haveStart)) {
        error = "--ms renders one frame; it cannot be combined with --fps, --duration or --start";
        return false;
    }
    // A screen of --size is a party's video: 60 frames a second unless told.
    if (haveSize && !haveMs && !haveFps) {
        haveFps = true;
        fpsText = "60";
    }
    options.music = music.frames > 0 && !noMusic;
    // The music's length is the sequence's, unless it loops; without music,
    // the demo's LENGTH.
    const bool musicLasts = (options.music && !music.loop) || (music.frames == 0 && lengthMs > 0);
    if (!haveMs && !haveFps && !haveDuration) {
        error = musicLasts
                    ? "nothing to render: give --ms T, or --fps F (see --help)"
                    : "nothing to render: give --ms T, or --fps F and --duration S (see --help)";
        return false;
    }
    if (!haveMs && !(haveFps && (haveDuration || musicLasts))) {
        error = !haveFps        ? "--duration needs --fps"
                : options.music ? "--fps needs --duration: the music loops"
                                : "--fps needs --duration";
        return false;
    }
    if (haveMs) {
        options.mode = CaptureOptions::Mode::OneFrame;
        if (!ParseMs("--ms", msText, options.ms, error)) return false;
    } else {
        options.mode = CaptureOptions::Mode::Sequence;
        if (!ParsePositive("--fps", fpsText, kMaxFps, options.fps, error)) return false;
        double start = 0.0;
        if (haveStart && !ParseSeconds("--start", startText, kMaxDuration, start, error))
            return false;
        options.startMs =
            static_cast<uint32_t>(std::min<double>(std::llround(start * 1000.0), kMaxMs));
        const double musicSeconds =
            music.frames ? static_cast<double>(music.frames) / 48000.0 : lengthMs / 1000.0;
        const uint64_t endMs = music.frames ? music.frames / 48 : lengthMs;
        if (musicLasts && options.startMs >= endMs) {
            char length[32];
            std::snprintf(length, sizeof length, "%.3f", musicSeconds);
            error = "--start " + startText + " is at or past the " +
                    (music.frames ? "music's" : "demo's") + " end (" + length + " s)";
            return false;
        }
        if (!haveDuration)
            options.duration = musicSeconds - options.startMs / 1000.0;
        else if (!ParsePositive("--duration", durationText, kMaxDuration, options.duration, error))
            return false;
        if (options.startMs + options.duration * 1000.0 > kMaxDuration * 1000.0) {
            error = "--start and --duration end past 4294967.296 s";
            return false;
        }
    }
    if (!haveOutput) {
        error =
            haveMs ? "no output file: give -o FILE.png" : "no output: give -o VIDEO.mp4 or -o DIR";
        return false;
    }
    if (options.output.empty()) {
        error = "-o: the output name is empty";
        return false;
    }
    if (haveFormat && formatText.empty()) {
        error = "--format: the format name is empty";
        return false;
    }
    if (haveMs ? !OneFrameFormat(options.output, formatText, error)
               : !SequenceFormat(options.output, formatText, options.format, error))
        return false;
    if (haveMs && haveJobs) {
        error = "--jobs sets the threads of --fps captures; --ms renders one frame";
        return false;
    }
    if (haveCrf) {
        using Format = CaptureOptions::Format;
        if (options.format != Format::Mp4 && options.format != Format::Webm) {
            error = "--crf sets the quality of .mp4 and .webm; the other formats are lossless";
            return false;
        }
        uint32_t crf = 0;
        if (!ParseCount("--crf", crfText, 0, options.format == Format::Mp4 ? 51 : 63, crf, error))
            return false;
        options.crf = static_cast<int>(crf);
    }
    if (haveJobs && !ParseCount("--jobs", jobsText, 1, kMaxJobs, options.jobs, error)) return false;
    const bool video = !haveMs && options.format != CaptureOptions::Format::PngFolder;
    if (haveSize && !ParseSize(sizeText, video, options.screenWidth, options.screenHeight, error))
        return false;
    return true;
}

uint64_t CaptureFrameMs(uint64_t k, double fps) {
    return static_cast<uint64_t>(std::floor(static_cast<double>(k) * 1000.0 / fps));
}

uint64_t CaptureFrameCount(double fps, double duration) {
    const double limit = duration * 1000.0;
    // Start from the estimate and settle on the exact count, since the
    // frame times are floored.
    uint64_t count = static_cast<uint64_t>(std::max(0.0, std::floor(limit * fps / 1000.0) - 2.0));
    while (count > 0 && static_cast<double>(CaptureFrameMs(count - 1, fps)) >= limit)
        --count;
    while (static_cast<double>(CaptureFrameMs(count, fps)) < limit)
        ++count;
    return count;
}

uint32_t CaptureMusicMs(uint64_t ms, const CaptureMusic& music) {
    if (music.frames == 0 || !music.loop) return static_cast<uint32_t>(ms);
    return static_cast<uint32_t>(ms * 48 % music.frames * 1000 / 48000);
}

uint64_t CaptureMusicFrames(double duration) {
    return static_cast<uint64_t>(std::llround(duration * 48000.0));
}

std::string CaptureUsage(const std::string& name, int width, int height) {
    return "Usage: " + name +
           " --ms T -o FILE.png\n"
           "  or:  " +
           name +
           " --fps F --duration S -o VIDEO.mp4|VIDEO.mkv|VIDEO.webm\n"
           "  or:  " +
           name +
           " --fps F --duration S -o DIR\n"
           "\n"
           "Renders the demo effect offline, without a window, to " +
           std::to_string(width) + "x" + std::to_string(height) +
           " PNG files\nor to a video.\n"
           "\n"
           "  --ms T          one frame at T elapsed milliseconds (0 to 4294967295),\n"
           "                  rendered right after FFX_Init, written to FILE.png\n"
           "  --fps F         frames k = 0, 1, ... at floor(k * 1000 / F) ms (0 < F <= 1000)\n"
           "  --duration S    while that is below S * 1000 (0 < S <= 4294967.296), all on one\n"
           "                  effect state, frame k shown at k / F seconds in a video, or\n"
           "                  as DIR/frame_00000.png, DIR/frame_00001.png, ... in a folder\n"
           "                  (an existing one, or a name without an extension: created)\n"
           "  --start S       the sequence begins S seconds in (default 0), its music too:\n"
           "                  frame k at S * 1000 + floor(k * 1000 / F) ms\n"
           "  -o, --output    the PNG file (--ms), the video, or the folder (--fps);\n"
           "                  - for standard output\n"
           "  --format NAME   mp4, mkv, webm or png, whatever the output's name (needed\n"
           "                  with -o - for a video; mkv and webm stream best)\n"
           "  --crf N         quality of .mp4 (H.264, 0 to 51; without it a rate, below)\n"
           "                  and .webm (VP9, 0 to 63, default 32): lower is better, bigger\n"
           "  --jobs N        threads that encode (default: one per core)\n"
           "  --size WxH      the frames as a screen of that size shows them (or 720p,\n"
           "                  1080p, 1440p, 2160p): the picture as large as it fits,\n"
           "                  centred on black, its pixels sharp (repeated to the next\n"
           "                  whole scale, then smoothly down where that is too large);\n"
           "                  without --ms or --fps, 60 frames a second\n"
           "  --no-music      leaves the demo's music out\n"
           "  -h, --help      this text\n"
           "  --version       the tool's name and version\n"
           "\n"
           ".mp4 is H.264 High in yuv420p for browsers, players and parties (at 12 Mbit/s\n"
           "for 1920x1080, in proportion to the pixels elsewhere, 4 at least; --crf N\n"
           "instead holds a quality); .mkv is lossless H.264 in RGB (libx264rgb, High 4:4:4\n"
           "Predictive): its frames equal the PNG frames bit for bit; .webm is VP9.\n"
           "\n"
           "A demo with music puts it beside the frames, frame k showing the music at\n"
           "k / F seconds: AAC in .mp4, Opus in .webm, FLAC (lossless) in .mkv, and\n"
           "DIR/music.wav beside PNG files. Without --duration, a sequence lasts as long\n"
           "as the music (from --start on), or as a demo without music declares (its\n"
           "LENGTH); a music that loops needs --duration, and its frames (--ms too) show\n"
           "the music's position, which starts again at its length.\n"
           "\n"
           "A regular file (or one a symbolic link points to) is written under a\n"
           "temporary name and renamed when complete; a device, a FIFO or standard\n"
           "output is written in place and never replaced. Ctrl+C stops the capture\n"
           "and removes the unfinished file.\n"
           "Exit status: 0 done, 2 bad input or output that cannot be opened, 1 failure\n"
           "while writing, 130/143 interrupted by SIGINT/SIGTERM.\n";
}
