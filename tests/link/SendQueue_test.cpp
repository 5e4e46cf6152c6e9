#include "link/SendQueue.h"

#include <gtest/gtest.h>

#include <vector>

namespace dsp {
namespace {

using Entry = std::pair<Address, int32_t>;

std::vector<Entry> Drain(SendQueue& q) {
    std::vector<Entry> out;
    while (!q.Empty()) {
        const int pos = q.QueueTake();
        out.emplace_back(q.AddressAt(pos), q.ValueAt(pos));
    }
    return out;
}

struct QueueCase {
    const char* name;
    std::vector<Entry> puts;
    std::vector<Entry> pending;
};

const QueueCase kQueueCases[] = {
    {"SameAddressCoalesces", {{0x0105, 1}, {0x0105, 2}, {0x0105, 3}}, {{0x0105, 3}}},
    {"OnlyTheNewestIsCompared",
     {{0x0105, 1}, {0x0106, 2}, {0x0105, 3}},
     {{0x0105, 1}, {0x0106, 2}, {0x0105, 3}}},
    {"CoalescesWithTheNewestOnly",
     {{0x0105, 1}, {0x0106, 2}, {0x0106, 4}},
     {{0x0105, 1}, {0x0106, 4}}},
};

class QueueOrder : public ::testing::TestWithParam<QueueCase> {};

TEST_P(QueueOrder, KeepsTheseEntries) {
    SendQueue q;
    for (auto [a, v] : GetParam().puts)
        q.QueuePut(a, v);
    EXPECT_EQ(Drain(q), GetParam().pending);
}

INSTANTIATE_TEST_SUITE_P(SendQueue, QueueOrder, ::testing::ValuesIn(kQueueCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SendQueue, FullQueueReplacesTheNewestEntry) {
    SendQueue q;
    for (int i = 0; i < 499; ++i)
        q.QueuePut(i, i);
    EXPECT_TRUE(q.Full());
    EXPECT_EQ(q.Pending(), 499);
    q.QueuePut(4000, 77);
    EXPECT_EQ(q.Pending(), 499);
    const auto drained = Drain(q);
    ASSERT_EQ(drained.size(), 499u);
    EXPECT_EQ(drained[497], (Entry{497, 497}));
    EXPECT_EQ(drained.back(), (Entry{4000, 77}));
}

TEST(SendQueue, WrapsAroundTheRing) {
    SendQueue q;
    q.QueueWritePos = q.QueueReadPos = 498;
    q.QueuePut(1, 1);
    q.QueuePut(2, 2);
    q.QueuePut(3, 3);
    EXPECT_EQ(q.QueueWritePos, 1);
    EXPECT_EQ(Drain(q), (std::vector<Entry>{{1, 1}, {2, 2}, {3, 3}}));
}

TEST(SendQueue, TakeOnAnEmptyQueueStaysPut) {
    SendQueue q;
    EXPECT_EQ(q.QueueTake(), 0);
    q.QueuePut(5, 5);
    q.Drop();
    EXPECT_TRUE(q.Empty());
    EXPECT_EQ(q.QueueTake(), 1);
}

} // namespace
} // namespace dsp
