// The parameter-file reader on arbitrary content. Input: one byte choosing the file kind, the
// variant and the encoding, then the content. With the encoding bit set the content is taken
// as plain lines and scrambled first, so the fuzzer reaches the checks behind the hex layer
// (header, value lines, line count, checksum) instead of stopping at the first bad pair.
// A rejected file must leave the device table exactly as it was.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "params/ParamTable.h"
#include "presets/ParamFile.h"

namespace {

// Inputs are capped at 2 KB: a hidden-EQ file (about 1.5 KB stored) fits whole, and a
// whole-device file (about 35 KB) only as a cut-off piece — its full path is covered by the
// unit tests, and whole 35 KB inputs would slow the run a hundredfold.
constexpr size_t kMaxInput = 2048;

std::string ScrambleEachLine(std::string_view plain) {
    std::string out;
    size_t start = 0;
    while (start <= plain.size()) {
        size_t end = plain.find('\n', start);
        if (end == std::string_view::npos)
            end = plain.size();
        out += dsp::ScrambleLine(plain.substr(start, end - start));
        out += "\r\n";
        start = end + 1;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > kMaxInput)
        return 0;
    const auto kind =
        (data[0] & 1) ? dsp::ParamFileKind::HiddenEq : dsp::ParamFileKind::WholeDevice;
    const auto variant = (data[0] & 2) ? dsp::Variant::B : dsp::Variant::A;
    const std::string_view raw(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string content = (data[0] & 4) ? ScrambleEachLine(raw) : std::string(raw);

    static dsp::ParamTable device;
    static dsp::ParamTable before;
    device.Clear();
    device.At(3, 7) = 1234;
    before = device;
    const dsp::ParamFileResult result = dsp::ReadParamText(kind, content, device, variant);
    if (!result.ok() && device != before)
        __builtin_trap();
    if (!result.ok() && dsp::ParamFileMessage(result, data[0] & 8).empty())
        __builtin_trap();
    return 0;
}
