// track.cpp -- the sync tracks an effect asks for by name, and their values.
#include "common/track.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include "common/elapsed.h"
#include "common/score.h"
#include "ffxdemo.h"

namespace {

std::map<std::string, std::unique_ptr<FFX_Track>> tracks;
std::vector<FFX_Track*> asked;

std::vector<TRK_Key>::iterator At(FFX_Track* track, uint32_t row) {
    return std::lower_bound(track->keys.begin(), track->keys.end(), row,
                            [](const TRK_Key& key, uint32_t r) { return key.row < r; });
}

} // namespace

double TRK_Value(const TRK_Key* keys, uint32_t count, double row, uint32_t& last) {
    if (count == 0) return 0.0;
    if (row <= keys[0].row) return keys[0].value;
    // The last key at or before the row: the one found last, or its next,
    // or else a search.
    uint32_t low = last < count ? last : 0;
    if (keys[low].row > row || (low + 1 < count && keys[low + 1].row <= row)) {
        if (low + 1 < count && keys[low + 1].row <= row &&
            (low + 2 == count || keys[low + 2].row > row)) {
            ++low;
        } else {
            uint32_t high = count;
            low = 0;
            while (high - low > 1) {
                const uint32_t middle = low + (high - low) / 2;
                if (keys[middle].row <= row)
                    low = middle;
                else
                    high = middle;
            }
        }
    }
    last = low;
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

const std::vector<FFX_Track*>& TRK_Asked(void) {
    return asked;
}

void TRK_SetKey(FFX_Track* track, const TRK_Key& key) {
    const auto at = At(track, key.row);
    if (at != track->keys.end() && at->row == key.row)
        *at = key;
    else
        track->keys.insert(at, key);
}

void TRK_DeleteKey(FFX_Track* track, uint32_t row) {
    const auto at = At(track, row);
    if (at != track->keys.end() && at->row == row) track->keys.erase(at);
}

const FFX_Track* FFX_GetTrack(const char* name) {
    std::unique_ptr<FFX_Track>& track = tracks[name ? name : ""];
    if (!track) {
        track.reset(new FFX_Track{name ? name : "", {}});
        for (uint32_t i = 0; i < trackCount; ++i)
            if (track->name == trackData[i].name)
                track->keys.assign(trackData[i].keys, trackData[i].keys + trackData[i].count);
        asked.push_back(track.get());
    }
    return track.get();
}

double TRK_RowAt(double seconds) {
    return trackRowsPerSecond > 0 ? seconds * trackRowsPerSecond : SCO_RowAt(seconds);
}

uint32_t TRK_RowMs(uint32_t row) {
    const double start = trackRowsPerSecond > 0 ? row / trackRowsPerSecond : SCO_SecondsAtRow(row);
    uint32_t ms = static_cast<uint32_t>(std::ceil(start * 1000.0));
    while (TRK_RowAt(static_cast<double>(COM_MsToSeconds(ms))) < row && ms < 0xFFFFFFFFu)
        ++ms;
    return ms;
}

float FFX_TrackValue(const FFX_Track* track, float seconds) {
    if (!track) return 0.0f;
    return static_cast<float>(TRK_Value(track->keys.data(), static_cast<uint32_t>(track->keys.size()),
                                        TRK_RowAt(static_cast<double>(seconds)), track->last));
}
