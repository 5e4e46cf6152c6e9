#include "ctl/CtlOptions.h"

#include <charconv>
#include <cstdio>

#include "link/LinkVars.h"
#include "link/TcpTransport.h"

namespace dsp::ctl {

namespace {

// A whole number, decimal or 0x hexadecimal, with an optional minus sign.
std::optional<long long> ParseInteger(std::string_view s) {
    bool negative = false;
    if (!s.empty() && s.front() == '-') {
        negative = true;
        s.remove_prefix(1);
    }
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty() || s.size() > 12)
        return std::nullopt;
    long long v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return negative ? -v : v;
}

const char* CommandArity(Command c, size_t& count) {
    switch (c) {
    case Command::Backup:
        count = 1;
        return "backup FILE";
    case Command::Restore:
        count = 1;
        return "restore FILE";
    case Command::Modes:
        count = 0;
        return "modes";
    case Command::Recall:
        count = 1;
        return "recall N [--bank 2]";
    case Command::Get:
        count = 1;
        return "get ADDR";
    case Command::Set:
        count = 2;
        return "set ADDR VALUE";
    }
    count = 0;
    return "";
}

std::optional<Command> CommandOf(const std::string& name) {
    static const std::pair<const char*, Command> kCommands[] = {
        {"backup", Command::Backup}, {"restore", Command::Restore}, {"modes", Command::Modes},
        {"recall", Command::Recall}, {"get", Command::Get},         {"set", Command::Set}};
    for (const auto& [text, cmd] : kCommands) {
        if (name == text)
            return cmd;
    }
    return std::nullopt;
}

bool TakesValue(const std::string& option) {
    return option == "host" || option == "port" || option == "serial" || option == "variant" ||
           option == "bank";
}

} // namespace

std::optional<Address> ParseAddressArg(const std::string& text) {
    std::optional<long long> address;
    if (const size_t colon = text.find(':'); colon != std::string::npos) {
        const auto section = ParseInteger(std::string_view(text).substr(0, colon));
        const auto slot = ParseInteger(std::string_view(text).substr(colon + 1));
        if (!section || !slot || *section < 0 || *slot < 0 || *section >= kSectionCount ||
            *slot >= kSlotCount)
            return std::nullopt;
        address = MakeAddress(int(*section), int(*slot));
    } else {
        address = ParseInteger(text);
    }
    if (!address || *address < 0 || *address > 0xFFFF || !IsValidAddress(Address(*address)))
        return std::nullopt;
    return Address(*address);
}

std::string AddressText(Address a) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%04X (%d:%d)", unsigned(a), SectionOf(a), SlotOf(a));
    return buf;
}

