// tracks.cpp -- what an effect's sync tracks cost a frame: the values of 20
// tracks (64 keys each, every interpolation) at one time, to set beside
// BM_RenderFrame, a whole frame of ffxdemo's effect (target: under 1 %).
#include <benchmark/benchmark.h>

#include <string>

#include "ffxdemo.h"

namespace {

void BM_TwentyTrackValues(benchmark::State& state) {
    const FFX_Track* tracks[20];
    for (int i = 0; i < 20; ++i)
        tracks[i] = FFX_GetTrack(("bench:" + std::to_string(i)).c_str());
    float seconds = 0.0f, sum = 0.0f;
    for (auto _ : state) {
        for (const FFX_Track* track : tracks)
            sum += FFX_TrackValue(track, seconds);
        seconds = seconds < 250.0f ? seconds + 0.0167f : 0.0f; // frame after frame
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_TwentyTrackValues);

} // namespace
