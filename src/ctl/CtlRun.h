#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ctl/CtlCommands.h"
#include "ctl/CtlOptions.h"

namespace dsp::ctl {

// Makes the session of a command once its arguments and files have been checked, so a
// usage error or a bad file never opens a link.
using SessionFactory = std::function<std::shared_ptr<Session>(const CtlOptions&)>;

// Parses the arguments, checks them and runs the command. Returns the exit code.
int RunCtl(const std::vector<std::string>& args, const SessionFactory& makeSession,
           std::ostream& out, std::ostream& err);

} // namespace dsp::ctl
