// The object allocator: small blocks from per-size free lists, large ones
// from the heap, and the byte counts.
#include <gtest/gtest.h>

#include <cstring>

#include "objects/memory.h"

namespace {

TEST(Memory, BlocksAreZeroedAndCountedBySizeRoundedUpToFour) {
    struct Case {
        std::size_t asked;
        std::size_t small;
        std::size_t large;
    } cases[] = {{0, 4, 0}, {1, 4, 0}, {24, 24, 0}, {25, 28, 0}, {252, 252, 0}, {253, 0, 253}, {9000, 0, 9000}};
    for (const Case& c : cases) {
        const RuntimeMemoryUse before = runtime_memory_use();
        auto* block = static_cast<unsigned char*>(runtime_alloc(c.asked));
        const RuntimeMemoryUse during = runtime_memory_use();
        EXPECT_EQ(during.small_bytes - before.small_bytes, c.small) << c.asked;
        EXPECT_EQ(during.large_bytes - before.large_bytes, c.large) << c.asked;
        for (std::size_t i = 0; i < c.asked; ++i) ASSERT_EQ(block[i], 0) << c.asked << " at " << i;
        std::memset(block, 0xAB, c.asked);
        runtime_free(block, c.asked);
        const RuntimeMemoryUse after = runtime_memory_use();
        EXPECT_EQ(after.small_bytes, before.small_bytes) << c.asked;
        EXPECT_EQ(after.large_bytes, before.large_bytes) << c.asked;
    }
}

TEST(Memory, AFreedSmallBlockIsHandedOutAgainZeroed) {
    auto* first = static_cast<unsigned char*>(runtime_alloc(40));
    std::memset(first, 0xCD, 40);
    runtime_free(first, 38);  // the same size class as 40
    auto* again = static_cast<unsigned char*>(runtime_alloc(37));
    EXPECT_EQ(again, first);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(again[i], 0) << i;
    runtime_free(again, 40);
}

TEST(Memory, ManyBlocksOfOneSizeDoNotOverlap) {
    // More than one 8 KB refill of 28-byte blocks.
    constexpr int kCount = 1000;
    static unsigned char* blocks[kCount];
    for (int i = 0; i < kCount; ++i) {
        blocks[i] = static_cast<unsigned char*>(runtime_alloc(28));
        std::memset(blocks[i], i & 0xFF, 28);
    }
    for (int i = 0; i < kCount; ++i) {
        for (int j = 0; j < 28; ++j) ASSERT_EQ(blocks[i][j], i & 0xFF) << i;
    }
    for (unsigned char* block : blocks) runtime_free(block, 28);
    runtime_free(nullptr, 28);  // ignored
}

}  // namespace
