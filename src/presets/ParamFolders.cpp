#include "presets/ParamFolders.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <system_error>

namespace dsp {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Reads at most limit + 1 bytes, so that an oversized file is seen without reading it all.
bool ReadCapped(const fs::path& path, std::size_t limit, std::string& content) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    content.assign(limit + 1, '\0');
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    content.resize(static_cast<std::size_t>(in.gcount()));
    return !in.bad();
}

} // namespace

ParamFolders::ParamFolders(const fs::path& programDir)
    : ModeRoot(programDir / "Mode"), ModeFolder(ModeRoot / "W4Mode"),
      HintFolder(ModeRoot / "HintMode") {}

const fs::path& ParamFolders::FolderOf(ParamFileKind kind) const {
    return kind == ParamFileKind::WholeDevice ? ModeFolder : HintFolder;
}

fs::path ParamFolders::FileOf(ParamFileKind kind, std::string_view name) const {
    return FolderOf(kind) / (std::string(name) + ParamFileExtension(kind));
}

bool ParamFolders::Prepare() const {
    std::error_code ec;
    const fs::path marker = ModeRoot / "mod.dat";
    if (fs::exists(marker, ec)) {
        std::ifstream in(marker);
        std::string ignored;
        std::getline(in, ignored);
    }
    bool ok = true;
    for (const fs::path& dir : {ModeRoot, ModeFolder, HintFolder}) {
        fs::create_directories(dir, ec);
        ok = ok && fs::is_directory(dir, ec);
    }
    return ok;
}

std::string StripExtension(std::string_view fileName) {
    const size_t n = fileName.size();
    if (n >= 5 && fileName[n - 5] == '.')
        return std::string(fileName.substr(0, n - 5));
    return std::string(fileName);
}

std::vector<std::string> ListParamFiles(const ParamFolders& folders, ParamFileKind kind) {
    std::vector<std::string> files;
    const std::string ext = Lower(ParamFileExtension(kind));
    std::error_code ec;
    for (fs::directory_iterator it(folders.FolderOf(kind), ec), end; !ec && it != end;
         it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        const std::string file = it->path().filename().string();
        if (Lower(file).find(ext) != std::string::npos)
            files.push_back(file);
    }
    std::sort(files.begin(), files.end(),
              [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
    std::vector<std::string> names;
    names.reserve(files.size());
    for (const std::string& f : files)
        names.push_back(StripExtension(f));
    return names;
}

ParamFileResult SaveParamFile(const ParamFolders& folders, ParamFileKind kind,
                              std::string_view name, const ParamTable& device) {
    const fs::path path = folders.FileOf(kind, name);
    // Written beside the file first and then moved over it, so that a failed write never
    // destroys the file it was meant to replace.
    std::string partialName = "~";
    partialName.append(name).append(".partial");
    const fs::path partial = folders.FolderOf(kind) / partialName;
    const std::string text = ParamFileText(kind, device);
    std::error_code ec;
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (out)
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            fs::remove(partial, ec);
            return {ParamFileStatus::WriteFailed, path.string()};
        }
    }
    fs::rename(partial, path, ec);
    if (ec) {
        fs::remove(partial, ec);
        return {ParamFileStatus::WriteFailed, path.string()};
    }
    return {};
}

ParamFileResult LoadParamFile(const ParamFolders& folders, ParamFileKind kind,
                              std::string_view name, ParamTable& device, Variant variant) {
    std::string content;
    if (!ReadCapped(folders.FileOf(kind, name), kMaxParamFileBytes, content))
        return {ParamFileStatus::FileNotFound, {}};
    return ReadParamText(kind, content, device, variant);
}

bool DeleteParamFile(const ParamFolders& folders, ParamFileKind kind, std::string_view name) {
    std::error_code ec;
    return fs::remove(folders.FileOf(kind, name), ec);
}

} // namespace dsp
