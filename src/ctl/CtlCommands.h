#pragma once

#include <ostream>
#include <string>

#include "ctl/CtlSession.h"
#include "presets/ParamFile.h"

namespace dsp::ctl {

// Where a command writes: results to out, progress, warnings and reasons to err.
struct Output {
    std::ostream& out;
    std::ostream& err;
    bool json = false;
};

// ---- link steps every command shares ----

// Links up as the tool does (search, handshake, the full load of the variant) and waits
// until the link is online with nothing outstanding. False, with the reason on err, when
// the link failed.
bool LinkUp(Session& s, Output& o);
// Waits for done(); false, with the reason on err, when the link failed meanwhile. `what`
// names the wait in the message ("the download").
bool Await(Session& s, const std::function<bool()>& done, const char* what, Output& o);
// Ends the session as the unlink button does: the goodbye when online.
void Goodbye(Session& s);

// ---- commands: each links up, does its work, says goodbye and returns the exit code ----

// Whole-device file, or the hidden-EQ file for a name ending in ".EQdt".
ParamFileKind FileKindOf(const std::string& path);

int Backup(Session& s, const std::string& path, Output& o);

// A parameter file read and checked completely before anything is sent.
struct RestoreFile {
    ParamFileKind Kind = ParamFileKind::WholeDevice;
    std::string Content;
};
// Reads and checks path; on a bad file writes the tool's English message to err and returns
// kExitUsage, else kExitDone.
int CheckRestoreFile(const std::string& path, Variant variant, RestoreFile& file, Output& o);
int Restore(Session& s, const RestoreFile& file, Output& o);

int Modes(Session& s, Output& o);
int Recall(Session& s, int number, int bank, Output& o);

int Get(Session& s, Address address, Output& o);
int Set(Session& s, Address address, int32_t value, Output& o);

// The view address whose write lands on `device` through the write path's address map,
// after pointing the page's selections at that section; -1 when none does now.
Address ViewAddressFor(LinkContext& ctx, Address device);

} // namespace dsp::ctl
