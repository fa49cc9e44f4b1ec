// options.h -- ffxcapture's command line: what to render and where.
#pragma once

#include <cstdint>
#include <string>

// A demo's music, which the capture puts beside its frames: 48 kHz stereo
// 16-bit samples, left and right interleaved; none when frames is 0.
struct CaptureMusic {
    const int16_t* samples = nullptr;
    uint32_t frames = 0;
    bool loop = false; // it starts again at its end
};

struct CaptureOptions {
    enum class Mode { Help, Version, OneFrame, Sequence };
    // What the output holds: one PNG file, a folder of PNG files, or a video.
    enum class Format { Png, PngFolder, Mp4, Mkv, Webm };
    Mode mode = Mode::Help;
    Format format = Format::Png;
    uint32_t ms = 0;       // OneFrame: elapsed milliseconds
    double fps = 0.0;      // Sequence: frames per second, 0 < fps <= 1000
    double duration = 0.0; // Sequence: seconds, 0 < duration <= 4294967.296
    uint32_t startMs = 0;  // Sequence: the elapsed milliseconds of its first frame
    int crf = -1;          // Mp4, Webm: the encoder's quality setting; -1 for its default
    unsigned jobs = 0;     // Sequence: threads that encode; 0 for one per core
    int screenWidth = 0;   // --size: the screen the frames are shown on; 0 for the
    int screenHeight = 0;  //   demo's own size
    std::string output;    // the file, the folder, or "-" for standard output
    bool music = false;    // the demo's music goes into the video (or DIR/music.wav)
};

// Parses argv[1..argc-1] (--help, then --version, win over everything
// else) and settles the format: --format if given, else an
// existing folder or a name without an extension for a PNG sequence, else the
// name's extension. For a demo with `music` (unless --no-music), a sequence
// without --duration lasts as long as the music (from --start on), which
// must not loop; for a demo without music, its LENGTH (`lengthMs`, 0 for
// none). On bad
// input returns false with `error` set to one line (without the program
// name or newline) that names the problem.
bool ParseCaptureOptions(int argc, const char* const* argv, CaptureOptions& options,
                         std::string& error, const CaptureMusic& music = CaptureMusic(),
                         uint32_t lengthMs = 0);

// The milliseconds the effect is given for elapsed time `ms`: the music's
// position, which with a looping music starts again at its length.
uint32_t CaptureMusicMs(uint64_t ms, const CaptureMusic& music);

// How many sample frames of music a sequence of `duration` seconds holds.
uint64_t CaptureMusicFrames(double duration);

// The elapsed milliseconds of sequence frame k: floor(k * 1000 / fps).
uint64_t CaptureFrameMs(uint64_t k, double fps);

// How many frames a sequence has: those whose milliseconds are below
// duration * 1000.
uint64_t CaptureFrameCount(double fps, double duration);

// The --help text of the capture tool called `name`, for frames of width x
// height pixels.
std::string CaptureUsage(const std::string& name, int width, int height);
