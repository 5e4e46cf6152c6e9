// ParseFrame on arbitrary messages from any transport. Input: one byte choosing the transport,
// one byte for NameIndex, then the message.
#include <cstddef>
#include <cstdint>
#include <span>

#include "link/FrameParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    dsp::ParamStore store;
    dsp::PageState page;
    dsp::LinkVars vars;
    dsp::LinkPorts ports;
    dsp::LinkContext ctx{store, page, vars, ports, dsp::Variant::A};

    const auto kind = static_cast<dsp::TransportKind>(data[0] % 3);
    vars.NameIndex = data[1] % 20;
    dsp::ParseFrame(ctx, kind, std::span(data + 2, size - 2));

    for (const auto& name : vars.ModeNames)
        if (name.size() > dsp::kModeNameLength)
            __builtin_trap();
    for (const auto& name : vars.ModeNames2)
        if (name.size() > dsp::kModeNameLength)
            __builtin_trap();
    if (!vars.DeviceId.empty() && vars.DeviceId.size() != 8)
        __builtin_trap();
    return 0;
}
