#include "LargeMemory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

TEST(LargeMemoryTest, adviceKeepsWhatABlockHoldsWhateverItsSizeAndPlace)
{
    // Blocks smaller than a huge page, and large ones starting off any page boundary.
    for (const std::size_t size : {std::size_t(1000), std::size_t(3) << 20, (std::size_t(9) << 20) + 5}) {
        std::vector<std::uint32_t> block(size / sizeof(std::uint32_t) + 3);
        for (std::size_t i = 0; i < block.size(); ++i)
            block[i] = std::uint32_t(i * 2654435761u);
        adviseHugePages(block.data() + 1, size);
        bool kept = true;
        for (std::size_t i = 0; i < block.size(); ++i)
            kept = kept && block[i] == std::uint32_t(i * 2654435761u);
        EXPECT_TRUE(kept) << size;
        block.back() = 7;
        EXPECT_EQ(block.back(), 7u);
    }
}
