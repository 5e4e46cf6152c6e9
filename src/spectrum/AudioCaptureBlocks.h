#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace dsp {

// The spectrum view works on blocks of this many unsigned 8-bit mono samples at 48 000 Hz.
constexpr std::size_t SpectrumBlockSamples = 1024;
constexpr int SpectrumSampleRate = 48000;
// The value of an unsigned 8-bit sample at rest.
constexpr std::uint8_t SilentSample = 128;

// Gathers a byte stream that arrives in pieces of any size into blocks of exactly blockSize
// bytes. Audio backends deliver whatever their period happens to be; the spectrum needs fixed
// blocks. Bytes that do not yet fill a block wait for the next Push.
class AudioCaptureBlockGatherer {
public:
    using BlockHandler = std::function<void(std::span<const std::uint8_t>)>;

    explicit AudioCaptureBlockGatherer(std::size_t blockSize = SpectrumBlockSamples);

    // Appends bytes and calls onBlock once for every block completed, oldest first.
    // Returns the number of blocks handed out.
    std::size_t Push(std::span<const std::uint8_t> bytes, const BlockHandler& onBlock);

    // Bytes waiting for the rest of their block.
    std::size_t Pending() const { return pending_.size(); }
    std::size_t BlockSize() const { return blockSize_; }

    // Drops the waiting bytes (after the stream restarts).
    void Reset() { pending_.clear(); }

private:
    std::size_t blockSize_;
    std::vector<std::uint8_t> pending_;
};

} // namespace dsp
