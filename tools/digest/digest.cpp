// digest.cpp -- NAME-digest: the demo's frames at chosen elapsed times, one
// line each, "MS DIGEST" (FNV-1a, 64 bits, over the shown frame's 32-bit
// pixels, each from its lowest byte). Built on every platform, so that
// scripts/frame-digests can compare the builds. The times are the command
// line's, or the demo's own (FFX_CHECK_TIMES), rendered in that order on
// one effect state. Exit status 0, 1 when FFX_Init fails or the effect
// writes past its frame buffer (named on stderr), 2 on bad usage.
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ffxdemo.h"
#include "tools/offline/demo_frame.h"

namespace {

uint64_t Digest(const uint32_t* pixels, size_t count) {
    uint64_t h = 0xcbf29ce484222325u;
    for (size_t i = 0; i < count; ++i)
        for (int shift = 0; shift < 32; shift += 8) {
            h ^= (pixels[i] >> shift) & 0xFF;
            h *= 0x100000001b3u;
        }
    return h;
}

bool ParseMs(const char* text, uint32_t& ms) {
    if (*text < '0' || *text > '9') return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (errno || *end || value > 0xFFFFFFFFu) return false;
    ms = static_cast<uint32_t>(value);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<uint32_t> times{FFX_CHECK_TIMES};
    if (argc > 1) times.clear();
    for (int i = 1; i < argc; ++i) {
        uint32_t ms;
        if (!ParseMs(argv[i], ms)) {
            std::fprintf(stderr, "usage: %s [MS...] (elapsed milliseconds, 0 to 4294967295)\n",
                         argv[0]);
            return 2;
        }
        times.push_back(ms);
    }
    DemoFrame frame;
    if (!frame.Init()) {
        std::fprintf(stderr, "%s: %s\n", argv[0],
                     frame.Overrun().empty() ? "FFX_Init failed" : frame.Overrun().c_str());
        return 1;
    }
    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    for (uint32_t ms : times) {
        const uint32_t* shown = frame.Render(ms);
        if (!shown) {
            std::fflush(stdout);
            std::fprintf(stderr, "%s: %s\n", argv[0], frame.Overrun().c_str());
            return 1;
        }
        std::printf("%" PRIu32 " %016" PRIx64 "\n", ms, Digest(shown, pixels));
    }
    FFX_Shutdown();
    return 0;
}
