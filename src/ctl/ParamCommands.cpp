#include "ctl/CtlCommands.h"
#include "ctl/CtlOptions.h"
#include "link/WritePath.h"
#include "params/SectionMap.h"

namespace dsp::ctl {

namespace {

// What a full load brings into DeviceTable: sections 0 to 25 and the system items it
// requests (0x1E14 and 0x1E17 in variant A only). Anything else would print a stale zero.
bool LoadedByLink(Address a, Variant variant) {
    if (SectionOf(a) <= SecSysVol)
        return true;
    if (SectionOf(a) != SecSystem)
        return false;
    switch (SlotOf(a)) {
    case 0x01:
    case 0x02:
    case 0x03:
    case 0x04:
    case 0x15:
    case 0x21:
    case 0x22:
        return true;
    case 0x14:
    case 0x17:
        return variant == Variant::A;
    default:
        return false;
    }
}

} // namespace

Address ViewAddressFor(LinkContext& ctx, Address device) {
    const int section = SectionOf(device);
    const int slot = SlotOf(device);
    PageState& page = ctx.Page;
    // Point the shared pages at the section, as selecting that page in the window would.
    if (section == SecMic1 || section == SecMic2)
        page.MicSection = section;
    else if (section >= SecOut && section <= 19)
        page.OutputSection = section;
    else if (section >= SecHint && section <= 24)
        page.HintSection = section;

    const int singDisco = page.SingDisco;
    for (int sd : {singDisco, 1 - singDisco}) {
        page.SingDisco = sd;
        if (MapAddress(ctx, device) == device)
            return device;
        for (int s = 0; s < kSectionCount; ++s) {
            const Address view = MakeAddress(s, slot);
            if (IsValidAddress(view) && MapAddress(ctx, view) == device)
                return view;
        }
    }
    page.SingDisco = singDisco;
    return -1;
}

int Get(Session& s, Address address, Output& o) {
    if (!LoadedByLink(address, s.Ctx().ProgramVariant)) {
        o.err << "dspctl: " << AddressText(address)
              << " is not read from the device when linking\n";
        return kExitUsage;
    }
    if (!LinkUp(s, o))
        return kExitLinkFailed;
    Goodbye(s);
    const int32_t value = s.Ctx().Store.DeviceTable[address];
    if (o.json) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%04X", unsigned(address));
        o.out << "{\"address\": \"" << hex << "\", \"section\": " << SectionOf(address)
              << ", \"slot\": " << SlotOf(address) << ", \"value\": " << value << "}\n";
    } else {
        o.out << AddressText(address) << " = " << value << "\n";
    }
    return kExitDone;
}

int Set(Session& s, Address address, int32_t value, Output& o) {
    if (!LinkUp(s, o))
        return kExitLinkFailed;
    const Address view = ViewAddressFor(s.Ctx(), address);
    if (view < 0) {
        o.err << "dspctl: " << AddressText(address)
              << " cannot be written now: the write path maps no control onto it\n";
        Goodbye(s);
        return kExitUsage;
    }
    s.Call([&](LinkContext& c) { SendDatatoMCU(c, view, value); });
    // The write goes out at once on the idle line; the acknowledgement frees it again.
    if (!Await(
            s, [&s] { return LinkIdle(s.Ctx().Vars); }, "the write", o))
        return kExitLinkFailed;
    Goodbye(s);
    o.out << AddressText(address) << " = " << s.Ctx().Store.DeviceTable[address] << "\n";
    return kExitDone;
}

} // namespace dsp::ctl
