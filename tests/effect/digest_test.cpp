// digest_test.cpp -- the plasma table and whole frames against digests of the
// native build's, so that every toolchain, its sine included, is held to the
// same pixels as the one the reference tests run on.
#include <cstdint>
#include <vector>

#include "common/elapsed.h"
#include "tests/effect/fixture.h"
#include "tests/effect/reference.h"

using DigestTest = EffectTest;

namespace {

// FNV-1a, 64 bits, over the words' bytes from the lowest.
uint64_t Digest(const uint32_t* words, int count) {
    uint64_t h = 0xcbf29ce484222325u;
    for (int i = 0; i < count; ++i)
        for (int shift = 0; shift < 32; shift += 8) {
            h ^= (words[i] >> shift) & 0xFF;
            h *= 0x100000001b3u;
        }
    return h;
}

} // namespace

TEST_F(DigestTest, PlasmaTableAsNatively) {
    EXPECT_EQ(Digest(plasmaTable, ref::kPixels), 0xf6b659bfaebef0c5u);
}

TEST_F(DigestTest, FramesAsNatively) {
    // In order from the start: the scroll clock carries over.
    const struct {
        uint32_t ms;
        uint64_t digest;
    } frames[] = {{0, 0xed92d610576aa5dcu},
                  {1125, 0xcc2b46cc621462c5u},
                  {19625, 0xa8fc6a3c43fef76du},
                  {100000000, 0x3ff205313ccfde5cu},
                  {4294967295u, 0x7d989c067be83fbcu}};
    std::vector<uint32_t> frame(ref::kPixels);
    for (const auto& f : frames) {
        FFX_Render(frame.data(), COM_MsToSeconds(f.ms));
        EXPECT_EQ(Digest(frame.data(), ref::kPixels), f.digest) << f.ms << " ms";
    }
}
