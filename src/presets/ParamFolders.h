#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "params/ParamTable.h"
#include "params/Variant.h"
#include "presets/ParamFile.h"

namespace dsp {

// Where parameter files live, below the program's folder: Mode/W4Mode for whole-device
// files, Mode/HintMode for hidden-page EQ files.
struct ParamFolders {
    std::filesystem::path ModeRoot;
    std::filesystem::path ModeFolder;
    std::filesystem::path HintFolder;

    explicit ParamFolders(const std::filesystem::path& programDir);
    const std::filesystem::path& FolderOf(ParamFileKind kind) const;
    std::filesystem::path FileOf(ParamFileKind kind, std::string_view name) const;

    // Creates the folders (reading and ignoring the first line of Mode/mod.dat when it
    // exists). Creating an existing folder is not an error; returns false when a folder
    // cannot be created.
    bool Prepare() const;
};

// The name without a final five-character extension (a "." and exactly four characters);
// other dots stay: "a.b.Nddt" -> "a.b".
std::string StripExtension(std::string_view fileName);

// Names (without extension) of the files of a kind, in name order: every file whose name
// contains the extension, letter case ignored. An unreadable folder lists nothing.
std::vector<std::string> ListParamFiles(const ParamFolders& folders, ParamFileKind kind);

// Writes name + extension in the kind's folder from device, replacing an existing file.
ParamFileResult SaveParamFile(const ParamFolders& folders, ParamFileKind kind,
                              std::string_view name, const ParamTable& device);

// Reads, checks and (only when every check passes) applies a file to device.
ParamFileResult LoadParamFile(const ParamFolders& folders, ParamFileKind kind,
                              std::string_view name, ParamTable& device, Variant variant);

// Deletes name + extension in the kind's folder; false when there was nothing to delete.
bool DeleteParamFile(const ParamFolders& folders, ParamFileKind kind, std::string_view name);

} // namespace dsp
