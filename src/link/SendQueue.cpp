#include "link/SendQueue.h"

namespace dsp {

void SendQueue::QueuePut(Address address, int32_t value) {
    if (Empty())
        ++QueueWritePos;
    else if (address != addresses_[QueueWritePos] && !Full())
        ++QueueWritePos;
    QueueWritePos %= kSize;
    addresses_[QueueWritePos] = address;
    values_[QueueWritePos] = value;
}

int SendQueue::QueueTake() {
    if (!Empty())
        QueueReadPos = (QueueReadPos + 1) % kSize;
    return QueueReadPos;
}

} // namespace dsp
