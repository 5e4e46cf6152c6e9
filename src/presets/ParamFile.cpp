#include "presets/ParamFile.h"

#include <charconv>
#include <cstdio>

#include "params/SectionMap.h"

namespace dsp {

namespace {

constexpr uint8_t LineKey[8] = {0x5C, 0xE1, 0x37, 0x0F, 0x8A, 0xD2, 0x6B, 0x19};

struct KindInfo {
    int firstSection, lastSection;
    int mask;
    const char* tag;
    const char* extension;
    int uploadMode;
};

const KindInfo& Info(ParamFileKind kind) {
    static const KindInfo whole{0, 30, 0x58, "T9 ", ".Nddt", 6};
    static const KindInfo eq{22, 24, 0x55, "T9EQ ", ".EQdt", 8};
    return kind == ParamFileKind::WholeDevice ? whole : eq;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Field i of a line whose fields are separated by single spaces; empty when there is none.
std::string_view Field(std::string_view line, int index) {
    for (int i = 0; i < index; ++i) {
        const size_t space = line.find(' ');
        if (space == std::string_view::npos)
            return {};
        line.remove_prefix(space + 1);
    }
    return line.substr(0, line.find(' '));
}

// A decimal signed 32-bit integer with an optional sign and nothing else.
bool ParseInt(std::string_view text, int32_t& value) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '-' || text.front() == '+'))
            return false;
    }
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

// Splits on CR LF, LF or CR; a final line break does not start another line.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

bool Applies(ParamFileKind kind, Variant variant, int32_t address) {
    if (!IsValidAddress(address))
        return false;
    const int section = SectionOf(address);
    if (kind == ParamFileKind::HiddenEq)
        return section >= 22 && section <= 24;
    if (section < 22)
        return true;
    return variant == Variant::A &&
           (address == MakeAddress(SecSystem, 23) || address == MakeAddress(SecSystem, 24));
}

ParamFileResult Fail(ParamFileStatus status, std::string_view text = {}) {
    return {status, std::string(text)};
}

} // namespace

const char* ParamFileExtension(ParamFileKind kind) {
    return Info(kind).extension;
}

int ParamFileUploadMode(ParamFileKind kind) {
    return Info(kind).uploadMode;
}

std::string ScrambleLine(std::string_view plain) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(plain.size() * 2);
    for (size_t i = 0; i < plain.size(); ++i) {
        const uint8_t b = static_cast<uint8_t>(plain[i]) ^ LineKey[i % 8];
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 15]);
    }
    return out;
}

bool UnscrambleLine(std::string_view stored, std::string& plain, std::string* badPair) {
    plain.clear();
    plain.reserve(stored.size() / 2);
    for (size_t i = 0; i + 1 < stored.size(); i += 2) {
        const int hi = HexDigit(stored[i]), lo = HexDigit(stored[i + 1]);
        if (hi < 0 || lo < 0) {
            if (badPair)
                *badPair = std::string(stored.substr(i, 2));
            return false;
        }
        plain.push_back(static_cast<char>((hi * 16 + lo) ^ LineKey[(i / 2) % 8]));
    }
    return true;
}

int32_t ParamFileChecksum(int32_t sum) {
    const int32_t folded = static_cast<int32_t>((static_cast<uint32_t>(sum) ^ 0xFFFFu) + 1u);
    return folded % 256;
}

std::vector<std::string> ParamFilePlainLines(ParamFileKind kind, const ParamTable& device) {
    const KindInfo& info = Info(kind);
    std::vector<std::string> lines;
    lines.push_back(info.tag + std::to_string(FileModelCode ^ info.mask));
    lines.push_back("Velmo " + std::to_string(FileVersionCode ^ info.mask));
    uint32_t sum = 0;
    for (int s = info.firstSection; s <= info.lastSection; ++s) {
        for (int slot = 0; slot <= SlotCount[s]; ++slot) {
            const int32_t k = static_cast<int32_t>(lines.size());
            const int32_t value = device.At(s, slot);
            sum += static_cast<uint32_t>(value);
            lines.push_back(std::to_string(MakeAddress(s, slot) ^ k) + " " +
                            std::to_string(value ^ k));
        }
    }
    lines.push_back("Intoal: " + std::to_string(lines.size()));
    lines.push_back("CCCCK: " + std::to_string(ParamFileChecksum(static_cast<int32_t>(sum))));
    return lines;
}

