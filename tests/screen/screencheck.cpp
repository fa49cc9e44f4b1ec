// screencheck.cpp -- ffxscreencheck: checks that a 640 x 480 screenshot shows
// exactly a frame the effect renders (some elapsed time, some scroll row).
// With --readout, the frame-rate readout must be there instead: everything
// outside the top-left corner exact, something inside it different.
// Exit status 0 when the screen is as expected, 1 when not, 2 on bad usage.
#include <cstdio>
#include <cstring>
#include <string>

#include "ffxdemo.h"
#include "tests/screen/match.h"
#include "tests/screen/pngread.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: ffxscreencheck [--readout] SCREENSHOT.png\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    Expect expect = Expect::Exact;
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--readout") == 0)
            expect = Expect::Readout;
        else if (!path && argv[i][0] != '-')
            path = argv[i];
        else
            return Usage();
    }
    if (!path) return Usage();

    std::vector<uint32_t> screen;
    int w = 0, h = 0;
    std::string error;
    if (!ReadPng(path, screen, w, h, error)) {
        std::fprintf(stderr, "ffxscreencheck: %s: %s\n", path, error.c_str());
        return 1;
    }
    if (w != width || h != height) {
        std::fprintf(stderr, "ffxscreencheck: %s is %dx%d, not %dx%d\n", path, w, h, int(width),
                     int(height));
        return 1;
    }

    const MatchResult r = MatchScreen(screen, expect);
    if (r.offsets.empty()) {
        std::printf("ffxscreencheck: FAIL: the rows below the grid show no plasma offset\n");
        return 1;
    }
    std::printf("ffxscreencheck: %s: plasma offset %d, seconds %.9g (as at %u ms), scroll row %d; "
                "%zu pixels differ "
                "outside the readout corner, %zu inside\n",
                r.ok ? "ok" : "FAIL", int(r.offset), double(r.seconds), unsigned(r.milliseconds),
                int(r.row), r.outside, r.inside);
    for (const Mismatch& m : r.first)
        std::printf("  (%d, %d): screen %06X, effect %06X\n", m.x, m.y, unsigned(m.screen),
                    unsigned(m.effect));
    if (!r.ok && expect == Expect::Readout && r.outside == 0)
        std::printf("ffxscreencheck: the readout corner shows no readout\n");
    return r.ok ? 0 : 1;
}
