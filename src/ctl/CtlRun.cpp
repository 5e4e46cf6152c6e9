#include "ctl/CtlRun.h"

#include <filesystem>

namespace dsp::ctl {

namespace {

// The folder a backup is written into must exist before the link is opened.
bool FolderExists(const std::string& file) {
    const std::filesystem::path parent = std::filesystem::path(file).parent_path();
    std::error_code ec;
    return parent.empty() || std::filesystem::is_directory(parent, ec);
}

} // namespace

int RunCtl(const std::vector<std::string>& args, const SessionFactory& makeSession,
           std::ostream& out, std::ostream& err) {
    std::string error;
    const auto options = ParseCtlArguments(args, error);
    if (!options) {
        err << "dspctl: " << error << "\nTry 'dspctl --help'.\n";
        return kExitUsage;
    }
    if (options->Help) {
        out << CtlHelpText();
        return kExitDone;
    }
    Output o{out, err, options->Json};

    RestoreFile restore;
    switch (options->Cmd) {
    case Command::Backup:
        if (!FolderExists(options->File) || std::filesystem::is_directory(options->File)) {
            err << "dspctl: Cannot create file " << options->File << "\n";
            return kExitUsage;
        }
        break;
    case Command::Restore:
        if (const int rc = CheckRestoreFile(options->File, options->ProgramVariant, restore, o))
            return rc;
        break;
    default:
        break;
    }

    const std::shared_ptr<Session> session = makeSession(*options);
    Session& s = *session;
    switch (options->Cmd) {
    case Command::Backup:
        return Backup(s, options->File, o);
    case Command::Restore:
        return Restore(s, restore, o);
    case Command::Modes:
        return Modes(s, o);
    case Command::Recall:
        return Recall(s, options->ModeNumber, options->Bank, o);
    case Command::Get:
        return Get(s, options->ParamAddress, o);
    case Command::Set:
        return Set(s, options->ParamAddress, options->Value, o);
    }
    return kExitUsage;
}

} // namespace dsp::ctl
