#pragma once

#include <cstdint>

#include "link/LinkContext.h"

namespace dsp {

// Device address of a view address. Shared pages go to the section now shown: the microphone
// page (except slots 13 and 115) to MicSection, the output page to OutputSection (variant A
// keeps the right-hand outputs' delay and mute, slots 16 and 17, on their own output and picks
// its sing or disco section), the hidden-EQ page to HintSection. The music input gain (0, 0)
// goes to the gain slot of the input selected in DeviceTable (0, 65).
Address MapAddress(Address view, Variant variant, const PageState& page, const ParamTable& device);
Address MapAddress(const LinkContext& ctx, Address view);

// Whether the music input gain controls are enabled: not while the input is automatic.
bool MusicGainEnabled(const ParamTable& device);

// The follow-up a command address arms when it is sent at once (a DisCheckWindow mode), 0 none.
int CommandFollowUp(Address device);

// Stores a changed value in both tables and, online, sends it or queues it behind the frame
// that is still unanswered.
void SendDatatoMCU(LinkContext& ctx, Address view, int32_t value);
// SendDatatoMCU, then nothing else is sent before the device has answered.
void SendEQDatatoMCU(LinkContext& ctx, Address view, int32_t value);

// Online phase: when the line is free, sends the next queued write. Returns whether it sent.
bool SendNextQueued(LinkContext& ctx);

// Sends the last write again: the one taken from the queue last, whose answer has not come.
// Its answer frees the line for the writes waiting behind it.
void ResendLastWrite(LinkContext& ctx);

// Refills ViewTable from DeviceTable through MapAddress for the sections now shown.
void RebuildView(LinkContext& ctx);

} // namespace dsp
