// match.h -- finds the effect frame a screenshot shows: the plasma offset
// from the rows below the grid, then the seconds and scroll row whose
// rendering equals the screen. Used by ffxscreencheck.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tests/screen/readout.h"


// Exact: every pixel equals the effect's frame. Readout: every pixel outside
// the readout corner does, and at least one inside it differs.
enum class Expect { Exact, Readout };

struct Mismatch {
    int x, y;
    uint32_t screen, effect; // 0x00RRGGBB
};

struct MatchResult {
    bool ok = false;
    std::vector<int32_t> offsets; // plasma offsets that fit the bottom rows
    // The best candidate tried (fewest differing pixels outside the corner).
    int32_t offset = -1;
    float seconds = 0;
    uint32_t milliseconds = 0;   // the elapsed time that gives those seconds
    int32_t row = 0;             // scrollRow: the pattern row at the bottom
    size_t outside = 0;          // differing pixels outside the readout corner
    size_t inside = 0;           // and inside it
    std::vector<Mismatch> first; // the first few differing pixels (outside first)
};

// screen: width x height pixels 0x00RRGGBB, row-major. Initialises the
// effect on first use and leaves its scroll clock changed.
MatchResult MatchScreen(const std::vector<uint32_t>& screen, Expect expect);
