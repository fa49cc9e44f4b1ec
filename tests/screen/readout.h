// readout.h -- the corner where the frame-rate readout is written (from
// pixel (0, 0)): the screen checkers let it differ from the effect's frame.
#pragma once

constexpr int READOUT_WIDTH = 160;
constexpr int READOUT_HEIGHT = 32;

inline bool InReadout(int x, int y) {
    return x < READOUT_WIDTH && y < READOUT_HEIGHT;
}
