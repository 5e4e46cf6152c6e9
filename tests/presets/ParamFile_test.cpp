#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "params/ParamStore.h"
#include "params/SectionMap.h"
#include "presets/ParamFile.h"

using namespace dsp;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A device table with a distinct value in every slot, negative and large ones included.
ParamTable Filled(unsigned seed) {
    ParamTable t;
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int32_t> dist(INT_MIN, INT_MAX);
    for (int s = 0; s < kSectionCount; ++s)
        for (int slot = 0; slot < kSlotCount; ++slot)
            t.At(s, slot) = slot % 3 == 0 ? dist(gen) : static_cast<int32_t>(gen() % 400) - 20;
    return t;
}

// A file of the given plain lines, scrambled, each ended by CR LF.
std::string Stored(const std::vector<std::string>& plain) {
    std::string text;
    for (const auto& line : plain)
        text += ScrambleLine(line) + "\r\n";
    return text;
}

// An EQ-kind file carrying exactly these (address, value) lines, with a true count and sum.
std::string EqFileWith(const std::vector<std::pair<int32_t, int32_t>>& entries) {
    std::vector<std::string> plain = {"T9EQ 121", "Velmo 84"};
    uint32_t sum = 0;
    for (const auto& [address, value] : entries) {
        const int32_t k = static_cast<int32_t>(plain.size());
        plain.push_back(std::to_string(address ^ k) + " " + std::to_string(value ^ k));
        sum += static_cast<uint32_t>(value);
    }
    plain.push_back("Intoal: " + std::to_string(plain.size()));
    plain.push_back("CCCCK: " + std::to_string(ParamFileChecksum(static_cast<int32_t>(sum))));
    return Stored(plain);
}

} // namespace

TEST(ParamFile, ScrambleLineMatchesHandWorkedLines) {
    // "T9EQ 121": 54^5C 39^E1 45^37 51^0F 20^8A 31^D2 32^6B 31^19.
    EXPECT_EQ(ScrambleLine("T9EQ 121"), "08D8725EAAE35928");
    EXPECT_EQ(ScrambleLine("T9 116"), "08D8173EBBE4");
    EXPECT_EQ(ScrambleLine(""), "");
    // The key repeats every eight characters.
    EXPECT_EQ(ScrambleLine("000000000").substr(16), ScrambleLine("0"));

    std::string plain;
    EXPECT_TRUE(UnscrambleLine("08D8725EAAE35928", plain));
    EXPECT_EQ(plain, "T9EQ 121");
    EXPECT_TRUE(UnscrambleLine("08d8173ebbe4F", plain)); // lower case; odd tail ignored
    EXPECT_EQ(plain, "T9 116");
    std::string bad;
    EXPECT_FALSE(UnscrambleLine("08D8G3", plain, &bad));
    EXPECT_EQ(bad, "G3");
}

