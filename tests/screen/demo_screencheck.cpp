// demo_screencheck.cpp -- NAME-screencheck, the screen checker of any demo
// whose frame is a function of the elapsed time alone: renders the demo's
// frames, one elapsed millisecond after another over a window of times, with
// its own code, and looks for one the screenshot shows exactly. With
// --readout, the frame-rate readout must be there instead: everything
// outside the top-left corner exact, something inside it different. A screen
// of one colour proves nothing (it is what shows before the first frame) and
// fails.
// Exit status 0 when the screen is as expected, 1 when not, 2 on bad usage.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ffxdemo.h"
#include "tests/screen/pngread.h"
#include "tests/screen/readout.h"
#include "tools/offline/demo_frame.h"

namespace {

int Usage(const char* program) {
    std::fprintf(stderr, "usage: %s [--readout] [--within FROM_MS TO_MS] SCREENSHOT.png\n",
                 program);
    return 2;
}

// How the rendered frame compares with the screen: the pixels that agree from
// the start outside the readout corner (all of them when the frame fits
// there), and whether any differs inside the corner.
struct Agreement {
    size_t prefix = 0;
    bool cornerDiffers = false;
};

Agreement Compare(const DemoFrame& demo, const std::vector<uint32_t>& screen) {
    Agreement a;
    for (size_t i = 0; i < screen.size(); ++i) {
        if ((demo.Shown(i) & 0xFFFFFF) == screen[i]) continue;
        if (!InReadout(int(i % size_t(width)), int(i / size_t(width)))) {
            a.prefix = i;
            return a;
        }
        a.cornerDiffers = true;
    }
    a.prefix = screen.size();
    return a;
}

} // namespace

int main(int argc, char** argv) {
    bool readout = false;
    unsigned long from = 0, to = 120000;
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--readout") == 0) {
            readout = true;
        } else if (std::strcmp(argv[i], "--within") == 0 && i + 2 < argc) {
            from = std::strtoul(argv[++i], nullptr, 10);
            to = std::strtoul(argv[++i], nullptr, 10);
        } else if (!path && argv[i][0] != '-') {
            path = argv[i];
        } else {
            return Usage(argv[0]);
        }
    }
    if (!path || from > to || to > 0xFFFFFFFFul) return Usage(argv[0]);

    std::vector<uint32_t> screen;
    int w = 0, h = 0;
    std::string error;
    if (!ReadPng(path, screen, w, h, error)) {
        std::fprintf(stderr, "%s: %s: %s\n", argv[0], path, error.c_str());
        return 1;
    }
    if (w != width || h != height) {
        std::fprintf(stderr, "%s: %s is %dx%d, not %dx%d\n", argv[0], path, w, h, int(width),
                     int(height));
        return 1;
    }

    if (std::all_of(screen.begin(), screen.end(), [&](uint32_t p) { return p == screen[0]; })) {
        std::printf("%s: FAIL: the screen is all %06X\n", argv[0], unsigned(screen[0]));
        return 1;
    }

    DemoFrame demo;
    if (!demo.Init()) {
        std::fprintf(stderr, "%s: FFX_Init failed\n", argv[0]);
        return 1;
    }
    size_t best = 0;
    unsigned long bestMs = from;
    for (unsigned long ms = from; ms <= to; ++ms) {
        demo.RenderBuffer(uint32_t(ms));
        const Agreement a = Compare(demo, screen);
        if (a.prefix == screen.size() && a.cornerDiffers == readout) {
            std::printf("%s: ok: the frame at %lu ms%s\n", argv[0], ms,
                        readout ? ", with the readout" : "");
            return 0;
        }
        if (a.prefix > best) {
            best = a.prefix;
            bestMs = ms;
        }
    }
    std::printf("%s: FAIL: no frame from %lu to %lu ms is on the screen%s; the closest, at %lu ms, ",
                argv[0], from, to, readout ? " with a readout" : "", bestMs);
    if (best == screen.size())
        std::printf("agrees outside the readout corner\n");
    else
        std::printf("differs first at (%zu, %zu)\n", best % size_t(width), best / size_t(width));
    return 1;
}
