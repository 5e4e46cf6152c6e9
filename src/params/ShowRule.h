#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "params/ParamTable.h"
#include "params/ValueFormat.h"

namespace dsp {

// Every decision ShowValue makes for one value, without touching a control: the window code
// identifies the control (edit box or status pane, its FormatCode and live address), gathers
// the inputs, applies the rule and then carries out what the result says.

// What the rule reads besides the value, taken from the tables and the page state.
struct ShowInputs {
    // CurrentSection is SecAux: the gain step and the band limits apply.
    bool onAuxPage = false;
    // AUXGainBox item index + 1.
    int auxGainStep = 1;
    // Limits of the auxiliary band whose gain this is (aux page only).
    std::optional<AuxGainLimits> auxLimits;
    // Code 4: type of the band the Q belongs to.
    int bandType = 0;
    // Code 4: ViewTable value at the (live) Q address.
    int32_t storedQ = 0;
};

// Outcome of the rule, in the order ShowValue carries it out.
struct ShowRule {
    // The value after stepping and clamping, and trunc(x), the raw value stored and sent.
    double x = 0;
    int32_t raw = 0;
    // New edit text or pane caption; none: leave the text as it is.
    std::optional<std::string> text;
    // Code 2: the edit bound at the address becomes CurrentEdit.
    bool selectsCurrentEdit = false;
    // Codes 2-5: highlight the band (ButtonState with the address's EqClassOf).
    bool highlightBand = false;
    // Code 4 display-only: the stored Q was outside the table; write this to ViewTable first.
    std::optional<int32_t> repairedQ;
    // Codes 27-29 display-only: store this in both tables at the address itself.
    std::optional<int32_t> storeAtAddress;
    // round(x), ties to even: position of the slider bound at the address (or its group).
    int sliderPosition = 0;
    // Code below 5: store raw in ViewTable at the address and DeviceTable at the device address.
    bool storeRaw = false;
    // Display-only clear: send raw for the address through the write path.
    bool send = false;
    // Code below 8: LastEdited := (address, raw), unless Refreshing is set.
    bool recordLastEdited = false;
};

// Reads what the rule needs from `view` for a control at `liveAddress` (already passed
// through LiveQAddress); auxGainIndex is the AUXGainBox item index.
ShowInputs GatherShowInputs(Address liveAddress, const ParamTable& view, int currentSection,
                            int auxGainIndex);

// Applies FormatCode `code` to value x: step (unless displayOnly), clamp, text and the
// follow-up actions.
ShowRule ApplyShowRule(int code, int stepCode, bool displayOnly, double x, const ShowInputs& in);

// A status pane only shows codes 6 and up; below that ShowValue leaves it alone.
constexpr bool PaneShowsCode(int code) {
    return code >= 6;
}

} // namespace dsp