std::string ParamFileText(ParamFileKind kind, const ParamTable& device) {
    std::string text;
    for (const std::string& line : ParamFilePlainLines(kind, device)) {
        text += ScrambleLine(line);
        text += "\r\n";
    }
    return text;
}

std::string ParamFileMessage(const ParamFileResult& result, bool chinese) {
    switch (result.status) {
    case ParamFileStatus::Ok:
        return {};
    case ParamFileStatus::FileNotFound:
        return chinese ? "文件不存在" : "File not find!";
    case ParamFileStatus::FormatError:
        return chinese ? "文件格式错误!" : "File format error!";
    case ParamFileStatus::Corrupted:
        return chinese ? "数据文件损坏!" : "Data file is corrupted!";
    case ParamFileStatus::InvalidNumber:
        return "'" + result.badText + "' is not a valid integer value";
    case ParamFileStatus::WriteFailed:
        return (chinese ? "无法创建文件 " : "Cannot create file ") + result.badText;
    }
    return {};
}

ParamFileResult ReadParamText(ParamFileKind kind, std::string_view content, ParamTable& device,
                              Variant variant, std::vector<std::pair<int32_t, int32_t>>* decoded) {
    if (content.size() > kMaxParamFileBytes)
        return Fail(ParamFileStatus::Corrupted);
    if (content.substr(0, 3) == "\xEF\xBB\xBF") // a byte-order mark some editors add
        content.remove_prefix(3);

    const std::vector<std::string_view> stored = SplitLines(content);
    std::vector<std::string> lines(stored.size());
    for (size_t i = 0; i < stored.size(); ++i) {
        std::string bad;
        if (!UnscrambleLine(stored[i], lines[i], &bad))
            return Fail(ParamFileStatus::InvalidNumber, "$" + bad);
    }
    const int n = static_cast<int>(lines.size());

    // Header: the numbers after the tags, unmasked, name the model and the version.
    if (n < 2)
        return Fail(ParamFileStatus::FormatError);
    const int mask = Info(kind).mask;
    int32_t model = 0, version = 0;
    if (!ParseInt(Field(lines[0], 1), model))
        return Fail(ParamFileStatus::InvalidNumber, Field(lines[0], 1));
    if (!ParseInt(Field(lines[1], 1), version))
        return Fail(ParamFileStatus::InvalidNumber, Field(lines[1], 1));
    if ((model ^ mask) != FileModelCode || (version ^ mask) != FileVersionCode)
        return Fail(ParamFileStatus::FormatError);
    if (n < 4)
        return Fail(ParamFileStatus::Corrupted);

    // Trailer: the line number of the "Intoal" line and the checksum.
    int32_t count = 0, checksum = 0;
    if (!ParseInt(Field(lines[n - 2], 1), count))
        return Fail(ParamFileStatus::InvalidNumber, Field(lines[n - 2], 1));
    if (!ParseInt(Field(lines[n - 1], 1), checksum))
        return Fail(ParamFileStatus::InvalidNumber, Field(lines[n - 1], 1));
    if (count != n - 2)
        return Fail(ParamFileStatus::Corrupted);

    std::vector<std::pair<int32_t, int32_t>> values;
    values.reserve(n - 4);
    uint32_t sum = 0;
    for (int k = 2; k <= n - 3; ++k) {
        int32_t address = 0, value = 0;
        if (!ParseInt(Field(lines[k], 0), address))
            return Fail(ParamFileStatus::InvalidNumber, Field(lines[k], 0));
        if (!ParseInt(Field(lines[k], 1), value))
            return Fail(ParamFileStatus::InvalidNumber, Field(lines[k], 1));
        values.emplace_back(address ^ k, value ^ k);
        sum += static_cast<uint32_t>(value ^ k);
    }
    if (ParamFileChecksum(static_cast<int32_t>(sum)) != checksum)
        return Fail(ParamFileStatus::Corrupted);

    // Every check has passed: apply.
    for (const auto& [address, value] : values)
        if (Applies(kind, variant, address))
            device[address] = value;
    if (decoded)
        *decoded = std::move(values);
    return {};
}

} // namespace dsp
