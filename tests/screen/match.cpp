// match.cpp -- the search behind ffxscreencheck: offset, seconds, row.
#include "tests/screen/match.h"

#include <algorithm>

#include "ffxdemo.h"
#include "common/elapsed.h"
#include "effect/ffx.h"

namespace {

// The grid ends at y 457; below it only the plasma shows.
constexpr int32_t PLAIN_FIRST_ROW = 458;
constexpr size_t MISMATCHES_KEPT = 10;

bool InCorner(size_t i) {
    return InReadout(int(i % size_t(width)), int(i / size_t(width)));
}

// Offsets o (mod n) with screen pixel i == plasmaTable[(i + o) mod n] for
// every i in the rows below the grid.
std::vector<int32_t> PlasmaOffsets(const std::vector<uint32_t>& screen) {
    const size_t n = size_t(width) * size_t(height);
    const size_t first = size_t(PLAIN_FIRST_ROW) * size_t(width);
    std::vector<int32_t> found;
    for (size_t j = 0; j < n; ++j) {
        if ((plasmaTable[j] & 0xFFFFFF) != screen[first]) continue;
        const size_t o = (j + n - first) % n;
        bool fits = true;
        for (size_t i = first; i < n && fits; ++i)
            fits = (plasmaTable[(i + o) % n] & 0xFFFFFF) == screen[i];
        if (fits) found.push_back(int32_t(o));
    }
    return found;
}

// The elapsed milliseconds whose seconds give plasma offset o: about 10 o.
std::vector<uint32_t> MillisecondsFor(int32_t o) {
    std::vector<uint32_t> ms;
    const int64_t start = std::max<int64_t>(0, int64_t(o) * 10 - 2);
    for (int64_t m = start; m <= int64_t(o) * 10 + 10; ++m) {
        const float s = COM_MsToSeconds(uint32_t(m));
        if (int64_t(double(s) * 100.0) == o) ms.push_back(uint32_t(m));
    }
    return ms;
}

// Renders the effect at the seconds of ms with the grid at row, without a
// scroll step, into frame.
void Render(std::vector<uint32_t>& frame, uint32_t ms, int32_t row) {
    const float seconds = COM_MsToSeconds(ms);
    scrollRow = row;
    lastStepTime = seconds;
    FFX_Render(frame.data(), seconds);
}

// How many pixels from the start agree outside the readout corner: all of
// them (the screen's size) when the frame fits there.
size_t AgreeingPrefix(const std::vector<uint32_t>& screen, const std::vector<uint32_t>& frame) {
    for (size_t i = 0; i < screen.size(); ++i)
        if ((frame[i] & 0xFFFFFF) != screen[i] && !InCorner(i)) return i;
    return screen.size();
}

// The full comparison of the screen with the rendered frame.
MatchResult Compare(const std::vector<uint32_t>& screen, const std::vector<uint32_t>& frame) {
    MatchResult r;
    std::vector<Mismatch> corner;
    for (size_t i = 0; i < screen.size(); ++i) {
        const uint32_t effect = frame[i] & 0xFFFFFF;
        if (effect == screen[i]) continue;
        const bool inCorner = InCorner(i);
        (inCorner ? r.inside : r.outside) += 1;
        auto& list = inCorner ? corner : r.first;
        if (list.size() < MISMATCHES_KEPT)
            list.push_back({int(i % size_t(width)), int(i / size_t(width)), screen[i], effect});
    }
    for (const auto& m : corner)
        if (r.first.size() < MISMATCHES_KEPT) r.first.push_back(m);
    return r;
}

} // namespace

MatchResult MatchScreen(const std::vector<uint32_t>& screen, Expect expect) {
    static std::vector<uint32_t> frame(size_t(width) * size_t(height));
    if (!plasmaTable) FFX_Init(frame.data());

    // Candidates are tried until one is as expected; when none is, the one
    // that agrees longest outside the corner is reported.
    const std::vector<int32_t> offsets = PlasmaOffsets(screen);
    MatchResult best;
    size_t bestPrefix = 0;
    for (int32_t o : offsets) {
        for (uint32_t ms : MillisecondsFor(o)) {
            // The grid steps a little under five times a second, so the row
            // is usually just below seconds * 5: start there, go down.
            const int32_t likely = int32_t(COM_MsToSeconds(ms) * 5) % PATTERN_ROWS;
            for (int32_t k = 0; k < PATTERN_ROWS; ++k) {
                const int32_t row = (likely - k + PATTERN_ROWS) % PATTERN_ROWS;
                Render(frame, ms, row);
                const size_t prefix = AgreeingPrefix(screen, frame);
                if (best.offset >= 0 && prefix <= bestPrefix && prefix < screen.size()) continue;
                MatchResult r = Compare(screen, frame);
                r.ok = r.outside == 0 && (expect == Expect::Exact ? r.inside == 0 : r.inside > 0);
                r.offset = o;
                r.milliseconds = ms;
                r.seconds = COM_MsToSeconds(ms);
                r.row = row;
                if (best.offset < 0 || prefix > bestPrefix || r.ok) {
                    best = r;
                    bestPrefix = prefix;
                }
                if (r.ok) {
                    best.offsets = offsets;
                    return best;
                }
            }
        }
    }
    best.offsets = offsets;
    return best;
}