std::optional<CtlOptions> ParseCtlArguments(const std::vector<std::string>& args,
                                            std::string& error) {
    CtlOptions o;
    std::vector<std::string> positional;
    bool hostGiven = false;
    bool portGiven = false;
    bool bankGiven = false;
    bool serialGiven = false;
    bool usbGiven = false;
    bool optionsEnd = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        // "-5" is a value (set ADDR -5), not an option.
        const bool option =
            !optionsEnd && a.size() > 1 && a[0] == '-' && !(a[1] >= '0' && a[1] <= '9');
        if (!option) {
            positional.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnd = true;
            continue;
        }
        if (a == "-h" || a == "--help") {
            o.Help = true;
            return o;
        }
        if (a.rfind("--", 0) != 0) {
            error = "unknown option " + a;
            return std::nullopt;
        }
        std::string name = a.substr(2);
        std::string value;
        bool hasValue = false;
        if (const size_t eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
            hasValue = true;
        }
        if (TakesValue(name) && !hasValue) {
            if (i + 1 >= args.size()) {
                error = "--" + name + " needs a value";
                return std::nullopt;
            }
            value = args[++i];
        } else if (!TakesValue(name) && hasValue) {
            error = "--" + name + " takes no value";
            return std::nullopt;
        }

        if (name == "host") {
            if (value.empty()) {
                error = "--host needs an address";
                return std::nullopt;
            }
            o.Target.Host = QString::fromStdString(value);
            hostGiven = true;
        } else if (name == "port") {
            if (TcpTransport::ParsePort(QString::fromStdString(value)) == 0) {
                error = "--port needs a port number (1-65535), not \"" + value + "\"";
                return std::nullopt;
            }
            o.Target.Port = QString::fromStdString(value);
            portGiven = true;
        } else if (name == "serial") {
            if (value.empty()) {
                error = "--serial needs a port";
                return std::nullopt;
            }
            o.Target.LinkKind = LinkTarget::Kind::Serial;
            o.Target.SerialPath = QString::fromStdString(value);
            serialGiven = true;
        } else if (name == "usb") {
            o.Target.LinkKind = LinkTarget::Kind::Usb;
            usbGiven = true;
        } else if (name == "variant") {
            if (value == "A" || value == "a")
                o.ProgramVariant = Variant::A;
            else if (value == "B" || value == "b")
                o.ProgramVariant = Variant::B;
            else {
                error = "--variant is A or B, not \"" + value + "\"";
                return std::nullopt;
            }
        } else if (name == "json") {
            o.Json = true;
        } else if (name == "bank") {
            if (value != "1" && value != "2") {
                error = "--bank is 1 or 2, not \"" + value + "\"";
                return std::nullopt;
            }
            o.Bank = value == "1" ? 1 : 2;
            bankGiven = true;
        } else {
            error = "unknown option --" + name;
            return std::nullopt;
        }
    }

    if ((serialGiven && usbGiven) || ((serialGiven || usbGiven) && (hostGiven || portGiven))) {
        error = "choose one link: --host/--port (TCP), --serial PATH or --usb";
        return std::nullopt;
    }

    if (positional.empty()) {
        error = "no command given";
        return std::nullopt;
    }
    const auto cmd = CommandOf(positional[0]);
    if (!cmd) {
        error = "unknown command \"" + positional[0] + "\"";
        return std::nullopt;
    }
    o.Cmd = *cmd;
    size_t count = 0;
    const char* usage = CommandArity(o.Cmd, count);
    if (positional.size() - 1 != count) {
        error = std::string("usage: dspctl [options] ") + usage;
        return std::nullopt;
    }
    if (bankGiven && o.Cmd != Command::Recall) {
        error = "--bank belongs to recall";
        return std::nullopt;
    }

    switch (o.Cmd) {
    case Command::Backup:
    case Command::Restore:
        o.File = positional[1];
        if (o.File.empty()) {
            error = "no file given";
            return std::nullopt;
        }
        break;
    case Command::Modes:
        break;
    case Command::Recall: {
        const auto n = ParseInteger(positional[1]);
        if (!n || *n < 1 || *n > ModeCount) {
            error = "recall: the mode is a number from 1 to 16, not \"" + positional[1] + "\"";
            return std::nullopt;
        }
        o.ModeNumber = int(*n);
        break;
    }
    case Command::Get:
    case Command::Set: {
        const auto address = ParseAddressArg(positional[1]);
        if (!address) {
            error = "not a parameter address: \"" + positional[1] +
                    "\" (write 0x1901 or section:slot such as 25:1)";
            return std::nullopt;
        }
        o.ParamAddress = *address;
        if (o.Cmd == Command::Set) {
            const auto v = ParseInteger(positional[2]);
            if (!v || *v < -32768 || *v > 65535) {
                error = "set: the value is a whole number from -32768 to 65535, not \"" +
                        positional[2] + "\"";
                return std::nullopt;
            }
            o.Value = int32_t(*v);
        }
        break;
    }
    }
    return o;
}

std::string CtlHelpText() {
    return R"(Usage: dspctl [options] COMMAND [ARGS]

Talks to the audio processor the way the tuning tool does: the same link-up, parameter
set and file format.

Commands:
  backup FILE         link up, read the whole device and write FILE: the whole-device
                      file, or the hidden-EQ file when FILE ends in .EQdt
  restore FILE        check FILE completely, link up, apply it as the tool's file load does
                      and download it into the device
  modes               list the mode names of both banks; '*' marks the current mode
  recall N [--bank 2] recall mode N (1-16) of bank 1 (or 2) and wait for the reload
  get ADDR            print one parameter; ADDR is a device address: 0x1901 or 25:1
  set ADDR VALUE      write one parameter through the write path and wait for the
                      device's acknowledgement

Options:
  --host ADDR     TCP address of the device (default 127.0.0.1)
  --port N        TCP port (default 8899)
  --serial PATH   use this serial port instead of TCP
  --usb           use the USB HID device instead of TCP
  --variant A|B   the program variant to behave as (default A; B as dsptuner8)
  --json          machine-readable output for modes and get
  -h, --help      this text

Only the link given is tried. Progress goes to stderr.

Exit codes: 0 done, 1 the device or the link failed (the reason on stderr),
2 a usage error or a bad file.
)";
}

} // namespace dsp::ctl
