#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ctl/DriverSession.h"
#include "params/ParamTable.h"
#include "params/Variant.h"

namespace dsp::ctl {

// Exit codes of dspctl.
constexpr int kExitDone = 0;
constexpr int kExitLinkFailed = 1; // the device or the link failed
constexpr int kExitUsage = 2;      // a usage error or a bad file

enum class Command { Backup, Restore, Modes, Recall, Get, Set };

// A parsed and checked command line.
struct CtlOptions {
    LinkTarget Target;
    Variant ProgramVariant = Variant::A;
    bool Json = false;
    bool Help = false;
    Command Cmd = Command::Modes;
    std::string File;         // backup, restore
    int ModeNumber = 0;       // recall: 1-16 as the window shows it
    int Bank = 1;             // recall: 1 or 2
    Address ParamAddress = 0; // get, set
    int32_t Value = 0;        // set
};

// Parses dspctl's arguments (without the program name). On a usage error returns nothing and
// sets error. "--help" anywhere gives Help set and nothing else checked.
std::optional<CtlOptions> ParseCtlArguments(const std::vector<std::string>& args,
                                            std::string& error);

// The text of dspctl --help.
std::string CtlHelpText();

// A device address written as 0x1901, 6401 or section:slot (25:1); nothing when it is not a
// valid address of the parameter table.
std::optional<Address> ParseAddressArg(const std::string& text);
// "0x1901 (25:1)".
std::string AddressText(Address address);

} // namespace dsp::ctl
