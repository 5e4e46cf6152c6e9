#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "params/ParamTable.h"
#include "params/Variant.h"

namespace dsp {

// The two kinds of parameter file: the whole device (sections 0-30, ".Nddt") and the hidden
// page's EQ (sections 22-24, ".EQdt").
enum class ParamFileKind { WholeDevice = 0, HiddenEq = 1 };

constexpr uint8_t FileModelCode = 44;
constexpr uint8_t FileVersionCode = 1;

// File extension of a kind, with its dot.
const char* ParamFileExtension(ParamFileKind kind);

// Link upload mode started after a good load: 6 for the whole device, 8 for the EQ kind.
int ParamFileUploadMode(ParamFileKind kind);

// Every stored line is its plain line with each character's low byte XORed with an
// eight-byte key and written as two upper-case hexadecimal digits.
std::string ScrambleLine(std::string_view plain);

// The reverse: a trailing odd character is ignored. Returns false, leaving badPair set to the
// offending pair, when a pair is not hexadecimal.
bool UnscrambleLine(std::string_view stored, std::string& plain, std::string* badPair = nullptr);

// The plain lines of a file of this kind written from a device table: the two header lines,
// one "address value" line per slot (0 .. SlotCount inclusive of each section, both numbers
// XORed with the line number), the line count and the checksum.
std::vector<std::string> ParamFilePlainLines(ParamFileKind kind, const ParamTable& device);

// The whole file: the scrambled plain lines, each ended by CR LF.
std::string ParamFileText(ParamFileKind kind, const ParamTable& device);

// Checksum of a sum of values (32-bit wrap-around): ((S XOR 0xFFFF) + 1) mod 256, the
// remainder taking the sign of the dividend.
int32_t ParamFileChecksum(int32_t sum);

enum class ParamFileStatus {
    Ok,
    FileNotFound,  // cannot be opened
    FormatError,   // header numbers wrong (or no header at all)
    Corrupted,     // line count, checksum, too few lines, or an oversized file
    InvalidNumber, // a pair that is not hexadecimal or a field that is not a number
    WriteFailed,   // the file could not be written
};

struct ParamFileResult {
    ParamFileStatus status = ParamFileStatus::Ok;
    std::string badText; // the text that is not a number (InvalidNumber) or the path
    bool ok() const { return status == ParamFileStatus::Ok; }
};

// The message shown for a result: Chinese when chinese is true, else English. Empty for Ok.
std::string ParamFileMessage(const ParamFileResult& result, bool chinese);

// Largest file accepted: a whole-device file is well under 100 KB.
constexpr std::size_t kMaxParamFileBytes = 1 << 20;

// Reads a file's content, checks it whole and only then writes the addresses the kind
// applies into device (whole device: sections below 22 and, in variant A, (30, 23) and
// (30, 24); EQ kind: sections 22-24; addresses outside the table are never written). On any
// error device is left untouched. decoded, when given, receives every decoded value line.
ParamFileResult ReadParamText(ParamFileKind kind, std::string_view content, ParamTable& device,
                              Variant variant,
                              std::vector<std::pair<int32_t, int32_t>>* decoded = nullptr);

} // namespace dsp
