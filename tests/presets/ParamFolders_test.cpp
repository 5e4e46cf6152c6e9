#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "presets/ParamFolders.h"

using namespace dsp;
namespace fs = std::filesystem;

namespace {

class ParamFoldersTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() / ("dsp_presets_" + std::string(info->name()) + "_" +
                                           std::to_string(std::random_device{}()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    static ParamTable Sample(int32_t seed) {
        ParamTable t;
        for (int s = 0; s < kSectionCount; ++s)
            for (int slot = 0; slot < 40; ++slot)
                t.At(s, slot) = seed + s * 100 + slot;
        return t;
    }

    fs::path dir;
};

} // namespace

TEST(StripExtension, DropsOnlyAFiveCharacterExtension) {
    const struct {
        const char *in, *out;
    } cases[] = {{"a.b.Nddt", "a.b"},   {"x.EQdt", "x"},         {"noext", "noext"},
                 {"a.txt", "a.txt"},    {".Nddt", ""},           {"abcd", "abcd"},
                 {"v1.0.Nddt", "v1.0"}, {"ab.cdefg", "ab.cdefg"}};
    for (const auto& c : cases)
        EXPECT_EQ(StripExtension(c.in), c.out) << c.in;
}

TEST_F(ParamFoldersTest, PrepareCreatesTheFolders) {
    const ParamFolders folders(dir);
    EXPECT_EQ(folders.ModeFolder, dir / "Mode" / "W4Mode");
    EXPECT_EQ(folders.HintFolder, dir / "Mode" / "HintMode");
    ASSERT_TRUE(folders.Prepare());
    EXPECT_TRUE(fs::is_directory(folders.ModeFolder));
    EXPECT_TRUE(fs::is_directory(folders.HintFolder));
    std::ofstream(folders.ModeRoot / "mod.dat") << "anything\n";
    EXPECT_TRUE(folders.Prepare()); // existing folders and the marker file are fine
}

TEST_F(ParamFoldersTest, SaveListLoadDelete) {
    const ParamFolders folders(dir);
    ASSERT_TRUE(folders.Prepare());
    const ParamTable a = Sample(1), b = Sample(5000);
    ASSERT_TRUE(SaveParamFile(folders, ParamFileKind::WholeDevice, "venue", a).ok());
    ASSERT_TRUE(SaveParamFile(folders, ParamFileKind::WholeDevice, "Bar.v2", b).ok());
    ASSERT_TRUE(SaveParamFile(folders, ParamFileKind::HiddenEq, "hint", a).ok());
    std::ofstream(folders.ModeFolder / "notes.txt") << "x";
    EXPECT_EQ(ListParamFiles(folders, ParamFileKind::WholeDevice),
              (std::vector<std::string>{"Bar.v2", "venue"}));
    EXPECT_EQ(ListParamFiles(folders, ParamFileKind::HiddenEq), std::vector<std::string>{"hint"});

    // Saving over a name replaces the file and leaves nothing else behind.
    ASSERT_TRUE(SaveParamFile(folders, ParamFileKind::WholeDevice, "venue", b).ok());
    EXPECT_EQ(std::distance(fs::directory_iterator(folders.ModeFolder), fs::directory_iterator()),
              3);
    ParamTable loaded;
    ASSERT_TRUE(
        LoadParamFile(folders, ParamFileKind::WholeDevice, "venue", loaded, Variant::A).ok());
    EXPECT_EQ(loaded.At(3, 7), b.At(3, 7));
    EXPECT_EQ(loaded.At(22, 7), 0); // not applied from a whole-device file

    EXPECT_TRUE(DeleteParamFile(folders, ParamFileKind::WholeDevice, "venue"));
    EXPECT_FALSE(DeleteParamFile(folders, ParamFileKind::WholeDevice, "venue"));
    EXPECT_EQ(ListParamFiles(folders, ParamFileKind::WholeDevice),
              std::vector<std::string>{"Bar.v2"});
}

TEST_F(ParamFoldersTest, UnreadableFilesChangeNothing) {
    const ParamFolders folders(dir);
    ASSERT_TRUE(folders.Prepare());
    ParamTable t = Sample(7);
    const ParamTable before = t;
    EXPECT_EQ(LoadParamFile(folders, ParamFileKind::WholeDevice, "missing", t, Variant::A).status,
              ParamFileStatus::FileNotFound);
    fs::create_directories(folders.ModeFolder / "folder.Nddt");
    EXPECT_EQ(LoadParamFile(folders, ParamFileKind::WholeDevice, "folder", t, Variant::A).status,
              ParamFileStatus::FileNotFound);
    {
        std::ofstream big(folders.HintFolder / "big.EQdt", std::ios::binary);
        big << std::string(2 * kMaxParamFileBytes, 'A');
    }
    EXPECT_EQ(LoadParamFile(folders, ParamFileKind::HiddenEq, "big", t, Variant::A).status,
              ParamFileStatus::Corrupted);
    std::ofstream(folders.HintFolder / "empty.EQdt");
    EXPECT_EQ(LoadParamFile(folders, ParamFileKind::HiddenEq, "empty", t, Variant::A).status,
              ParamFileStatus::FormatError);
    EXPECT_TRUE(t == before);
}

TEST_F(ParamFoldersTest, UnwritableFolderReportsWriteFailed) {
    const ParamFolders folders(dir / "absent");
    const ParamFileResult r = SaveParamFile(folders, ParamFileKind::HiddenEq, "x", ParamTable{});
    EXPECT_EQ(r.status, ParamFileStatus::WriteFailed);
    EXPECT_NE(r.badText.find("x.EQdt"), std::string::npos);
}
