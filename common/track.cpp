// track.cpp -- the sync tracks an effect asks for by name, and their values.
#include "common/track.h"

#include <map>
#include <memory>
#include <string>

#include "ffxdemo.h"

struct FFX_Track {
    const TRK_Key* keys;
    uint32_t count;
};

double TRK_Value(const TRK_Key* keys, uint32_t count, double row) {
    if (count == 0) return 0.0;
    if (row <= keys[0].row) return keys[0].value;
    // The last key at or before the row.
    uint32_t low = 0, high = count;
    while (high - low > 1) {
        const uint32_t middle = low + (high - low) / 2;
        if (keys[middle].row <= row)
            low = middle;
        else
            high = middle;
    }
    const TRK_Key& key = keys[low];
    if (low + 1 == count || key.interpolation == TRK_STEP) return key.value;
    const TRK_Key& next = keys[low + 1];
    double t = (row - key.row) / (static_cast<double>(next.row) - key.row);
    if (key.interpolation == TRK_SMOOTH)
        t = t * t * (3.0 - 2.0 * t);
    else if (key.interpolation == TRK_RAMP)
        t = t * t;
    const double from = key.value, to = next.value;
    return from + (to - from) * t;
}

const FFX_Track* FFX_GetTrack(const char* name) {
    static std::map<std::string, std::unique_ptr<FFX_Track>> tracks;
    std::unique_ptr<FFX_Track>& track = tracks[name ? name : ""];
    if (!track) {
        track.reset(new FFX_Track{nullptr, 0});
        for (uint32_t i = 0; i < trackCount; ++i)
            if (name && std::string(trackData[i].name) == name)
                *track = FFX_Track{trackData[i].keys, trackData[i].count};
    }
    return track.get();
}

float FFX_TrackValue(const FFX_Track* track, float seconds) {
    if (!track) return 0.0f;
    return static_cast<float>(
        TRK_Value(track->keys, track->count, static_cast<double>(seconds) * trackRowsPerSecond));
}
