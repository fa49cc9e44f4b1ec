// bench.cpp -- ffxbench: the cost of one frame of the effect against the
// memory bandwidth of one frame copy, and of FFX_Init against the table
// computed entry by entry.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "ffxdemo.h"
#include "effect/ffx.h"
#include "tools/bench/copy.h"

namespace {

// A time with a non-zero plasma offset (123456 pixels) and a 7-character
// readout; the scroll clock steps on the first frame only.
constexpr float kSeconds = 1234.56f;

void EnsureInit() {
    if (!plasmaTable) {
        randState = 1;
        FFX_Init(nullptr);
    }
}

// The plasma layer as first defined: one modulo per pixel.
void NaivePlasma(uint32_t* frame, float seconds) {
    const uint32_t n = static_cast<uint32_t>(Pixels());
    const uint32_t offset = static_cast<uint32_t>(static_cast<double>(seconds) * 100.0);
    for (uint32_t i = 0; i < n; ++i)
        frame[i] = plasmaTable[(i + offset) % n];
}

void BM_RenderFrame(benchmark::State& state) {
    EnsureInit();
    std::vector<uint32_t> frame(Pixels());
    for (auto _ : state) {
        FFX_Render(frame.data(), kSeconds);
        benchmark::DoNotOptimize(frame.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(Pixels() * 4));
}
BENCHMARK(BM_RenderFrame);


void BM_RenderNaive(benchmark::State& state) {
    EnsureInit();
    std::vector<uint32_t> frame(Pixels());
    for (auto _ : state) {
        FFX_StepPattern(kSeconds);
        NaivePlasma(frame.data(), kSeconds);
        FFX_DrawTime(frame.data(), kSeconds);
        FFX_DrawPattern(frame.data(), 100 * width + 40, 19 - scrollRow);
        benchmark::DoNotOptimize(frame.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(Pixels() * 4));
}
BENCHMARK(BM_RenderNaive);

void BM_Init(benchmark::State& state) {
    for (auto _ : state) {
        randState = 1; // the same pattern every time, as at start-up
        benchmark::DoNotOptimize(FFX_Init(nullptr));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Init)->Unit(benchmark::kMicrosecond);

// The table as first defined, the baseline for BM_Init: two sines per entry.
void BM_InitNaive(benchmark::State& state) {
    std::vector<uint32_t> table(Pixels());
    for (auto _ : state) {
        uint32_t* entry = table.data();
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const double a = 0.03 * x;
                const double b = 0.01 * y;
                const auto green = static_cast<uint32_t>(std::sin(a + b) * 127 + 128);
                const auto blue = static_cast<uint32_t>(std::sin(0.0001 * (y * x)) * 127 + 128);
                *entry++ = (green << 8) + blue;
            }
        }
        benchmark::DoNotOptimize(table.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_InitNaive)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
