#pragma once

#include <array>
#include <cstdint>

#include "params/ParamTable.h"

namespace dsp {

// Writes waiting for the device to answer the one outstanding frame: a ring of 500 entries.
// QueueWritePos is the newest entry, QueueReadPos the entry sent last; equal means empty, so
// at most 499 writes are pending. A write to the address of the newest pending entry, or any
// write while the ring is full, replaces the newest entry's value.
class SendQueue {
public:
    static constexpr int kSize = 500;

    void QueuePut(Address address, int32_t value);
    // Moves to the next pending entry (when there is one) and returns its position.
    int QueueTake();

    bool Empty() const { return QueueReadPos == QueueWritePos; }
    bool Full() const { return (QueueWritePos + 1) % kSize == QueueReadPos; }
    int Pending() const { return (QueueWritePos - QueueReadPos + kSize) % kSize; }
    // Drops every pending write (the link button, the section upload).
    void Drop() { QueueReadPos = QueueWritePos; }
    // Both positions back to 0 (a write that goes out at once, the output copy).
    void Reset() { QueueReadPos = QueueWritePos = 0; }

    Address AddressAt(int pos) const { return addresses_[pos]; }
    int32_t ValueAt(int pos) const { return values_[pos]; }

    int QueueWritePos = 0;
    int QueueReadPos = 0;

private:
    std::array<Address, kSize> addresses_{};
    std::array<int32_t, kSize> values_{};
};

} // namespace dsp
