#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "ctl/CtlCommands.h"
#include "ctl/CtlOptions.h"
#include "link/LinkMachine.h"

namespace dsp::ctl {

namespace {

bool EndsWith(const std::string& s, std::string_view tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Writes beside the target first, so that a failure never leaves half a file behind.
bool WriteWhole(const std::string& path, const std::string& text) {
    const std::string temp = path + ".part";
    {
        std::ofstream f(temp, std::ios::binary | std::ios::trunc);
        if (!f)
            return false;
        f.write(text.data(), std::streamsize(text.size()));
        if (!f.flush())
            return false;
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec)
        std::filesystem::remove(temp, ec);
    return !ec;
}

} // namespace

ParamFileKind FileKindOf(const std::string& path) {
    return EndsWith(path, ParamFileExtension(ParamFileKind::HiddenEq)) ? ParamFileKind::HiddenEq
                                                                       : ParamFileKind::WholeDevice;
}

int Backup(Session& s, const std::string& path, Output& o) {
    if (!LinkUp(s, o))
        return kExitLinkFailed;
    const ParamFileKind kind = FileKindOf(path);
    const std::string text = ParamFileText(kind, s.Ctx().Store.DeviceTable);
    const bool written = WriteWhole(path, text);
    Goodbye(s);
    if (!written) {
        o.err << "dspctl: Cannot create file " << path << "\n";
        return kExitUsage;
    }
    o.out << "backup: " << path << " ("
          << (kind == ParamFileKind::HiddenEq ? "hidden-page EQ" : "whole device") << ")\n";
    return kExitDone;
}

int CheckRestoreFile(const std::string& path, Variant variant, RestoreFile& file, Output& o) {
    file.Kind = FileKindOf(path);
    std::ifstream f(path, std::ios::binary);
    ParamFileResult result;
    if (!f) {
        result.status = ParamFileStatus::FileNotFound;
    } else {
        // One byte more than the limit is enough to tell an oversized file.
        file.Content.assign(kMaxParamFileBytes + 1, '\0');
        f.read(file.Content.data(), std::streamsize(file.Content.size()));
        file.Content.resize(size_t(f.gcount()));
        ParamTable scratch;
        result = ReadParamText(file.Kind, file.Content, scratch, variant);
    }
    if (result.ok())
        return kExitDone;
    o.err << "dspctl: " << path << ": " << ParamFileMessage(result, false) << "\n";
    return kExitUsage;
}

int Restore(Session& s, const RestoreFile& file, Output& o) {
    if (!LinkUp(s, o))
        return kExitLinkFailed;
    LinkContext& ctx = s.Ctx();
    // The file was checked before linking; this applies it as the tool's load does.
    const ParamFileResult applied =
        ReadParamText(file.Kind, file.Content, ctx.Store.DeviceTable, ctx.ProgramVariant);
    if (!applied.ok()) {
        o.err << "dspctl: " << ParamFileMessage(applied, false) << "\n";
        Goodbye(s);
        return kExitUsage;
    }
    s.Call([&](LinkContext& c) { DisCheckWindow(c, ParamFileUploadMode(file.Kind)); });
    if (!Await(
            s, [&s] { return LinkIdle(s.Ctx().Vars); }, "the download", o))
        return kExitLinkFailed;
    Goodbye(s);
    o.out << "restore: done ("
          << (file.Kind == ParamFileKind::HiddenEq ? "hidden-page EQ" : "whole device") << ")\n";
    return kExitDone;
}

} // namespace dsp::ctl
