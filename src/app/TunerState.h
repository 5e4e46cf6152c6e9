#pragma once

#include "link/LinkContext.h"
#include "link/LinkRelays.h"
#include "params/PageState.h"
#include "params/ParamStore.h"
#include "params/Variant.h"

namespace dsp {

// Everything the running tool shares, made once by the program entry (and once per test):
// the parameter tables, the page state, the link state and the context the link core works
// on. Windows and controllers are handed a reference; the relays are pointed at the windows
// that implement the observer, the view hooks and the endpoints once those exist.
struct TunerState {
    explicit TunerState(Variant v) : ProgramVariant(v) {}
    TunerState(const TunerState&) = delete;
    TunerState& operator=(const TunerState&) = delete;

    Variant ProgramVariant;
    ParamStore Store;
    PageState Page;
    LinkVars Vars;
    LinkPorts Ports;
    LinkObserverRelay Observer;
    ViewHooksRelay Hooks;
    LinkEndpointsRelay Endpoints;
    LinkContext Link{Store, Page, Vars, Ports, ProgramVariant, Observer, Hooks, Endpoints};
};

} // namespace dsp
