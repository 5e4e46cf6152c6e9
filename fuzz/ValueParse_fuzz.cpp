// The value-edit parsing on arbitrary text: the number filter, the key filter and the typed
// value parser for every format code. Input: one byte choosing the format code, then the text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "params/ValueParse.h"

namespace {

bool IsNumberChar(char c) {
    return c == '-' || c == '.' || (c >= '0' && c <= '9');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > 4096)
        return 0;
    const int code = data[0] % 40;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    // The filter keeps exactly the number characters, in order.
    const std::string kept = dsp::FilterNumber(text);
    size_t at = 0;
    for (char c : text)
        if (IsNumberChar(c)) {
            if (at >= kept.size() || kept[at] != c)
                __builtin_trap();
            ++at;
        }
    if (at != kept.size())
        __builtin_trap();

    // Parsing the filtered text gives the same as parsing the raw text.
    const auto typed = dsp::ParseTypedText(code, text);
    const auto number = dsp::ParseNumber(kept);
    if (typed.has_value() != number.has_value())
        __builtin_trap();
    if (number && !std::isfinite(*number) && kept.size() < 300)
        __builtin_trap();

    // The key filter on every code point the text's bytes and byte pairs spell.
    for (size_t i = 0; i + 1 < text.size() && i < 64; i += 2) {
        const char32_t ch =
            static_cast<uint8_t>(text[i]) | (static_cast<uint8_t>(text[i + 1]) << 8);
        const dsp::KeyAction action = dsp::FilterNumberKey(ch);
        const bool numberKey = ch < 128 && IsNumberChar(static_cast<char>(ch));
        if (numberKey && action != dsp::KeyAction::Accept)
            __builtin_trap();
    }

    if (number) {
        (void)dsp::FrequencyIndexOf(*number);
        (void)dsp::QIndexOf(*number);
    }
    return 0;
}
