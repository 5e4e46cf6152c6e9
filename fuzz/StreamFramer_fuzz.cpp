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

// The framer's output as one flat record: per event a marker byte (0 acknowledgement, 1
// frame), then a frame's bytes. A frame is at most 258 bytes, so two records of the same
// stream compare equal exactly when the events do. The records keep their capacity between
// inputs: the target allocates next to nothing per input, which is what keeps it fast.
using Events = std::vector<uint8_t>;

// Longer inputs find nothing new (a frame is at most 258 bytes, so two fit) and each byte
// costs four passes of comparison tracing: the cap keeps the run fast.
constexpr size_t kMaxInput = 512;

void CheckFrame(std::span<const uint8_t> f) {
    if (f.size() < dsp::kFrameOverhead || f[0] != dsp::kFrameStart || f[1] != dsp::kFrameSecond ||
        f.size() != f[2] + 3u || (f[3] != dsp::WRWrite && f[3] != dsp::WRRead))
        __builtin_trap();
}

void Run(std::span<const uint8_t> stream, uint8_t seed, Events& events) {
    static dsp::StreamFramer framer; // Reset keeps its buffers: no allocation per input
    framer.Reset();
    events.clear();
    const dsp::StreamFramer::Sink sink = [&](dsp::StreamFramer::Event e,
                                             std::span<const uint8_t> frame) {
        if (e == dsp::StreamFramer::Event::Frame) {
            CheckFrame(frame);
            events.push_back(1);
            events.insert(events.end(), frame.begin(), frame.end());
        } else {
            if (!frame.empty())
                __builtin_trap();
            events.push_back(0);
        }
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
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > kMaxInput)
        return 0;
    const std::span<const uint8_t> stream(data + 1, size - 1);
    static Events whole, cut;
    Run(stream, 0, whole);
    Run(stream, data[0] | 1, cut);
    if (whole != cut)
        __builtin_trap();

    // The same bytes through the serial and TCP entry points into a link state. The state
    // is built once and reset per input (the tables are 40 KB, and the framers keep their
    // buffers); the parser writes only the device table.
    static dsp::ParamStore store;
    static dsp::PageState page;
    static dsp::LinkVars vars;
    static dsp::LinkPorts ports;
    store.DeviceTable.Clear();
    page = dsp::PageState{};
    dsp::StreamFramer serial = std::move(vars.SerialFramer);
    dsp::StreamFramer tcp = std::move(vars.TcpFramer);
    vars = dsp::LinkVars{};
    vars.SerialFramer = std::move(serial);
    vars.TcpFramer = std::move(tcp);
    dsp::ResetFraming(vars);
    ports.Transport = dsp::TransportKind::Tcp;
    dsp::LinkContext ctx{store, page, vars, ports, dsp::Variant::B};
    vars.NameIndex = 1 + data[0] % dsp::ModeCount;
    dsp::ComPortRxChar(ctx, stream);
    dsp::ClientSocket1Read(ctx, stream);
    return 0;
}
