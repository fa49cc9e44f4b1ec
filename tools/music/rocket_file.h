// rocket_file.h -- the sync editors' XML project file (.rocket), read:
//
//   <sync rows="N"><tracks><track name="group:name">
//     <key row="R" value="V" interpolation="0-3"/>...
//
// Other elements and attributes (RocketEditor's bookmarks, its track
// colours) are let be. ffxsync checks and compiles it at build time; the
// live program reads it again when it is saved.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RocketKey {
    uint32_t row;
    float value;
    int interpolation; // 0 step, 1 linear, 2 smooth, 3 ramp
};

struct RocketTrack {
    std::string name;
    std::vector<RocketKey> keys; // by row, rising
};

struct RocketFile {
    std::vector<RocketTrack> tracks;
    std::string beatsPerMin, rowsPerBeat; // as the file has them, or empty
};

// Reads `path` into `file`. False, with `error` the line that says why
// ("PATH:12: ..." with the line's number where there is one, else "PATH:
// ..."), when it cannot be read or holds a bad key.
bool ReadRocketFile(const std::string& path, RocketFile& file, std::string& error);
