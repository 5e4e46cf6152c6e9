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
    bool onAuxPage = false; // CurrentSection is SecAux: gain steps and band limits apply
    int auxGainStep = 1;    // AUXGainBox item index + 1
    std::optional<AuxGainLimits> auxLimits; // set for an auxiliary band gain on the aux page
    int bandType = 0;                       // code 4: type of the band the Q belongs to
    int32_t storedQ = 0;                    // code 4: ViewTable value at the (live) Q address
};

// Outcome of the rule, in the order ShowValue carries it out.
struct ShowRule {
    double x = 0;                     // the value after stepping and clamping
    int32_t raw = 0;                  // trunc(x): the value stored and sent
    std::optional<std::string> text;  // new edit text or pane caption; none: leave it
    bool selectsCurrentEdit = false;  // code 2: the edit bound at the address becomes CurrentEdit
    bool highlightBand = false;       // codes 2-5: highlight the band (ButtonState, EqClassOf)
    std::optional<int32_t> repairedQ; // code 4 display-only: write this to ViewTable first
    std::optional<int32_t> storeAtAddress; // codes 27-29 display-only: store in both tables
                                           // at the address itself (no translation)
    int sliderPosition = 0;                // round(x), ties to even, for the slider at the address
    bool storeRaw = false;         // code < 5: ViewTable at the address, DeviceTable translated
    bool send = false;             // display-only clear: send raw through the write path
    bool recordLastEdited = false; // code < 8: LastEdited := (address, raw) unless Refreshing
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
