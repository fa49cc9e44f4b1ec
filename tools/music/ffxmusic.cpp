// ffxmusic.cpp -- a demo's music checked and decoded at build time.
//
//   ffxmusic FILE                      checks it; prints its length
//   ffxmusic FILE CODED SOURCE LOOP [LENGTH_MS FADE_MS]
//                                      writes it as MP3 (encode.h) and the
//                                      C++ source that embeds it
//                                      (common/music.h); with the demo's
//                                      length, cut to it and faded out
//                                      (length.h)
//
// For the browser CODED ends in .js: a script, loaded by the page before
// its module, that gives the same MP3 to the page as Module.ffxMusic (in
// base64, with the decoder's delay and length); the source then has the
// music's length and loop only.
//
// A file that cannot be read or decoded stops it with one line naming the
// file and the reason, and exit status 1; nothing is left half written.
#include <cstdio>
#include <string>
#include <vector>

#include "decode.h"
#include "encode.h"
#include "length.h"
#include "write_file.h"

extern "C" {
#include <libavutil/base64.h>
}

namespace {

// For a string literal of the assembler.
std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out;
}

// The music's length and whether it loops.
std::string Length(size_t frames, bool loop) {
    return "const uint32_t musicFrames = " + std::to_string(frames) +
           ";\nconst int32_t musicLoop = " + (loop ? "1" : "0") + ";\n";
}

// A source that embeds the file at `path` under `symbol`, then `rest`.
std::string Source(const char* symbol, const std::string& path, const std::string& rest) {
    // Read-only data under the symbol (with the platform's prefix for C
    // symbols, none on ELF and x86_64 Windows). The compiler puts this
    // before its own code and data and believes itself in .text, so .text
    // it is again after it (COFF has no .previous).
    return std::string("// The music, written by ffxmusic.\n"
                       "#include \"common/music.h\"\n\n"
                       "#define FFX_TEXT2(x) #x\n"
                       "#define FFX_TEXT(x) FFX_TEXT2(x)\n"
                       "#define FFX_SYMBOL FFX_TEXT(__USER_LABEL_PREFIX__) \"") +
           symbol +
           "\"\n"
           "asm(\".section .rodata\\n.balign 16\\n.globl \" FFX_SYMBOL \"\\n\" FFX_SYMBOL \":\\n"
           ".incbin \\\"" +
           Escaped(Escaped(path)) + "\\\"\\n.text\");\n\n" + rest;
}

// The page's script: the MP3 and what decoding it gives.
std::string Script(const std::string& mp3, size_t frames, int delay, uint64_t decoded) {
    std::string base64(AV_BASE64_SIZE(mp3.size()), '\0');
    av_base64_encode(&base64[0], static_cast<int>(base64.size()),
                     reinterpret_cast<const uint8_t*>(mp3.data()), static_cast<int>(mp3.size()));
    base64.resize(base64.size() - 1); // its terminating zero
    return "// The music for the page, written by ffxmusic: MP3, which decoded gives\n"
           "// `decoded` sample frames, the music's `frames` from `delay` on.\n"
           "var Module = typeof Module != 'undefined' ? Module : {};\n"
           "Module['ffxMusic'] = {frames: " +
           std::to_string(frames) + ", delay: " + std::to_string(delay) +
           ", decoded: " + std::to_string(decoded) + ", mp3: '" + base64 + "'};\n";
}

std::string WebSource(size_t frames, bool loop) {
    return "// The music's length, written by ffxmusic; the page has its samples.\n"
           "#include \"common/music.h\"\n\n" +
           Length(frames, loop);
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 5 && argc != 7) {
        std::fprintf(stderr, "usage: ffxmusic FILE [CODED SOURCE LOOP [LENGTH_MS FADE_MS]]\n");
        return 2;
    }
    DemoLength length;
    std::string why;
    if (argc == 7 && !ParseDemoLength(argv[5], argv[6], length, why)) {
        std::fprintf(stderr, "%s\n", why.c_str());
        return 2;
    }
    const std::string path = argv[1];
    std::vector<int16_t> samples;
    std::string error;
    if (!DecodeMusic(path, samples, error)) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
        return 1;
    }
    ApplyDemoLength(length, samples);
    const size_t frames = samples.size() / 2;
    if (frames * 4 > 0xFFFFFFFFu) {
        std::fprintf(stderr, "%s: too long to embed (over 4 GiB of samples)\n", path.c_str());
        return 1;
    }
    if (argc == 2) {
        std::printf("%s: %zu sample frames, %.3f s\n", path.c_str(), frames, frames / 48000.0);
        return 0;
    }
    const std::string samplesPath = argv[2], sourcePath = argv[3];
    const bool loop = std::string(argv[4]) == "1", page = EndsWith(samplesPath, ".js");
    std::string source, data;
    int delay = 0;
    uint64_t decoded = 0;
    if (!EncodeMp3(samples, data, delay, decoded, error)) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
        return 1;
    }
    if (page && data.size() > 0x3FFFFFFFu) {
        std::fprintf(stderr, "%s: too long for a page (over 1 GiB of MP3)\n", path.c_str());
        return 1;
    }
    if (page) {
        source = WebSource(frames, loop);
        data = Script(data, frames, delay, decoded);
    } else {
        source = Source("musicCoded", samplesPath,
                        Length(frames, loop) +
                            "const uint32_t musicCodedBytes = " + std::to_string(data.size()) +
                            ";\nconst uint32_t musicCodedDelay = " + std::to_string(delay) + ";\n");
    }
    if (!WriteWholeFile(samplesPath, data) || !WriteWholeFile(sourcePath, source)) {
        std::fprintf(stderr, "%s: cannot write %s or %s\n", path.c_str(), samplesPath.c_str(),
                     sourcePath.c_str());
        return 1;
    }
    return 0;
}
