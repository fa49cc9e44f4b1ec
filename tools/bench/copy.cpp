// copy.cpp -- the yardstick of the effects' benchmarks: one copy of a whole
// 32-bit frame, as the transfer to the back buffer does it.
#include "tools/bench/copy.h"

#include <cstring>
#include <vector>

size_t Pixels() {
    return static_cast<size_t>(width) * static_cast<size_t>(height);
}

namespace {

void BM_CopyFrame(benchmark::State& state) {
    std::vector<uint32_t> source(Pixels(), 0x8080u), frame(Pixels());
    for (auto _ : state) {
        std::memcpy(frame.data(), source.data(), Pixels() * 4);
        benchmark::DoNotOptimize(frame.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(Pixels() * 4));
}
BENCHMARK(BM_CopyFrame);

} // namespace
