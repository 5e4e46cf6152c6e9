#pragma once

#include <QString>

#include "presets/ParamFolders.h"

namespace dsp {

// Where the parameter files of this run live.
struct PresetFolderChoice {
    ParamFolders Folders;
    // True when the program's folder was not writable and the user's application-data
    // folder took its place.
    bool InAppData = false;
    // False when no folder could be created at all (listing shows nothing, saving fails).
    bool Ready = false;
};

// The folders Mode, Mode/W4Mode and Mode/HintMode below the program's folder, created when
// missing. When they cannot be created or written there (a program installed in /usr/bin),
// the same folders below the user's application-data folder (QStandardPaths::
// AppDataLocation) instead; appDataFolder overrides that location (tests).
PresetFolderChoice ChooseParamFolders(const QString& programFolder,
                                      const QString& appDataFolder = QString());

// Why a parameter file name typed by the user cannot be used, empty when it can: a name must
// stay inside its folder and be valid on every file system the program runs on, so it may
// not contain a path separator, "..", a character Windows refuses (: * ? " < > | and control
// characters), begin with a dot, end with a dot or a space, be a reserved device name (CON,
// NUL, COM1 …) or be longer than 200 bytes.
QString ParamFileNameProblem(const QString& name, bool chinese);

} // namespace dsp
