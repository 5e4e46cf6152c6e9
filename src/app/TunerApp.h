#pragma once

#include "params/Variant.h"

namespace dsp {

// Entry of both tuning programs: sets up the application and runs it until the main window
// closes. Returns the exit code.
int RunTuner(int argc, char** argv, Variant variant);

} // namespace dsp
