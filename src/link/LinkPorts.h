#pragma once

#include <array>

#include "link/Transport.h"

namespace dsp {

// The three links of the program and the choice of the one frames go to. The io layer
// fills the three pointers once; the link button, the search and the HID device change
// set Transport.
struct LinkPorts {
    // 0 USB HID, 1 serial, 2 TCP.
    TransportKind Transport = TransportKind::UsbHid;
    std::array<dsp::Transport*, 3> Ports{};

    dsp::Transport*& For(TransportKind kind) { return Ports[static_cast<size_t>(kind)]; }
    dsp::Transport* For(TransportKind kind) const { return Ports[static_cast<size_t>(kind)]; }
    dsp::Transport* Current() const { return For(Transport); }
};

} // namespace dsp
