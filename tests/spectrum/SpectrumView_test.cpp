#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "spectrum/AudioCaptureBlocks.h"
#include "spectrum/SpectrumView.h"

namespace dsp {
namespace {

// Stands in for the spectrum math: records what the view asks of it. Its bars carry the
// number of transforms so far and the floor setting, so a test sees which data a draw used.
struct FakeMath {
    std::vector<std::vector<std::uint8_t>> transforms;
    struct BarsCall {
        int width, height;
        bool lowTrigger;
    };
    std::vector<BarsCall> bars;

    SpectrumViewMath Port() {
        return {[this](std::span<const std::uint8_t> s) {
                    transforms.emplace_back(s.begin(), s.end());
                },
                [this](int w, int h, bool low) {
                    bars.push_back({w, h, low});
                    return std::vector<int>(w + 1, static_cast<int>(transforms.size()));
                }};
    }
};

struct Fixture : ::testing::Test {
    FakeMath math;
    bool drag = false;
    int repaints = 0;
    std::vector<bool> onChanges;
    std::vector<std::pair<std::string, std::string>> messages;
    SpectrumView view{math.Port(),
                      SpectrumViewHooks{[this] { return drag; },
                                        [this](std::string_view zh, std::string_view en) {
                                            messages.emplace_back(zh, en);
                                        },
                                        [this] { ++repaints; },
                                        [this](bool on) { onChanges.push_back(on); }}};

    static std::vector<std::uint8_t> Block(std::uint8_t v, std::size_t n = SpectrumBlockSamples) {
        return std::vector<std::uint8_t>(n, v);
    }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) {
            view.OnTimerTick();
        }
    }
    void SwitchOn() {
        view.SetPlotSize(120, 50);
        ASSERT_EQ(view.PinPPBtnClick(1), 1);
    }
};

using SpectrumViewTest = Fixture;

TEST_F(SpectrumViewTest, TransformsAtTickFiveAndDrawsAtTickElevenOfEachCycle) {
    SwitchOn();
    view.OnCaptureBlock(Block(100));
    std::vector<int> transformTicks, drawTicks;
    for (int tick = 1; tick <= 3 * SpectrumView::SpectrumCycleTicks; ++tick) {
        const auto t = math.transforms.size();
        const auto d = math.bars.size();
        view.OnTimerTick();
        if (math.transforms.size() != t) {
            transformTicks.push_back(tick);
        }
        if (math.bars.size() != d) {
            drawTicks.push_back(tick);
        }
    }
    EXPECT_EQ(transformTicks, (std::vector<int>{5, 16, 27}));
    EXPECT_EQ(drawTicks, (std::vector<int>{11, 22, 33}));
    EXPECT_EQ(repaints, 3);
    EXPECT_EQ(view.SpectrumTick(), 0);
    ASSERT_EQ(view.bars().size(), 121u);
    EXPECT_EQ(view.bars()[0], 3); // drawn from the third transform
}

// The cycle stands still while the view is off or a drag is in progress.
TEST_F(SpectrumViewTest, TickCountsOnlyWhileOnAndNotDragging) {
    view.SetPlotSize(120, 50);
    Ticks(30);
    EXPECT_EQ(view.SpectrumTick(), 0);

    SwitchOn();
    view.OnCaptureBlock(Block(100));
    Ticks(4);
    drag = true;
    Ticks(30);
    EXPECT_EQ(view.SpectrumTick(), 4);
    EXPECT_TRUE(math.transforms.empty());
    drag = false;
    Ticks(1);
    EXPECT_EQ(math.transforms.size(), 1u);
}

struct GateCase {
    const char* name;
    bool on, paused, drag, empty;
    bool kept;
};

// Names the case in test listings.
void PrintTo(const GateCase& c, std::ostream* os) {
    *os << c.name;
}

class BlockGateTest : public Fixture, public ::testing::WithParamInterface<GateCase> {};

TEST_P(BlockGateTest, KeepsABlockOnlyWhenOnUnpausedAndNotDragging) {
    const auto& c = GetParam();
    view.SetPlotSize(120, 50);
    if (c.on) {
        view.PinPPBtnClick(1);
    }
    if (c.paused) {
        view.TogglePause();
    }
    drag = c.drag;
    view.OnCaptureBlock(c.empty ? std::vector<std::uint8_t>{} : Block(42));
    EXPECT_EQ(!view.SampleBuffer().empty(), c.kept);
}

