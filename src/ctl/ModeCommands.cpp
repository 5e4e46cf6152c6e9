#include <cstdio>

#include "ctl/CtlCommands.h"
#include "ctl/CtlOptions.h"
#include "link/Frames.h"
#include "link/WritePath.h"
#include "params/SectionMap.h"

namespace dsp::ctl {

namespace {

// Slots of section 30 holding the current mode of each bank (0-based).
constexpr int kCurrentMode1Slot = 2;
constexpr int kCurrentMode2Slot = 34;

int CurrentMode(const LinkContext& ctx, int bank) {
    return ctx.Store.DeviceTable.At(SecSystem, bank == 1 ? kCurrentMode1Slot : kCurrentMode2Slot);
}

const std::array<std::string, ModeCount>& Names(const LinkContext& ctx, int bank) {
    return bank == 1 ? ctx.Vars.ModeNames : ctx.Vars.ModeNames2;
}

// Names hold bytes 0x1E-0x7F only; quotes, backslashes and control bytes are escaped.
std::string JsonString(const std::string& s) {
    std::string j = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            j += '\\';
            j += char(c);
        } else if (c < 0x20 || c == 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            j += buf;
        } else {
            j += char(c);
        }
    }
    return j + '"';
}

void PrintBankText(const LinkContext& ctx, int bank, std::ostream& out) {
    const int current = CurrentMode(ctx, bank);
    out << "Bank " << bank << (bank == 1 ? " (device modes)" : " (hidden-page EQ modes)") << ":\n";
    const auto& names = Names(ctx, bank);
    for (int i = 0; i < ModeCount; ++i) {
        char line[16];
        std::snprintf(line, sizeof line, "%c %2d-", i == current ? '*' : ' ', i + 1);
        out << line << names[size_t(i)] << "\n";
    }
}

void PrintBankJson(const LinkContext& ctx, int bank, std::ostream& out) {
    const int current = CurrentMode(ctx, bank);
    out << "{\"bank\": " << bank << ", \"current\": ";
    if (current >= 0 && current < ModeCount)
        out << current + 1;
    else
        out << "null";
    out << ", \"modes\": [";
    const auto& names = Names(ctx, bank);
    for (int i = 0; i < ModeCount; ++i) {
        out << (i ? ", " : "") << "{\"number\": " << i + 1
            << ", \"name\": " << JsonString(names[size_t(i)]) << "}";
    }
    out << "]}";
}

} // namespace

int Modes(Session& s, Output& o) {
    if (!LinkUp(s, o))
        return kExitLinkFailed;
    Goodbye(s);
    const LinkContext& ctx = s.Ctx();
    if (o.json) {
        o.out << "{\"banks\": [";
        PrintBankJson(ctx, 1, o.out);
        o.out << ", ";
        PrintBankJson(ctx, 2, o.out);
        o.out << "]}\n";
    } else {
        PrintBankText(ctx, 1, o.out);
        PrintBankText(ctx, 2, o.out);
    }
    return kExitDone;
}

int Recall(Session& s, int number, int bank, Output& o) {
    if (!LinkUp(s, o))
        return kExitLinkFailed;
    // On an idle line the recall goes out at once and arms its follow-up: a full reload for
    // bank 1, the reload of sections 22 to 24 for bank 2.
    const Address command = bank == 1 ? kAddrRecall1 : kAddrRecall2;
    s.Call([&](LinkContext& c) { SendDatatoMCU(c, command, number - 1); });
    if (!Await(
            s, [&s] { return LinkIdle(s.Ctx().Vars); }, "the reload", o))
        return kExitLinkFailed;
    Goodbye(s);
    const LinkContext& ctx = s.Ctx();
    const int current = CurrentMode(ctx, bank);
    if (current != number - 1) {
        o.err << "dspctl: the device reports mode " << current + 1 << " of bank " << bank
              << " after recalling mode " << number << "\n";
        return kExitLinkFailed;
    }
    o.out << "recall: bank " << bank << " mode " << number << "-"
          << Names(ctx, bank)[size_t(number - 1)] << "\n";
    return kExitDone;
}

} // namespace dsp::ctl
