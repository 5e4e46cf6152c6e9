#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <ostream>
#include <vector>

#include "spectrum/AudioCaptureBlocks.h"

namespace dsp {
namespace {

// A stream whose bytes tell their position, so a lost, doubled or reordered byte shows.
std::vector<std::uint8_t> Stream(std::size_t n) {
    std::vector<std::uint8_t> s(n);
    for (std::size_t i = 0; i < n; ++i) {
        s[i] = static_cast<std::uint8_t>(i % 251);
    }
    return s;
}

struct GatherCase {
    const char* name;
    std::vector<std::size_t> pieces; // sizes of the successive deliveries
};

// Names the case in test listings.
void PrintTo(const GatherCase& c, std::ostream* os) {
    *os << c.name;
}

class BlockGathererTest : public ::testing::TestWithParam<GatherCase> {};

TEST_P(BlockGathererTest, HandsOutExactBlocksInStreamOrder) {
    const auto& c = GetParam();
    const std::size_t total = std::accumulate(c.pieces.begin(), c.pieces.end(), std::size_t{0});
    const auto stream = Stream(total);

    AudioCaptureBlockGatherer gatherer;
    std::vector<std::uint8_t> out;
    std::size_t blocks = 0;
    std::size_t at = 0;
    for (std::size_t piece : c.pieces) {
        blocks += gatherer.Push(std::span(stream).subspan(at, piece), [&](auto block) {
            EXPECT_EQ(block.size(), SpectrumBlockSamples);
            out.insert(out.end(), block.begin(), block.end());
        });
        at += piece;
    }

    EXPECT_EQ(blocks, total / SpectrumBlockSamples);
    EXPECT_EQ(gatherer.Pending(), total % SpectrumBlockSamples);
    ASSERT_EQ(out.size(), blocks * SpectrumBlockSamples);
    EXPECT_TRUE(std::equal(out.begin(), out.end(), stream.begin()));
}

INSTANTIATE_TEST_SUITE_P(
    Deliveries, BlockGathererTest,
    ::testing::Values(GatherCase{"ExactBlocks", {1024, 1024}},
                      GatherCase{"SeveralBlocksAtOnce", {3 * 1024 + 5}},
                      GatherCase{"NothingYet", {0, 1023}},
                      GatherCase{"OneByteAtATime", std::vector<std::size_t>(2050, 1)},
                      // Periods of common backends: 10 ms at 44.1 kHz and 48 kHz, 20 ms.
                      GatherCase{"BackendPeriods", {441, 480, 960, 441, 3000, 1, 1023}},
                      GatherCase{"BlockThenSplit", {1024, 1000, 24, 1024, 7}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BlockGatherer, ResetDropsAPartBlock) {
    AudioCaptureBlockGatherer gatherer;
    const std::vector<std::uint8_t> stale(600, 7);
    const std::vector<std::uint8_t> fresh(1024, 9);
    gatherer.Push(stale, {});
    gatherer.Reset();
    EXPECT_EQ(gatherer.Pending(), 0u);

    std::vector<std::uint8_t> got;
    gatherer.Push(fresh, [&](auto block) { got.assign(block.begin(), block.end()); });
    EXPECT_EQ(got, fresh);
}

TEST(BlockGatherer, OtherBlockSize) {
    AudioCaptureBlockGatherer gatherer(4);
    const std::vector<std::uint8_t> bytes{1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::vector<std::vector<std::uint8_t>> blocks;
    gatherer.Push(bytes, [&](auto b) { blocks.emplace_back(b.begin(), b.end()); });
    EXPECT_EQ(blocks, (std::vector<std::vector<std::uint8_t>>{{1, 2, 3, 4}, {5, 6, 7, 8}}));
    EXPECT_EQ(gatherer.Pending(), 1u);
}

} // namespace
} // namespace dsp
