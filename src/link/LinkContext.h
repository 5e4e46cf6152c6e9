#pragma once

#include "link/LinkObserver.h"
#include "link/LinkPorts.h"
#include "link/LinkVars.h"
#include "params/PageState.h"
#include "params/ParamStore.h"
#include "params/Variant.h"

namespace dsp {

// Everything the link core reads and writes, handed to each routine. The program builds one;
// each test builds a fresh set.
//
// Wiring for the io layer: put the three transports into Ports; pass received data to
// HidCtlDeviceData / ComPortRxChar / ClientSocket1Read (link/FrameParser.h); report the HID
// device list with HidPresenceChanged; run Timer1Tick, Timer2Tick, Timer3Tick and
// HoldTimerTick (link/LinkMachine.h) from QTimers that follow Vars.Timers whenever the
// observer's TimersChanged fires.
struct LinkContext {
    ParamStore& Store;
    PageState& Page;
    LinkVars& Vars;
    LinkPorts& Ports;
    Variant ProgramVariant = Variant::A;
    LinkObserver& Observer = NoLinkObserver();
    ViewHooks& Hooks = NoViewHooks();
    LinkEndpoints& Endpoints = NoLinkEndpoints();
};

} // namespace dsp
