// seek.cpp -- ffxbench-seek: a seek in four minutes of music (the examples'
// suite), 10 ms read from a place the last read did not end at, against
// the same place reached by decoding from the music's start, side by side.
#include <benchmark/benchmark.h>

#include <vector>

#include "app/music_source.h"
#include "common/music.h"

namespace {

constexpr uint32_t kReadFrames = MUS_RATE / 100;

// Places spread over the whole music, taken in turn.
uint32_t NextPlace(uint32_t& step) {
    step = (step + 1) % 16;
    return (musicFrames - kReadFrames) / 16 * step + 7919 * step;
}

void BM_SeekByFrameIndex(benchmark::State& state) {
    std::vector<uint8_t> out(kReadFrames * 4);
    MUS_Open();
    uint32_t step = 0;
    for (auto _ : state) {
        MUS_Read(NextPlace(step) * 4, out.data(), kReadFrames * 4);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_SeekByFrameIndex)->Unit(benchmark::kMillisecond);

// What a seek was before: the codec from the start, every sample decoded
// up to the place.
void BM_SeekByDecodingFromTheStart(benchmark::State& state) {
    std::vector<uint8_t> out(MUS_RATE * 4);
    uint32_t step = 0;
    for (auto _ : state) {
        const uint32_t place = NextPlace(step);
        MUS_Open();
        for (uint32_t at = 0; at < place; at += MUS_RATE)
            MUS_Read(at * 4, out.data(), (place - at < MUS_RATE ? place - at : MUS_RATE) * 4);
        MUS_Read(place * 4, out.data(), kReadFrames * 4);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_SeekByDecodingFromTheStart)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