INSTANTIATE_TEST_SUITE_P(Gates, BlockGateTest,
                         ::testing::Values(GateCase{"On", true, false, false, false, true},
                                           GateCase{"Off", false, false, false, false, false},
                                           GateCase{"Paused", true, true, false, false, false},
                                           GateCase{"Dragging", true, false, true, false, false},
                                           GateCase{"EmptyBlock", true, false, false, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SpectrumViewTest, PauseFreezesTheBlockAndSwitchingOnResumes) {
    SwitchOn();
    view.OnCaptureBlock(Block(10));
    view.TogglePause(); // P
    view.OnCaptureBlock(Block(20));
    Ticks(2 * SpectrumView::SpectrumCycleTicks);
    ASSERT_EQ(math.transforms.size(), 2u);
    EXPECT_EQ(math.transforms[0], Block(10));
    EXPECT_EQ(math.transforms[1], Block(10)); // the same block shown again
    EXPECT_EQ(math.bars.size(), 2u);          // and still drawn

    view.TogglePause(); // P again
    view.OnCaptureBlock(Block(30));
    EXPECT_EQ(view.SampleBuffer(), Block(30));

    view.TogglePause();
    view.PinPPBtnClick(0);
    view.PinPPBtnClick(1); // switching on clears the pause
    EXPECT_FALSE(view.Paused());
}

TEST_F(SpectrumViewTest, WithoutAudioEveryPressSaysSoAndStaysOff) {
    view.SetAudioAvailable(false);
    view.SetPlotSize(120, 50);
    for (int state : {1, 0, 1}) {
        EXPECT_EQ(view.PinPPBtnClick(state), 0);
        EXPECT_FALSE(view.SpectrumOn());
    }
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].first, "没检测到音频设备");
    EXPECT_EQ(messages[0].second, "Audio device is not detected");
    EXPECT_EQ(repaints, 3);
    Ticks(30);
    EXPECT_TRUE(view.bars().empty());
    EXPECT_TRUE(math.bars.empty());
}

TEST_F(SpectrumViewTest, BarsStayBetweenDrawsAndGoWhenSwitchedOff) {
    SwitchOn();
    view.OnCaptureBlock(Block(100));
    Ticks(SpectrumView::SpectrumCycleTicks);
    const auto shown = view.bars();
    ASSERT_FALSE(shown.empty());
    Ticks(SpectrumView::SpectrumCycleTicks - 1); // a transform, but no draw yet
    EXPECT_EQ(view.bars(), shown);

    const int before = repaints;
    EXPECT_EQ(view.PinPPBtnClick(0), 0);
    EXPECT_FALSE(view.SpectrumOn());
    EXPECT_TRUE(view.bars().empty());
    EXPECT_EQ(repaints, before + 1);
}

// An input that fails while the view is on switches the view off instead of freezing the last
// bars; the next press explains why.
TEST_F(SpectrumViewTest, LosingTheInputSwitchesTheViewOff) {
    SwitchOn();
    view.OnCaptureBlock(Block(100));
    Ticks(SpectrumView::SpectrumCycleTicks);
    ASSERT_FALSE(view.bars().empty());
    const int before = repaints;

    view.SetAudioAvailable(false);
    EXPECT_FALSE(view.SpectrumOn());
    EXPECT_TRUE(view.bars().empty());
    EXPECT_EQ(repaints, before + 1);
    EXPECT_EQ(onChanges, (std::vector<bool>{true, false}));
    EXPECT_TRUE(messages.empty());

    EXPECT_EQ(view.PinPPBtnClick(1), 0);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(onChanges.size(), 2u); // already off: no change reported
}

TEST_F(SpectrumViewTest, LowTriggerTakesEffectAtTheNextDraw) {
    SwitchOn();
    view.PinDCFBtnClick(1);
    EXPECT_TRUE(view.LowTrigger());
    EXPECT_TRUE(math.bars.empty());
    Ticks(SpectrumView::SpectrumCycleTicks);
    view.PinDCFBtnClick(0);
    Ticks(SpectrumView::SpectrumCycleTicks);
    ASSERT_EQ(math.bars.size(), 2u);
    EXPECT_TRUE(math.bars[0].lowTrigger);
    EXPECT_FALSE(math.bars[1].lowTrigger);
}

// Whatever length a block had, the transform gets exactly one block: short ones padded with
// silence, long ones cut.
TEST_F(SpectrumViewTest, TransformSeesExactlyOneBlock) {
    SwitchOn();
    view.OnCaptureBlock(Block(7, 100));
    EXPECT_EQ(view.SampleBuffer().size(), 100u);
    Ticks(SpectrumView::SpectrumCycleTicks);
    view.OnCaptureBlock(Block(9, 3000));
    Ticks(SpectrumView::SpectrumCycleTicks);

    ASSERT_EQ(math.transforms.size(), 2u);
    auto shortBlock = Block(SilentSample);
    std::fill_n(shortBlock.begin(), 100, 7);
    EXPECT_EQ(math.transforms[0], shortBlock);
    EXPECT_EQ(math.transforms[1], Block(9));
}

TEST_F(SpectrumViewTest, NoTransformBeforeTheFirstBlockButBarsAtTheFloor) {
    SwitchOn();
    Ticks(SpectrumView::SpectrumCycleTicks);
    EXPECT_TRUE(math.transforms.empty());
    EXPECT_EQ(math.bars.size(), 1u);
    EXPECT_FALSE(view.bars().empty());
}

TEST_F(SpectrumViewTest, ResizeLaysShownBarsOutAgain) {
    SwitchOn();
    view.SetPlotSize(300, 80); // nothing shown yet: nothing to lay out
    EXPECT_TRUE(math.bars.empty());
    Ticks(SpectrumView::SpectrumCycleTicks);
    view.SetPlotSize(883, 268);
    ASSERT_EQ(math.bars.size(), 2u);
    EXPECT_EQ(math.bars[1].width, 883);
    EXPECT_EQ(math.bars[1].height, 268);
    EXPECT_EQ(view.bars().size(), 884u);

    view.PinPPBtnClick(0);
    view.SetPlotSize(400, 100);
    EXPECT_EQ(math.bars.size(), 2u);
}

} // namespace
} // namespace dsp
