#include "spectrum/AudioCaptureBlocks.h"

#include <algorithm>
#include <cassert>

namespace dsp {

AudioCaptureBlockGatherer::AudioCaptureBlockGatherer(std::size_t blockSize)
    : blockSize_(blockSize) {
    assert(blockSize_ > 0);
    pending_.reserve(blockSize_);
}

std::size_t AudioCaptureBlockGatherer::Push(std::span<const std::uint8_t> bytes,
                                            const BlockHandler& onBlock) {
    std::size_t blocks = 0;
    while (!bytes.empty()) {
        if (pending_.empty() && bytes.size() >= blockSize_) {
            // A whole block straight from the input, no copy.
            if (onBlock) {
                onBlock(bytes.first(blockSize_));
            }
            bytes = bytes.subspan(blockSize_);
            ++blocks;
            continue;
        }
        const std::size_t take = std::min(blockSize_ - pending_.size(), bytes.size());
        pending_.insert(pending_.end(), bytes.begin(), bytes.begin() + take);
        bytes = bytes.subspan(take);
        if (pending_.size() == blockSize_) {
            if (onBlock) {
                onBlock(pending_);
            }
            pending_.clear();
            ++blocks;
        }
    }
    return blocks;
}

} // namespace dsp
