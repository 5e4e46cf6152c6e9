// The stream framer on arbitrary bytes cut into arbitrary reads. Input: one byte seeding the
// read sizes, then the stream. The framing must not depend on how the stream is cut, and every
// frame handed on must pass the header checks and have the length its header announces.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "link/FrameParser.h"
#include "link/Frames.h"
#include "link/StreamFramer.h"

namespace {

using Events = std::vector<std::vector<uint8_t>>; // an acknowledgement is an empty entry

void CheckFrame(std::span<const uint8_t> f) {
    if (f.size() < dsp::kFrameOverhead || f[0] != dsp::kFrameStart || f[1] != dsp::kFrameSecond ||
        f.size() != f[2] + 3u || (f[3] != dsp::WRWrite && f[3] != dsp::WRRead))
        __builtin_trap();
}

Events Run(std::span<const uint8_t> stream, uint8_t seed) {
    dsp::StreamFramer framer;
    Events events;
    auto sink = [&](dsp::StreamFramer::Event e, std::span<const uint8_t> frame) {
        if (e == dsp::StreamFramer::Event::Frame)
            CheckFrame(frame);
        events.emplace_back(frame.begin(), frame.end());
    };
    size_t pos = 0;
    unsigned state = seed;
    while (pos < stream.size()) {
        const size_t n = seed == 0 ? stream.size() : 1 + (state % 17);
        state = state * 1103515245u + 12345u;
        const size_t take = std::min(n, stream.size() - pos);
        framer.Feed(stream.subspan(pos, take), sink);
        pos += take;
    }
    return events;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const std::span<const uint8_t> stream(data + 1, size - 1);
    if (Run(stream, 0) != Run(stream, data[0] | 1))
        __builtin_trap();

    // The same bytes through the serial and TCP entry points into a link state.
    dsp::ParamStore store;
    dsp::PageState page;
    dsp::LinkVars vars;
    dsp::LinkPorts ports;
    ports.Transport = dsp::TransportKind::Tcp;
    dsp::LinkContext ctx{store, page, vars, ports, dsp::Variant::B};
    vars.NameIndex = 1 + data[0] % dsp::ModeCount;
    dsp::ComPortRxChar(ctx, stream);
    dsp::ClientSocket1Read(ctx, stream);
    return 0;
}
