// plasma.cpp -- the plasma table (built once by FFX_Init) and the background
// layer of FFX_Render, which shows the table rotated by the elapsed time.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "ffxdemo.h"
#include "effect/ffx.h"

uint32_t* plasmaTable = nullptr;

namespace {

// A channel value: sine * 127 + 128 truncated toward zero, 1 .. 255.
inline uint32_t Level(double sine) {
    return static_cast<uint32_t>(static_cast<int32_t>(sine * 127.0 + 128.0));
}

// (c, s) <- (c, s) rotated by the angle whose cosine and sine are (rc, rs).
inline void Rotate(double& c, double& s, double rc, double rs) {
    const double nc = c * rc - s * rs;
    s = s * rc + c * rs;
    c = nc;
}

// cosines[k], sines[k] = cos, sin of k times the angle whose cosine and
// sine are (rc, rs), for k = 0 .. count - 1, from (1, 0) exactly. Entries 0
// to 3 rotate one step at a time; entry k from 4 on is entry k - 4 rotated
// by four steps, so four independent chains run side by side and entry k is
// at most 3 + k / 4 roundings from exact.
void RotationSeries(double rc, double rs, int count, double* cosines, double* sines) {
    double c = 1.0, s = 0.0;
    int k = 0;
    for (; k < count && k < 4; ++k) {
        cosines[k] = c;
        sines[k] = s;
        Rotate(c, s, rc, rs);
    }
    for (; k < count; ++k) { // (c, s) is now four steps
        cosines[k] = cosines[k - 4] * c - sines[k - 4] * s;
        sines[k] = sines[k - 4] * c + cosines[k - 4] * s;
    }
}

// cosines[k], sines[k] = cos, sin of k * step for k = 0 .. count - 1: the
// library's values every kAnchor entries, each entry between rotated from
// its anchor by a shared table of steps; 1 and 0 exactly at k = 0. Then
// each pair is scaled to length 1: the blue channel raises these rotations
// to powers of up to 40, which multiplies an error in their length (not so
// much one in their angle) by as much.
constexpr int kAnchor = 64;

void SinCosSeries(double step, int count, double* cosines, double* sines) {
    double stepCos[kAnchor], stepSin[kAnchor];
    RotationSeries(std::cos(step), std::sin(step), kAnchor, stepCos, stepSin);
    for (int k0 = 0; k0 < count; k0 += kAnchor) {
        const double ac = std::cos(k0 * step), as = std::sin(k0 * step);
        const int n = std::min(kAnchor, count - k0);
        for (int j = 0; j < n; ++j) {
            cosines[k0 + j] = ac * stepCos[j] - as * stepSin[j];
            sines[k0 + j] = as * stepCos[j] + ac * stepSin[j];
        }
    }
    for (int k = 0; k < count; ++k) {
        const double length = std::sqrt(cosines[k] * cosines[k] + sines[k] * sines[k]);
        cosines[k] /= length;
        sines[k] /= length;
    }
}

// The blue channel's angle sum splits a row as x = kRun * part + i.
constexpr int kRun = 40;

// out[i] = green[i] + trunc(ps * runCos[i] + pc * runSin[i] + 128): one run
// of a table row, with ps and pc scaled by 127 beforehand.
void FillRun(uint32_t* __restrict out, const uint32_t* __restrict green, int count, double ps,
             double pc, const double* __restrict runCos, const double* __restrict runSin) {
    for (int i = 0; i < count; ++i)
        out[i] = green[i] + static_cast<uint32_t>(
                                static_cast<int32_t>(ps * runCos[i] + pc * runSin[i] + 128.0));
}

} // namespace

// The plain way, 2 * width * height sines, is what the whole-table test
// (tests/effect) compares against. Here the entries share their sines: about
// 110 library sines and cosines in all, the rest by rotations and angle sums.
// The entries come out the same because every entry's sine * 127 + 128 lies at least
// 8.5e-10 from an integer (the closest is 254.99999999914)
// except where the argument is exactly 0, and those sines stay exactly 0
// here; the shortcuts move a value by less than 1e-11.
void FFX_BuildPlasma(void) {
    const int w = width;
    const int h = height;

    // Green: 0.03x + 0.01y is 0.01 (3x + y) up to rounding, so g depends on
    // k = 3x + y alone: one value per k, stored pre-shifted and split by
    // k mod 3 so that the k of a row, y + 3x, are consecutive in one part.
    const int kCount = 3 * (w - 1) + (h - 1) + 1;
    const int stride = (kCount + 2) / 3;
    std::vector<double> sines(static_cast<size_t>(std::max(kCount, h)));
    std::vector<double> cosines(sines.size());
    std::vector<uint32_t> green(static_cast<size_t>(3 * stride));
    SinCosSeries(0.01, kCount, cosines.data(), sines.data());
    for (int k = 0; k < kCount; ++k)
        green[static_cast<size_t>((k % 3) * stride + k / 3)] = Level(sines[static_cast<size_t>(k)])
                                                               << 8;

    // Blue: sin(x t) with t = 0.0001 y, split as x = 40 part + i:
    // sin(x t) = sin(40 part t) cos(i t) + cos(40 part t) sin(i t).
    // The two short tables of a row are rotation series by t and by 40 t;
    // what is left per entry is a vectorised multiply-add, the truncation
    // and the green part.
    SinCosSeries(0.0001, h, cosines.data(), sines.data());
    std::vector<double> partStepCos(static_cast<size_t>(h)), partStepSin(static_cast<size_t>(h));
    SinCosSeries(0.0001 * kRun, h, partStepCos.data(), partStepSin.data());
    const int parts = (w + kRun - 1) / kRun;
    double runCos[kRun], runSin[kRun];
    std::vector<double> partCos(static_cast<size_t>(parts)), partSin(static_cast<size_t>(parts));
    for (int y = 0; y < h; ++y) {
        // Both series start from (1, 0) exactly: entries with x * y = 0 get
        // exactly 128.
        const size_t yi = static_cast<size_t>(y);
        RotationSeries(cosines[yi], sines[yi], kRun, runCos, runSin);
        RotationSeries(partStepCos[yi], partStepSin[yi], parts, partCos.data(), partSin.data());

        uint32_t* row = plasmaTable + yi * static_cast<size_t>(w);
        const uint32_t* greenRow = green.data() + (y % 3) * stride + y / 3;
        for (int part = 0; part < parts; ++part) {
            const int x0 = part * kRun;
            const double pc = partCos[static_cast<size_t>(part)] * 127.0;
            const double ps = partSin[static_cast<size_t>(part)] * 127.0;
            FillRun(row + x0, greenRow + x0, std::min(kRun, w - x0), ps, pc, runCos, runSin);
        }
    }
}

void FFX_DrawPlasma(uint32_t* frame, float seconds) {
    const int64_t n = static_cast<int64_t>(width) * height;
    // offset = trunc(seconds * 100) in double; seconds of 0 .. 4294967.5 give
    // 0 .. 429496750. The guard only keeps other inputs defined.
    const double scaled = static_cast<double>(seconds) * 100.0;
    const int64_t offset = (scaled > -9.0e18 && scaled < 9.0e18) ? static_cast<int64_t>(scaled) : 0;
    int64_t start = offset % n;
    if (start < 0) start += n;
    // frame[i] = table[(i + start) mod n]: the table rotated, that is its
    // tail from `start`, then its head.
    const size_t tail = static_cast<size_t>(n - start);
    std::memcpy(frame, plasmaTable + start, tail * sizeof(uint32_t));
    std::memcpy(frame + tail, plasmaTable, static_cast<size_t>(start) * sizeof(uint32_t));
}