TEST(ParamFile, Checksum) {
    const struct {
        int32_t sum, checksum;
    } cases[] = {{450, 62}, {0, 0}, {-1, -255}, {-1000, -24}, {INT_MAX, 1}, {65535, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(ParamFileChecksum(c.sum), c.checksum) << c.sum;
}

TEST(ParamFile, GoldenHiddenEqFile) {
    ParamTable t;
    t.At(22, 0) = 1;
    t.At(22, 1) = 1;
    t.At(22, 2) = 35;
    t.At(22, 3) = 120;
    t.At(23, 4) = -7;
    t.At(24, 26) = 300; // the slot after the last one used is written too
    t.At(21, 5) = 9;    // outside the kind: not written
    const std::string golden = ReadFile(DSP_PRESETS_TESTDATA "/golden_eq.EQdt");
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(ParamFileText(ParamFileKind::HiddenEq, t), golden);

    ParamTable back;
    std::vector<std::pair<int32_t, int32_t>> decoded;
    const ParamFileResult r =
        ReadParamText(ParamFileKind::HiddenEq, golden, back, Variant::A, &decoded);
    ASSERT_TRUE(r.ok()) << ParamFileMessage(r, false);
    EXPECT_EQ(decoded.size(), 81u);
    EXPECT_EQ(decoded.front(), std::make_pair(22 * 256, 1));
    t.At(21, 5) = 0;
    EXPECT_EQ(back, t);
}

TEST(ParamFile, WholeDeviceLayout) {
    ParamStore store;
    store.ResetDeviceTable();
    const auto lines = ParamFilePlainLines(ParamFileKind::WholeDevice, store.DeviceTable);
    ASSERT_EQ(lines.size(), 1903u + 4u);
    EXPECT_EQ(lines[0], "T9 116");
    EXPECT_EQ(lines[1], "Velmo 89");
    EXPECT_EQ(lines[2], std::to_string(0 ^ 2) + " " + std::to_string(1 ^ 2)); // (0,0) = 1
    EXPECT_EQ(lines[1905], "Intoal: 1905");
    EXPECT_EQ(lines[1906].substr(0, 7), "CCCCK: ");
    EXPECT_EQ(ParamFilePlainLines(ParamFileKind::HiddenEq, store.DeviceTable).size(), 85u);
}

TEST(ParamFile, RoundTripsApplyTheKindsAddresses) {
    const ParamTable source = Filled(1);
    for (Variant variant : {Variant::A, Variant::B}) {
        ParamTable target = Filled(2);
        const ParamTable before = target;
        const std::string text = ParamFileText(ParamFileKind::WholeDevice, source);
        ASSERT_TRUE(ReadParamText(ParamFileKind::WholeDevice, text, target, variant).ok());
        for (int s = 0; s < kSectionCount; ++s) {
            for (int slot = 0; slot < kSlotCount; ++slot) {
                const bool written = slot <= SlotCount[s];
                bool applied = written && s < 22;
                if (variant == Variant::A && s == 30 && (slot == 23 || slot == 24))
                    applied = true;
                ASSERT_EQ(target.At(s, slot), applied ? source.At(s, slot) : before.At(s, slot))
                    << "section " << s << " slot " << slot;
            }
        }
    }
    ParamTable target = Filled(3);
    const ParamTable before = target;
    // Line feeds alone are read as line breaks as well.
    std::string text = ParamFileText(ParamFileKind::HiddenEq, source);
    std::erase(text, '\r');
    ASSERT_TRUE(ReadParamText(ParamFileKind::HiddenEq, text, target, Variant::A).ok());
    for (int s = 0; s < kSectionCount; ++s)
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const bool applied = s >= 22 && s <= 24 && slot <= SlotCount[s];
            ASSERT_EQ(target.At(s, slot), applied ? source.At(s, slot) : before.At(s, slot));
        }
}

TEST(ParamFile, IgnoredSectionsStillCountInTheChecksum) {
    ParamTable source;
    source.At(25, 3) = 7;
    auto plain = ParamFilePlainLines(ParamFileKind::WholeDevice, source);
    ParamTable target;
    ASSERT_TRUE(ReadParamText(ParamFileKind::WholeDevice, Stored(plain), target, Variant::A).ok());
    EXPECT_EQ(target.At(25, 3), 0);
    // Changing that ignored value without fixing the checksum is caught.
    int line = 2; // the first value line
    for (int s = 0; s < 25; ++s)
        line += SlotCount[s] + 1;
    line += 3;
    const int k = line;
    ASSERT_EQ(plain[line], std::to_string((25 * 256 + 3) ^ k) + " " + std::to_string(7 ^ k));
    plain[line] = std::to_string((25 * 256 + 3) ^ k) + " " + std::to_string(8 ^ k);
    EXPECT_EQ(ReadParamText(ParamFileKind::WholeDevice, Stored(plain), target, Variant::A).status,
              ParamFileStatus::Corrupted);
}

TEST(ParamFile, BadFilesChangeNothing) {
    ParamTable source = Filled(4);
    const auto good = ParamFilePlainLines(ParamFileKind::HiddenEq, source);
    const auto with = [&](auto edit) {
        auto lines = good;
        edit(lines);
        return Stored(lines);
    };
    const std::string goodText = Stored(good);
    const struct {
        const char* what;
        std::string text;
        ParamFileStatus status;
    } cases[] = {
        {"empty file", "", ParamFileStatus::FormatError},
        {"whole-device version on an EQ file", with([](auto& l) { l[1] = "Velmo 89"; }),
         ParamFileStatus::FormatError},
        {"whole-device file read as EQ", ParamFileText(ParamFileKind::WholeDevice, source),
         ParamFileStatus::FormatError},
        {"header number missing", with([](auto& l) { l[0] = "T9EQ"; }),
         ParamFileStatus::InvalidNumber},
        {"header only", Stored({good[0], good[1]}), ParamFileStatus::Corrupted},
        {"three lines", Stored({good[0], good[1], "Intoal: 1"}), ParamFileStatus::Corrupted},
        {"a value changed", with([](auto& l) { l[10] = "2570 5"; }), ParamFileStatus::Corrupted},
        {"a line removed", with([](auto& l) { l.erase(l.begin() + 5); }),
         ParamFileStatus::Corrupted},
        {"a line added", with([](auto& l) { l.insert(l.begin() + 5, "5 5"); }),
         ParamFileStatus::Corrupted},
        {"the line count lies", with([](auto& l) { l[l.size() - 2] = "Intoal: 80"; }),
         ParamFileStatus::Corrupted},
        {"a field that is not a number", with([](auto& l) { l[7] = "5639 1x"; }),
         ParamFileStatus::InvalidNumber},
        {"a line with one field", with([](auto& l) { l[7] = "5639"; }),
         ParamFileStatus::InvalidNumber},
        {"a number out of range", with([](auto& l) { l[7] = "5639 99999999999"; }),
         ParamFileStatus::InvalidNumber},
        {"a checksum that is not a number", with([](auto& l) { l.back() = "CCCCK: ?"; }),
         ParamFileStatus::InvalidNumber},
        {"a pair that is not hexadecimal", goodText.substr(0, 40) + "ZZ" + goodText.substr(42),
         ParamFileStatus::InvalidNumber},
        {"an enormous file", goodText + std::string(kMaxParamFileBytes, '0'),
         ParamFileStatus::Corrupted},
    };
    for (const auto& c : cases) {
        ParamTable target = Filled(5);
        const ParamTable before = target;
        const ParamFileResult r =
            ReadParamText(ParamFileKind::HiddenEq, c.text, target, Variant::A);
        EXPECT_EQ(r.status, c.status) << c.what;
        EXPECT_TRUE(target == before) << c.what;
    }
}

TEST(ParamFile, AddressesOutsideTheTableAreNeverWritten) {
    // A well-formed file naming addresses that do not exist, beside one that does.
    const std::string text = EqFileWith(
        {{22 * 256 + 200, 11}, {-5, 12}, {40 * 256, 13}, {24 * 256 + 165, 14}, {23 * 256 + 2, 15}});
    ParamTable target;
    std::vector<std::pair<int32_t, int32_t>> decoded;
    ASSERT_TRUE(ReadParamText(ParamFileKind::HiddenEq, text, target, Variant::A, &decoded).ok());
    ParamTable expected;
    expected.At(23, 2) = 15;
    EXPECT_EQ(target, expected);
    EXPECT_EQ(decoded.size(), 5u);
    ParamTable whole;
    ASSERT_TRUE(
        ReadParamText(ParamFileKind::WholeDevice,
                      Stored({"T9 116", "Velmo 89", std::to_string(-5 ^ 2) + " 1", "Intoal: 3",
                              "CCCCK: " + std::to_string(ParamFileChecksum(1 ^ 2))}),
                      whole, Variant::A)
            .ok());
    EXPECT_EQ(whole, ParamTable{});
}

TEST(ParamFile, Messages) {
    const struct {
        ParamFileStatus status;
        const char *zh, *en;
    } cases[] = {
        {ParamFileStatus::FileNotFound, "文件不存在", "File not find!"},
        {ParamFileStatus::FormatError, "文件格式错误!", "File format error!"},
        {ParamFileStatus::Corrupted, "数据文件损坏!", "Data file is corrupted!"},
        {ParamFileStatus::Ok, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParamFileMessage({c.status, {}}, true), c.zh);
        EXPECT_EQ(ParamFileMessage({c.status, {}}, false), c.en);
    }
    EXPECT_EQ(ParamFileMessage({ParamFileStatus::InvalidNumber, "1x"}, false),
              "'1x' is not a valid integer value");
}
