// track.h -- the sync tracks as ffx_add_demo compiles them from a demo's
// SYNC file (ffxsync), and their values (track.cpp). Standard library only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// How a key's value goes to the next key's, t from 0 to 1 between them.
enum TRK_Interpolation : uint8_t {
    TRK_STEP = 0,   // the key's value
    TRK_LINEAR = 1, // t
    TRK_SMOOTH = 2, // t^2 (3 - 2t)
    TRK_RAMP = 3,   // t^2
};

struct TRK_Key {
    uint32_t row;
    float value;
    TRK_Interpolation interpolation;
};

struct TRK_Data {
    const char* name;    // "group:name"
    const TRK_Key* keys; // by row, rising
    uint32_t count;
};

// The demo's tracks (NAME_sync.cpp, or none: track_none.cpp).
extern const TRK_Data trackData[];
extern const uint32_t trackCount;
extern const double trackRowsPerSecond; // BPM / 60 x rows per beat; 0: the music's rows

// The row (fractional) at `seconds`: by the BPM, or where the rows are the
// music's (MUSIC_ROWS), the played row and the fraction of it played
// (common/score.h).
double TRK_RowAt(double seconds);
// The first millisecond whose frame is on `row`, not just before it.
uint32_t TRK_RowMs(uint32_t row);

// A track as the framework holds it: its keys are the file's, or in the
// live program the sync editor's or the file's as saved since.
struct FFX_Track {
    std::string name;
    std::vector<TRK_Key> keys; // by row, rising
    mutable uint32_t last = 0; // the key found last: frame after frame, the one found next
};

// Every track asked for so far (FFX_GetTrack), in the order first asked.
const std::vector<FFX_Track*>& TRK_Asked(void);

// The live program's: the key on `key.row` set, or the one on `row` deleted.
void TRK_SetKey(FFX_Track* track, const TRK_Key& key);
void TRK_DeleteKey(FFX_Track* track, uint32_t row);

// The value at `row` (fractional) of `count` keys by rising row; 0 without
// keys. In double, without fused multiply-adds: the same on every build.
// `last` is where the search starts, and is set to the key found.
double TRK_Value(const TRK_Key* keys, uint32_t count, double row, uint32_t& last);
